#pragma once

#include <windows.h>

#include <functional>

#include "platform/event_pump.h"

namespace kw::win32 {

// The thread's one message loop, shared by the main loop and by the waits of the core (doEvents), so
// that both treat keyboard navigation, the end of the program and a service's event alike.
class MessagePump final : public EventPump {
public:
    // The window whose controls take Tab, arrow and access keys.
    void setDialog(HWND window) { dialog_ = window; }
    // An auto-reset event that a service sets: the loop waits for it beside the messages and calls
    // `handler` each time it finds it set. The caller keeps the event open while the loop runs.
    void wakeOn(HANDLE event, std::function<void()> handler);

    void sleep(std::uint32_t milliseconds) override;
    void doEvents() override;
    bool quitRequested() override { return quit_; }

    // Handles messages and the event until WM_QUIT; returns its exit code.
    int run();

private:
    // Waits up to `timeout` for the event or a message, then handles what came: the event first, then
    // every message in the queue.
    void pass(DWORD timeout);
    void dispatch(MSG& message);

    HWND dialog_ = nullptr;
    HANDLE event_ = nullptr;
    std::function<void()> onEvent_;
    // A WM_QUIT met inside doEvents would otherwise be gone, and the main loop would wait for ever.
    bool quit_ = false;
    int exitCode_ = 0;
};

}  // namespace kw::win32
