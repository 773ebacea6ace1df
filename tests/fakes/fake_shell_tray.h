// The notification area: keeps the icons it was given, by window and ID.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "fakes/failure_point.h"
#include "platform/shell_tray.h"

namespace kw::test {

struct TrayCall {
    std::uint32_t message;
    NotifyIconDataA record;
};

class FakeShellTray final : public ShellTray {
public:
    bool notifyIcon(std::uint32_t message, NotifyIconDataA& record) override {
        calls.push_back({message, record});
        if (journal)
            journal->push_back(message == kNotifyIconAdd ? "tray add" : "tray " + std::to_string(message));
        if (Fails(faults, "notifyIcon " + std::to_string(message)) || !answers) {
            return false;
        }
        const std::pair<Hwnd, std::uint32_t> key{record.hWnd, record.uID};
        const bool held = std::find(icons.begin(), icons.end(), key) != icons.end();
        if (message == kNotifyIconAdd) {
            if (refuseAdds > 0) {
                --refuseAdds;
                return false;
            }
            if (held)
                return false;
            icons.push_back(key);
            if (addTimeouts > 0) {
                --addTimeouts;
                return false;
            }
            return true;
        }
        // A modify changes nothing here: it succeeds while the shell holds the icon.
        if (message == kNotifyIconModify)
            return held;
        if (message == kNotifyIconDelete) {
            for (auto it = icons.begin(); it != icons.end(); ++it) {
                if (*it == key) {
                    icons.erase(it);
                    return true;
                }
            }
        }
        return false;
    }

    bool balloon(const NotifyIconDataA& icon, const std::string& title, const std::string& text,
                 BalloonIcon kind) override {
        if (journal)
            journal->push_back("tray balloon");
        if (Fails(faults, "balloon " + text) || !answers)
            return false;
        for (const auto& held : icons) {
            if (held == std::pair<Hwnd, std::uint32_t>{icon.hWnd, icon.uID}) {
                balloons.push_back({title, text, kind});
                return true;
            }
        }
        return false;  // no such icon
    }

    struct Balloon {
        std::string title;
        std::string text;
        BalloonIcon kind;
        bool operator==(const Balloon&) const = default;
    };

    std::vector<std::string>* journal = nullptr;
    FailurePoint* faults = nullptr;
    bool answers = true;  // false: a shell that is not running
    int refuseAdds = 0;   // a taskbar not there yet: this many adds fail and take nothing
    int addTimeouts = 0;  // Explorer busy: this many adds take the icon but report a failure
    std::vector<TrayCall> calls;
    std::vector<Balloon> balloons;  // the notifications shown
    std::vector<std::pair<Hwnd, std::uint32_t>> icons;
};

}  // namespace kw::test
