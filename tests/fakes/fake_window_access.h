// Other programs' windows: a tree of windows by class name with client rectangles, and a log of every
// message sent. The shell can be told to stop answering.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "fakes/failure_point.h"
#include "platform/window_access.h"

namespace kw::test {

struct SentMessage {
    Hwnd window;
    std::uint32_t message;
    std::uint32_t wParam;
    std::int32_t lParam;
};

class FakeWindowAccess final : public WindowAccess {
    struct Window {
        Hwnd hwnd;
        Hwnd parent;
        std::string className;
        std::optional<Rect> client;  // nullopt: the rectangle cannot be read
    };

public:
    Hwnd add(const std::string& className, Hwnd parent = 0, std::optional<Rect> client = Rect{0, 0, 0, 0}) {
        next_ += 0x10;
        windows_.push_back({next_, parent, className, client});
        return next_;
    }

    void setClient(Hwnd window, std::optional<Rect> client) {
        for (auto& w : windows_) {
            if (w.hwnd == window)
                w.client = client;
        }
    }

    Hwnd findWindow(const std::string& className) override {
        return Fails(faults, "findWindow " + className) ? 0 : find(0, className);
    }

    Hwnd findChildWindow(Hwnd parent, const std::string& className) override {
        return Fails(faults, "findChildWindow " + className) ? 0 : find(parent, className);
    }

    void clientRect(Hwnd window, Rect& rect) override {
        ++clientRectCalls;
        rectArrivedZeroed = rect.left == 0 && rect.top == 0 && rect.right == 0 && rect.bottom == 0;
        if (Fails(faults, "clientRect"))
            return;
        for (const auto& w : windows_) {
            if (w.hwnd == window && w.client)
                rect = *w.client;
        }
    }

    bool sendMessage(Hwnd window, std::uint32_t message, std::uint32_t wParam, std::int32_t lParam) override {
        // A window that does not answer in time: the message may not have arrived.
        if (Fails(faults, "sendMessage"))
            return false;
        sent.push_back({window, message, wParam, lParam});
        if (onSend)
            onSend();
        return !answerLimit || sent.size() <= *answerLimit;
    }

    std::optional<std::size_t> answerLimit;  // the shell hangs after this many messages
    std::function<void()> onSend;            // the moment a message reaches the window
    std::vector<SentMessage> sent;
    int clientRectCalls = 0;
    FailurePoint* faults = nullptr;
    bool rectArrivedZeroed = false;

private:
    Hwnd find(Hwnd parent, const std::string& className) const {
        for (const auto& w : windows_) {
            if (w.parent == parent && w.className == className)
                return w.hwnd;
        }
        return 0;
    }

    std::vector<Window> windows_;
    Hwnd next_ = 0x10000;
};

}  // namespace kw::test
