#include "platform/win32/mouse_input.h"

#include <windows.h>

namespace kw::win32 {

void Win32MouseInput::mouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::uint32_t data,
                                 std::uint32_t extraInfo) {
    // The flags name the physical buttons. With the buttons swapped for a left hand, a physical left
    // press would arrive as a right press, and a right-button release on the list would send the next
    // one for ever; the press that selects is the logical left button, so send that one.
    if (GetSystemMetrics(SM_SWAPBUTTON)) {
        const DWORD left = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP;
        const DWORD right = MOUSEEVENTF_RIGHTDOWN | MOUSEEVENTF_RIGHTUP;
        flags = (flags & ~(left | right)) | ((flags & left) << 2) | ((flags & right) >> 2);
    }
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dy = dy;
    input.mi.mouseData = data;
    input.mi.dwFlags = flags;
    input.mi.dwExtraInfo = extraInfo;
    SendInput(1, &input, sizeof(input));
}

}  // namespace kw::win32
