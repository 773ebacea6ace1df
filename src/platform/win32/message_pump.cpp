#include "platform/win32/message_pump.h"

namespace kw::win32 {

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
