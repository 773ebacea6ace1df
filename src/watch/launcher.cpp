// Launching the listed programs after the start delay, and ending exactly those processes again.
#include <algorithm>
#include <string>

#include "ui/form1.h"
#include "watch/program_path.h"

namespace kw {

void Form1::starten() {
    pids.clear();
    const int n = p_.view.listCount();
    if (n < 1) {
        return;
    }
    pids.resize(n + 1);

    const int delay = schlafzeit;
    for (int t = delay; t >= 0; --t) {
        beschriften(ControlId::status, "Programme werden in " + std::to_string(t) + " Sekunden gestartet...");
        warten(1);
        if (!unloading_) {
            doEvents();
        }
        if (unloading_) {
            return;  // the user quit during the countdown: launch nothing
        }
    }

    beschriften(ControlId::status, "Programme werden gestartet...");
    // Entries added or removed during the countdown count; entries beyond the slots are not launched.
    const int m = std::min(p_.view.listCount(), static_cast<int>(pids.size()));
    for (int i = 0; i < m; ++i) {
        pids[i] = programmStarten(p_.view.listItem(i));
    }
}

// The entry's program is chosen here, where a planted C:\Program.exe cannot be taken for it; the system
// then starts exactly that program, or finds it itself where the entry leaves no doubt.
std::unique_ptr<LaunchedProcess> Form1::programmStarten(const std::string& entry) {
    if (entry.empty()) {
        return nullptr;
    }
    const ProgramChoice choice =
        ChooseProgram(entry, [this](const std::string& path) { return p_.files.lookUp(path); });
    if (choice.kind == ProgramChoice::Kind::NotFound) {
        return nullptr;
    }
    return p_.processes.launch(choice.kind == ProgramChoice::Kind::Found ? choice.program : "", entry, kShowMinimized);
}

void Form1::warten(std::int16_t seconds) {
    for (int second = 0; second < seconds; ++second) {
        for (int step = 0; step < 100; ++step) {
            p_.events.sleep(10);
            doEvents();
            if (unloading_) {
                return;
            }
        }
    }
}

void Form1::terminieren() {
    for (auto& process : pids) {
        prozessbeenden(process.get());
    }
    trayrefresh->SysTrayRefresh();
}

// Ends a launched process through the handle kept from its launch, never by looking its ID up: the
// ID of a program that has exited may already belong to another process, or to the next program of
// the same launch.
void Form1::prozessbeenden(LaunchedProcess* process) {
    if (process != nullptr) {
        process->terminate(1);
    }
}

}  // namespace kw
