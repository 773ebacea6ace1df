// The rule by which a service that announces a change (the dial-up service, the network adapters) wakes
// the thread's event loop: one handler for the thread, registered once by the watcher, which every
// service wakes through. The real message pump and the fake one both keep this object, so a second
// registration is refused in both alike and a test sees it.
#pragma once

#include <atomic>
#include <functional>
#include <utility>

namespace kw {

class WakeRule {
public:
    // The first registration holds; a later one, or an empty handler, is refused.
    bool registerHandler(std::function<void()> handler) {
        ++registrations_;
        if (handler_ || !handler) {
            return false;
        }
        handler_ = std::move(handler);
        return true;
    }

    // A wake from any thread. True for the first since the handler last ran: only that one needs to reach
    // the loop, so a burst of wakes is one call of the handler.
    bool mark() { return !pending_.exchange(true); }
    // The wake did not reach the loop (a post failed): the next one tries again.
    void unmark() { pending_ = false; }

    // On the loop's thread: runs the handler once for the wakes marked so far. Cleared first, so that a
    // wake that comes while the handler runs is another call of it.
    void run() {
        if (pending_.exchange(false) && handler_) {
            handler_();
        }
    }

    int registrations() const { return registrations_; }

private:
    std::function<void()> handler_;
    std::atomic<bool> pending_{false};
    int registrations_ = 0;
};

}  // namespace kw
