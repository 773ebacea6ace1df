// Every platform call of a scenario fails in turn: the 1st, the 2nd, ... until a run gets through with
// nothing failed. Whatever failed, the program must not crash or hang, confirm a write that failed,
// change a stored value that the scenario did not change, end a process that it did not launch, or stay
// when asked to end.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "fakes/form_fixture.h"

namespace kw::test {
namespace {

const std::vector<std::string> kEntries{"\"C:\\A\\a.exe\"", "\"C:\\B\\b.exe\" /b", "\"C:\\C\\c.exe\""};
const std::string kAdded = "\"C:\\D\\d.exe\"";
const std::string kDropped = "\"C:\\E\\e.exe\"";
const std::string kEdited = "\"C:\\B\\b.exe\" /neu";

struct SweepRig : FormRig {
    void armAt(std::size_t k) {
        faults.failAt = k;
        view.faults = store.faults = remote.faults = processes.faults = tray.faults = windows.faults = os.faults =
            &faults;
        instance.faults = locale.faults = fileDialog.faults = input.faults = mouse.faults = &faults;
    }
    std::string slot(int i) const {
        return store.get(program::kTitle, "Files", "datei" + std::to_string(i)).value_or("");
    }
    std::string delay() const { return store.get(program::kTitle, "Schlafen", "schlafen").value_or(""); }
    // "Beenden" from the tray menu.
    void quitFromTray() {
        view.menuChoice = MenuItem::mnu_quit;
        form.Form_MouseMove(1, 0x205);
    }

