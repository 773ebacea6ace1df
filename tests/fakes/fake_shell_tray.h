// The notification area: keeps the icons it was given, by window and ID.
#pragma once

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
        if (message == kNotifyIconAdd) {
            for (const auto& icon : icons) {
                if (icon == key)
                    return false;
            }
            icons.push_back(key);
            return true;
        }
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

    std::vector<std::string>* journal = nullptr;
    FailurePoint* faults = nullptr;
    bool answers = true;  // false: a shell that is not running
    std::vector<TrayCall> calls;
    std::vector<std::pair<Hwnd, std::uint32_t>> icons;
};

}  // namespace kw::test
