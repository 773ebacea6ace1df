// Launching the listed programs after the start delay, and ending exactly those processes again.
#include <algorithm>
#include <string>
#include <vector>

#include "app/program_info.h"
#include "tray/notices.h"
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
    const SystemFolders folders = m > 0 ? p_.files.folders() : SystemFolders{};
    std::vector<FailedStart> failed;
    for (int i = 0; i < m; ++i) {
        const std::string entry = p_.view.listItem(i);
        std::uint32_t error = 0;
        pids[i] = programmStarten(entry, folders, error);
        if (!pids[i] && error != 0) {
            const std::string reason = p_.processes.reason(error);
            failed.push_back({entry, reason.empty() ? "Fehler " + std::to_string(error) : reason});
        }
    }
    if (!failed.empty()) {
        melden(StartFailureNotice(failed), BalloonIcon::error);
    }
}

// The entry's program is chosen here, where a planted C:\Program.exe cannot be taken for it, and started
// as the system itself would start it. It is created suspended and joins a job of its own before it runs,
// so that whatever it starts is ended with it.
std::unique_ptr<LaunchedProcess> Form1::programmStarten(const std::string& entry, const SystemFolders& folders,
                                                        std::uint32_t& error) {
    if (entry.empty()) {
        return nullptr;
    }
    const std::optional<LaunchPlan> plan = PlanLaunch(
        entry, folders, [this](const std::string& path, bool native) { return p_.files.lookUp(path, native); });
    if (!plan) {
        error = kErrorFileNotFound;
        return nullptr;
    }
    std::unique_ptr<LaunchedProcess> process = p_.processes.launch(*plan, kShowMinimized, error);
    if (!process) {
        return nullptr;
    }
    process->joinJob();  // refused: the process is ended alone
    error = process->resume();
    if (error != 0) {
        process->terminate(1);  // it would stay suspended for ever
        return nullptr;
    }
    return process;
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

// The system ends processes after its call has returned, and the shell drops an icon only once the
// window behind it has gone: the sweep waits for them, within a bound.
int Form1::terminieren() {
    int ended = 0;
    for (auto& process : pids) {
        ended += prozessbeenden(process.get()) ? 1 : 0;
    }
    std::uint32_t left = kEndingWait;
    for (auto& process : pids) {
        if (process != nullptr && left > 0) {
            left -= std::min(left, process->waitGone(left));
        }
    }
    trayrefresh->SysTrayRefresh();
    return ended;
}

// Ends a launched process through the handle kept from its launch, never by looking its ID up: the
// ID of a program that has exited may already belong to another process, or to the next program of
// the same launch. True when anything of it still ran.
bool Form1::prozessbeenden(LaunchedProcess* process) {
    return process != nullptr && process->terminate(1);
}

// Nothing is shown once the program is going, nor before the shell took the icon.
void Form1::melden(const std::string& text, BalloonIcon icon) {
    if (!unloading_ && trayicon.shown) {
        p_.tray.balloon(trayicon.nid, program::kTitle, FitNotice(text), icon);
    }
}

}  // namespace kw
