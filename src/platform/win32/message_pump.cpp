#include "platform/win32/message_pump.h"

#include <utility>

namespace kw::win32 {

void MessagePump::wakeOn(HANDLE event, std::function<void()> handler) {
    event_ = event;
    onEvent_ = std::move(handler);
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

// MWMO_INPUTAVAILABLE: a message already in the queue ends the wait too, not only one that arrives. The
// event is auto-reset, so the wait that finds it set also clears it: an event met inside a handler (the
// countdown's passes) reaches the core, which skips it, and is gone, as a timer tick falling due then is.
// Without an event the wait is for messages alone.
void MessagePump::pass(DWORD timeout) {
    const DWORD events = event_ != nullptr ? 1 : 0;
    const DWORD woken = MsgWaitForMultipleObjectsEx(events, &event_, timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (events == 1 && woken == WAIT_OBJECT_0) {
        onEvent_();
    } else if (woken == WAIT_FAILED) {
        event_ = nullptr;  // the timer watches alone, as where the service announces nothing
    }
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

void MessagePump::doEvents() {
    if (!quit_) {
        pass(0);
    }
}

int MessagePump::run() {
    while (!quit_) {
        pass(INFINITE);
    }
    return exitCode_;
}

}  // namespace kw::win32
