#pragma once

#include <windows.h>

#include <functional>

#include "platform/event_pump.h"
#include "platform/wake_rule.h"

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
    // The window that carries the wakes is made here; false when it cannot be.
    bool onWake(std::function<void()> handler) override;
    // Callable from any thread, until the pump goes: the services that announce changes (dial-up, network
    // adapters) all wake the loop through here.
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
    WakeRule wakes_;
    // A WM_QUIT met inside doEvents would otherwise be gone, and the main loop would wait for ever.
    bool quit_ = false;
    int exitCode_ = 0;
};

}  // namespace kw::win32
