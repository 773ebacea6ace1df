#pragma once

#include <cstdint>
#include <functional>

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
    // From now on `handler` runs on this thread, in the wait and in doEvents alike, after a service that
    // announces changes woke the loop; wakes that come before it runs count as one. The thread has one
    // handler, registered once (WakeRule): a second registration is refused. False also when the loop
    // cannot be woken at all.
    virtual bool onWake(std::function<void()> handler) = 0;
};

}  // namespace kw
