#pragma once

#include <windows.h>

#include <atomic>
#include <functional>

#include "platform/event_pump.h"

namespace kw::win32 {

// The thread's one message loop, shared by the main loop and by the waits of the core (doEvents), so
// that both treat keyboard navigation and the end of the program alike. Other threads have work done on
// this thread through wake(): a message to a window of the pump's own, which every message loop of the
// thread delivers, a message box's and a menu's included.
class MessagePump final : public EventPump {
public:
    MessagePump() = default;
    MessagePump(const MessagePump&) = delete;
    MessagePump& operator=(const MessagePump&) = delete;
    ~MessagePump() override;

    // The window whose controls take Tab, arrow and access keys.
    void setDialog(HWND window) { dialog_ = window; }
    // From now on `handler` runs on this thread after each wake(); wakes that come before it runs count
    // as one. The thread has one handler: the services that announce changes (dial-up, network adapters)
    // are all given the same one, and the last registration holds. False when the window that carries the
    // wakes cannot be made.
    bool onWake(std::function<void()> handler);
    // Callable from any thread, until the pump goes.
    void wake();

    void sleep(std::uint32_t milliseconds) override;
    void doEvents() override;
    bool quitRequested() override { return quit_; }

    // Handles messages until WM_QUIT; returns its exit code.
    int run();

private:
    static LRESULT CALLBACK WakeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void dispatch(MSG& message);

    HWND dialog_ = nullptr;
    HWND wakeWindow_ = nullptr;
    std::function<void()> onWake_;
    std::atomic<bool> woken_{false};
    // A WM_QUIT met inside doEvents would otherwise be gone, and the main loop would wait for ever.
    bool quit_ = false;
    int exitCode_ = 0;
};

}  // namespace kw::win32
