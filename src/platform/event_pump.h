#pragma once

#include <cstdint>

namespace kw {

// The clock and the user-interface thread's event queue.
class EventPump {
public:
    virtual ~EventPump() = default;
    virtual void sleep(std::uint32_t milliseconds) = 0;
    // Handles the pending window events of this thread, then returns.
    virtual void doEvents() = 0;
    // True once a request to end the program (WM_QUIT) has reached the queue; it stays true.
    virtual bool quitRequested() = 0;
};

}  // namespace kw
