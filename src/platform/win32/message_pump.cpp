#include "platform/win32/message_pump.h"

#include <utility>

namespace kw::win32 {
namespace {

constexpr wchar_t kWakeClass[] = L"KopplungswachtWecker";
constexpr UINT kWakeMessage = WM_APP + 10;

}  // namespace

MessagePump::~MessagePump() {
    if (wakeWindow_ != nullptr) {
        DestroyWindow(wakeWindow_);
    }
}

// A message-only window: no taskbar button, never enumerated, and found by nobody else.
bool MessagePump::onWake(std::function<void()> handler) {
    if (wakeWindow_ == nullptr) {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = WakeProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kWakeClass;
        RegisterClassW(&windowClass);
        wakeWindow_ = CreateWindowExW(0, kWakeClass, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      windowClass.hInstance, nullptr);
        if (wakeWindow_ == nullptr) {
            return false;
        }
        SetWindowLongPtrW(wakeWindow_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    return wakes_.registerHandler(std::move(handler));
}

// At most one wake waits in the queue: a burst of them is one call of the handler, not a flood of
// messages. A failed post clears the mark, so that the next wake tries again.
void MessagePump::wake() {
    if (wakeWindow_ != nullptr && wakes_.mark() && !PostMessageW(wakeWindow_, kWakeMessage, 0, 0)) {
        wakes_.unmark();
    }
}

LRESULT CALLBACK MessagePump::WakeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<MessagePump*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message != kWakeMessage || self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    self->wakes_.run();
    return 0;
}

void MessagePump::sleep(std::uint32_t milliseconds) {
    Sleep(milliseconds);
}

void MessagePump::dispatch(MSG& message) {
    if (dialog_ != nullptr && IsWindow(dialog_) && IsDialogMessageW(dialog_, &message)) {
        return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

void MessagePump::doEvents() {
    MSG message;
    while (!quit_ && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quit_ = true;
            exitCode_ = static_cast<int>(message.wParam);
            return;
        }
        dispatch(message);
    }
}

// A plain GetMessageW loop: an idle tick costs the fewest requests to the window system (under Wine, to
// its server). Nothing else is waited for here; wakes arrive as messages.
int MessagePump::run() {
    MSG message;
    while (!quit_) {
        const BOOL result = GetMessageW(&message, nullptr, 0, 0);
        if (result == 0) {
            quit_ = true;
            exitCode_ = static_cast<int>(message.wParam);
        } else if (result == -1) {
            return 1;
        } else {
            dispatch(message);
        }
    }
    return exitCode_;
}

}  // namespace kw::win32