    FailurePoint faults;
};

struct Scenario {
    const char* name;
    bool armedFromStart;  // false: start-up runs without failures, the scenario's own calls fail
    std::function<void(SweepRig&)> run;
    std::vector<std::string> intendedList;
    std::string intendedDelay;
};

void Select(SweepRig& rig, int index) {
    rig.view.selected = index;
}

const std::vector<Scenario>& Scenarios() {
    static const std::vector<Scenario> rows{
        {"start-up", true, [](SweepRig&) {}, kEntries, "1"},
        {"connection, countdown, launch of three, drop", false,
         [](SweepRig& rig) {
             rig.tick(1);
             rig.tick(1);
             // The first program ends by itself and its ID goes to another program's process.
             if (ProcessRecord* a = rig.processes.launched().empty() ? nullptr : rig.processes.launched()[0]) {
                 const std::int32_t pid = a->pid;
                 if (a->alive)
                     rig.processes.exits(pid);
                 rig.processes.foreign(pid);
             }
             rig.tick(0);
             rig.tick(0);
         },
         kEntries, "1"},
        {"add",
         false,
         [](SweepRig& rig) {
             rig.fileDialog.choose("C:\\D\\d.exe");
             rig.form.Command1_Click();
         },
         {kEntries[0], kEntries[1], kEntries[2], kAdded},
         "1"},
        {"remove",
         false,
         [](SweepRig& rig) {
             Select(rig, 1);
             rig.form.Command2_Click();
         },
         {kEntries[0], kEntries[2]},
         "1"},
        {"edit",
         false,
         [](SweepRig& rig) {
             Select(rig, 1);
             rig.input.answers.push_back(kEdited);
             rig.form.Command3_Click();
         },
         {kEntries[0], kEdited, kEntries[2]},
         "1"},
        {"drop",
         false,
         [](SweepRig& rig) {
             rig.form.filelist_OLEDragDrop(DropData{true, {"C:\\D\\d.exe", "C:\\E\\e.exe"}});
         },
         {kEntries[0], kEntries[1], kEntries[2], kAdded, kDropped},
         "1"},
        {"right click",
         false,
         [](SweepRig& rig) {
             // The list selects the entry under the pointer when the synthetic press reaches it.
             rig.mouse.onEvent = [&rig](std::uint32_t flags) {
                 if (flags == kMouseLeftDown)
                     rig.events.at(rig.events.now(), [&rig] { Select(rig, 1); });
             };
             rig.form.filelist_MouseUp(2, 0, 300, 200);
         },
         {kEntries[0], kEntries[2]},
         "1"},
        {"Delete key",
         false,
         [](SweepRig& rig) {
             Select(rig, 1);
             rig.form.filelist_KeyUp(46, 0);
         },
         {kEntries[0], kEntries[2]},
         "1"},
        {"Enter in the delay field", false,
         [](SweepRig& rig) {
             rig.view.type(ControlId::Text1, "5");
             std::int16_t key = 13;
             rig.form.Text1_KeyPress(key);
         },
         kEntries, "5"},
        {"Beenden from the tray during a countdown", false,
         [](SweepRig& rig) {
             rig.events.at(300, [&rig] { rig.quitFromTray(); });
             rig.tick(1);
         },
         kEntries, "1"},
    };
    return rows;
}

// The stored value is the one before the scenario or the one it meant to write, slot by slot: a failed
// write may leave a slot as it was, but never a third value.
void ExpectOnlyIntendedChanges(const SweepRig& rig, const Scenario& scenario) {
    for (int i = 0; i < 10; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const std::string before = at < kEntries.size() ? kEntries[at] : "";
        const std::string intended = at < scenario.intendedList.size() ? scenario.intendedList[at] : "";
        const std::string stored = rig.slot(i);
        EXPECT_TRUE(stored == before || stored == intended)
            << "slot " << i << ": expected [" << before << "] or [" << intended << "], got [" << stored << "]";
    }
    EXPECT_TRUE(rig.delay() == "1" || rig.delay() == scenario.intendedDelay) << "delay [" << rig.delay() << "]";
}

// A failed write is reported, never confirmed.
void ExpectFailedWriteReported(const SweepRig& rig) {
    if (rig.faults.failed.rfind("write ", 0) != 0)
        return;
    const auto after = rig.faults.calls.begin() + static_cast<std::ptrdiff_t>(rig.faults.failedIndex()) + 1;
    const auto confirmed = std::find(after, rig.faults.calls.end(), "messageBox Schlafentimer geändert");
    EXPECT_EQ(confirmed, rig.faults.calls.end()) << "the failed write was confirmed";
    const auto reported = std::find(after, rig.faults.calls.end(), "messageBox Kopplungswacht");
    EXPECT_NE(reported, rig.faults.calls.end()) << "the failed write was not reported";
}

void ExpectOnlyOwnProcessesEnded(const SweepRig& rig) {
    for (const auto& process : rig.processes.table) {
        EXPECT_TRUE(process->launchedByUs || process->terminateCalls == 0)
            << "ended " << process->commandLine << " (ID " << process->pid << "), which the program did not launch";
    }
}

// One run with the k-th platform call failing; false when nothing failed (k is past the last call).
bool RunWithFailure(const Scenario& scenario, std::size_t k) {
    SweepRig rig;
    rig.events.deadline = 60000;
    rig.store.put(program::kTitle, "Schlafen", "schlafen", "1");
    for (std::size_t i = 0; i < kEntries.size(); ++i)
        rig.store.put(program::kTitle, "Files", "datei" + std::to_string(i), kEntries[i]);

    if (scenario.armedFromStart)
        rig.armAt(k);
    rig.form.Form_Load();
    if (!scenario.armedFromStart)
        rig.armAt(k);
    scenario.run(rig);

    // A menu that could not open took no request; the user asks again.
    rig.quitFromTray();
    if (rig.view.unloadCalls == 0 && rig.faults.failed == "popupMenu")
        rig.quitFromTray();

    EXPECT_FALSE(rig.events.hung) << "still waiting at " << rig.events.now() << " ms";
    EXPECT_EQ(rig.view.unloadCalls, 1) << "the program did not end when asked";
    ExpectOnlyIntendedChanges(rig, scenario);
    ExpectFailedWriteReported(rig);
    ExpectOnlyOwnProcessesEnded(rig);
    return !rig.faults.failed.empty();
}

TEST(FailureSweep, EveryPlatformCallOfEachScenarioFailsInTurn) {
    std::size_t points = 0;
    for (const Scenario& scenario : Scenarios()) {
        std::size_t k = 1;
        for (; k < 1000; ++k) {
            SCOPED_TRACE(std::string(scenario.name) + ", call " + std::to_string(k) + " fails");
            if (!RunWithFailure(scenario, k))
                break;
        }
        EXPECT_GT(k, 1u) << scenario.name << ": no platform call at all";
        EXPECT_LT(k, 1000u) << scenario.name << ": no run got through";
        points += k - 1;
        std::cout << "[ sweep    ] " << scenario.name << ": " << k - 1 << " failure points\n";
    }
    std::cout << "[ sweep    ] " << points << " failure points in all\n";
}

}  // namespace
}  // namespace kw::test
