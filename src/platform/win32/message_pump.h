#pragma once

#include <windows.h>

#include "platform/event_pump.h"

namespace kw::win32 {

// The thread's one message loop, shared by the main loop and by the waits of the core (doEvents), so
// that both treat keyboard navigation and the end of the program alike.
class MessagePump final : public EventPump {
public:
    // The window whose controls take Tab, arrow and access keys.
    void setDialog(HWND window) { dialog_ = window; }

    void sleep(std::uint32_t milliseconds) override;
    void doEvents() override;
    bool quitRequested() override { return quit_; }

    // Handles messages until WM_QUIT; returns its exit code.
    int run();

private:
    void dispatch(MSG& message);

    HWND dialog_ = nullptr;
    // A WM_QUIT met inside doEvents would otherwise be gone, and the main loop would wait for ever.
    bool quit_ = false;
    int exitCode_ = 0;
};

}  // namespace kw::win32
