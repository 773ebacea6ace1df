// A clock that only moves when the code under test sleeps, and an event queue whose events are
// scheduled for moments of that clock, so that a countdown of seconds runs in microseconds.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "fakes/failure_point.h"
#include "platform/event_pump.h"
#include "platform/wake_rule.h"

namespace kw::test {

class FakeEventPump final : public EventPump {
public:
    void sleep(std::uint32_t milliseconds) override {
        if (sleepAwaitingEvents_) {
            ++sleepsWithoutEvents_;
        }
        sleepAwaitingEvents_ = true;
        now_ += milliseconds;
        // A program that keeps waiting past the bound hangs: it is asked to quit, so that its loops end
        // and the test can say so.
        if (deadline != 0 && now_ > deadline) {
            hung = true;
            quit_ = true;
        }
        ++sleepsByLength[milliseconds];
    }

    // Runs the wake handler if a service woke the loop, then, in the order they fell due, the actions whose
    // moment has come. An action may schedule further actions or call into the form (a nested timer tick,
    // a key press, a close).
    void doEvents() override {
        sleepAwaitingEvents_ = false;
        pass();
    }

    // Time that passes while the program waits for the system, handling no events.
    void block(std::uint32_t milliseconds) { now_ += milliseconds; }

    // The main loop wakes from its wait: the same pass as doEvents, but outside any handler.
    void wake() { pass(); }

    // Under the same rule as the real pump: one handler, the first registration holds.
    // A loop that cannot be woken refuses it.
    bool onWake(std::function<void()> handler) override {
        return !Fails(faults, "onWake") && wakes_.registerHandler(std::move(handler));
    }
    // A service announces a change, as the dial-up service does when a connection comes or goes: the loop
    // runs the handler once when it next looks, however often it was woken before.
    void announce() { wakes_.mark(); }
    int wakeRegistrations() const { return wakes_.registrations(); }

    bool quitRequested() override { return quit_; }
    // WM_QUIT reaching the queue at `milliseconds`.
    void quitAt(std::uint32_t milliseconds) {
        at(milliseconds, [this] { quit_ = true; });
    }

    // A window event that the user causes at `milliseconds` of simulated time.
    void at(std::uint32_t milliseconds, std::function<void()> action) {
        pending_.emplace(milliseconds, std::move(action));
    }

    // Time passing in a modal loop (a message box that stays open): each event due meanwhile runs at its
    // own moment.
    void elapse(std::uint32_t milliseconds) {
        const std::uint32_t end = now_ + milliseconds;
        while (!pending_.empty() && pending_.begin()->first <= end) {
            now_ = std::max(now_, pending_.begin()->first);
            auto action = std::move(pending_.begin()->second);
            pending_.erase(pending_.begin());
            action();
        }
        now_ = std::max(now_, end);
    }

    std::uint32_t now() const { return now_; }
    std::size_t pendingEvents() const { return pending_.size(); }
    // True when every sleep was followed by a round of event handling before the next sleep or the end.
    bool everySleepFollowedByEvents() const { return sleepsWithoutEvents_ == 0 && !sleepAwaitingEvents_; }

    FailurePoint* faults = nullptr;
    std::uint32_t deadline = 0;  // 0: unbounded
    bool hung = false;
    std::map<std::uint32_t, int> sleepsByLength;

private:
    void pass() {
        wakes_.run();
        while (!pending_.empty() && pending_.begin()->first <= now_) {
            auto action = std::move(pending_.begin()->second);
            pending_.erase(pending_.begin());
            action();
        }
    }

    WakeRule wakes_;
    std::uint32_t now_ = 0;
    std::multimap<std::uint32_t, std::function<void()>> pending_;
    bool sleepAwaitingEvents_ = false;
    bool quit_ = false;
    int sleepsWithoutEvents_ = 0;
};

}  // namespace kw::test
