// Every platform call of a scenario fails in turn: the 1st, the 2nd, ... until a run gets through with
// nothing failed. Whatever failed, the program must not crash or hang, confirm a write that failed,
// change a stored value that the scenario did not change, end a process that it did not launch, or stay
// when asked to end.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "fakes/form_fixture.h"

namespace kw::test {
namespace {

const std::vector<std::string> kEntries{"\"C:\\A\\a.exe\"", "\"C:\\B\\b.exe\" /b", "\"C:\\C\\c.exe\""};
const std::string kD = "\"C:\\D\\d.exe\"";
const std::vector<std::string> kAdapters{"wg-buero", "Alt-VPN"};

struct SweepRig : FormRig {
    void armAt(std::size_t k) {
        faults.failAt = k;
        view.faults = store.faults = remote.faults = processes.faults = tray.faults = windows.faults = os.faults =
            &faults;
        instance.faults = locale.faults = fileDialog.faults = input.faults = &faults;
        adapters.faults = adapterDialog.faults = files.faults = events.faults = &faults;
    }
    void quitFromTray() {
        view.menuChoice = MenuItem::mnu_quit;
        form.Form_MouseMove(1, 0x205);
    }
    FailurePoint faults;
};

struct Scenario {
    const char* name;
    std::function<void(SweepRig&)> run;  // null: start-up itself
    std::vector<std::string> intendedList;
    std::string intendedDelay = "1";
    std::vector<std::string> intendedAdapters = kAdapters;
    // A slot may also hold this where a failed call left the program to take a file as it is.
    std::string fallback = "";
};

const std::vector<Scenario> kScenarios{
    {"start-up", nullptr, kEntries},
    {"connection, countdown, launch of three, drop",
     [](SweepRig& rig) {
         // The third needs administrator rights; the ended processes take their time to go.
         rig.processes.failing[kEntries[2]] = 740;
         rig.processes.endLag = 30;
         rig.tick(1);
         // The first program ends by itself and its ID goes to another program's process; the second starts
         // a process in its job and one outside it.
         const auto launched = rig.processes.launched();
         if (!launched.empty() && launched[0]->alive) {
             const std::int32_t pid = launched[0]->pid;
             rig.processes.exits(pid);
             rig.processes.foreign(pid);
         }
         if (launched.size() > 1 && launched[1]->alive) {
             rig.processes.spawn(launched[1]->pid, "kind.exe");
             rig.processes.spawn(launched[1]->pid, "eigen.exe", true);
         }
         rig.tick(1);
         rig.tick(0);
     },
     kEntries},
    {"add",
     [](SweepRig& rig) {
         rig.fileDialog.choose("C:\\D\\d.exe");
         rig.form.Command1_Click();
     },
     {kEntries[0], kEntries[1], kEntries[2], kD}},
    {"remove",
     [](SweepRig& rig) {
         rig.view.selected = 1;
         rig.form.Command2_Click();
     },
     {kEntries[0], kEntries[2]}},
    {"edit",
     [](SweepRig& rig) {
         rig.view.selected = 1;
         rig.input.answers.push_back(kD);
         rig.form.Command3_Click();
     },
     {kEntries[0], kD, kEntries[2]}},
    {"drop",
     [](SweepRig& rig) {
         rig.form.filelist_OLEDragDrop(DropData{true, {"C:\\D\\d.exe", "C:\\E\\e.exe"}});
     },
     {kEntries[0], kEntries[1], kEntries[2], kD, "\"C:\\E\\e.exe\""}},
    {"drop of a shortcut",
     [](SweepRig& rig) {
         rig.files.paths = {{"C:\\E\\e.exe", PathKind::image}};
         rig.files.shortcuts = {{"C:\\E\\e.lnk", {"C:\\E\\e.exe", "-e"}}};
         rig.form.filelist_OLEDragDrop(DropData{true, {"C:\\E\\e.lnk"}});
     },
     {kEntries[0], kEntries[1], kEntries[2], "\"C:\\E\\e.exe\" -e"},
     "1",
     kAdapters,
     "\"C:\\E\\e.lnk\""},
    {"right click",
     [](SweepRig& rig) {
         rig.view.selected = 2;
         rig.form.filelist_MouseUp(2, 300, 1.5f * FakeFormView::kRowHeight);
     },
     {kEntries[0], kEntries[2]}},
    {"right click below the last entry",
     [](SweepRig& rig) {
         rig.view.clickBelowSelectsLast = true;
         rig.form.filelist_MouseUp(2, 300, 10.5f * FakeFormView::kRowHeight);
     },
     {kEntries[0], kEntries[1]}},
    {"the shell restarts and its taskbar takes the icon only at the next tick",
     [](SweepRig& rig) {
         rig.tray.icons.clear();
         rig.tray.refuseAdds = 1;
         rig.form.Form_TaskbarCreated();
         rig.tick(0);
         rig.tick(0);
     },
     kEntries},
    {"Delete key",
     [](SweepRig& rig) {
         rig.view.selected = 1;
         rig.form.filelist_KeyUp(46);
     },
     {kEntries[0], kEntries[2]}},
    {"Enter in the delay field",
     [](SweepRig& rig) {
         rig.view.type(ControlId::Text1, "5");
         std::int16_t key = 13;
         rig.form.Text1_KeyPress(key);
     },
     kEntries, "5"},
    {"a chosen adapter comes up and goes, announced",
     [](SweepRig& rig) {
         rig.adapters.set("wg-buero", kIfOperStatusUp);
         rig.events.wake();
         rig.tick(0);
         rig.adapters.set("wg-buero", 2);
         rig.events.wake();
     },
     kEntries},
    {"choose the adapters",
     [](SweepRig& rig) {
         rig.adapterDialog.answers = {{"Ethernet", "wg-buero"}};
         rig.form.mnu_adapter_Click();
     },
     kEntries,
     "1",
     {"Ethernet", "wg-buero"}},
    {"Beenden from the tray during a countdown",
     [](SweepRig& rig) {
         rig.events.at(300, [&rig] { rig.quitFromTray(); });
         rig.tick(1);
     },
     kEntries},
};

// One run with the k-th platform call failing; false when nothing failed (k is past the last call).
bool RunWithFailure(const Scenario& scenario, std::size_t k) {
    SweepRig rig;
    rig.events.deadline = 60000;
    rig.store.put(program::kTitle, "Schlafen", "schlafen", "1");
    for (std::size_t i = 0; i < kAdapters.size(); ++i)
        rig.store.put(program::kTitle, "Adapter", "adapter" + std::to_string(i), kAdapters[i]);
    rig.adapters.table = {{"Ethernet", "", 6, kIfOperStatusUp}, {"wg-buero", "", 53, 2}};
    for (std::size_t i = 0; i < kEntries.size(); ++i)
        rig.store.put(program::kTitle, "Files", "datei" + std::to_string(i), kEntries[i]);
    if (!scenario.run)
        rig.armAt(k);
    rig.form.Form_Load();
    if (scenario.run) {
        rig.armAt(k);
        scenario.run(rig);
    }
    rig.quitFromTray();
    if (rig.faults.failed == "popupMenu")
        rig.quitFromTray();  // the menu that could not open took no request: the user asks again

    EXPECT_FALSE(rig.events.hung) << "still waiting at " << rig.events.now() << " ms";
    EXPECT_EQ(rig.view.unloadCalls, 1) << "the program did not end when asked";
    // Slot by slot, a failed write may leave the value before the scenario, never a third one.
    for (std::size_t i = 0; i < 10; ++i) {
        const std::string before = i < kEntries.size() ? kEntries[i] : "";
        const std::string intended = i < scenario.intendedList.size() ? scenario.intendedList[i] : "";
        const std::string stored = rig.store.get(program::kTitle, "Files", "datei" + std::to_string(i)).value_or("");
        const bool fellBack = !scenario.fallback.empty() && stored == scenario.fallback && !rig.faults.failed.empty();
        EXPECT_TRUE(stored == before || stored == intended || fellBack)
            << "slot " << i << ": expected [" << before << "] or [" << intended << "], got [" << stored << "]";
    }
    for (std::size_t i = 0; i < 10; ++i) {
        const std::string before = i < kAdapters.size() ? kAdapters[i] : "";
        const std::string intended = i < scenario.intendedAdapters.size() ? scenario.intendedAdapters[i] : "";
        const std::string stored = rig.adapterSlots()[i];
        EXPECT_TRUE(stored == before || stored == intended)
            << "adapter slot " << i << ": expected [" << before << "] or [" << intended << "], got [" << stored << "]";
    }
    const std::string delay = rig.store.get(program::kTitle, "Schlafen", "schlafen").value_or("");
    EXPECT_TRUE(delay == "1" || delay == scenario.intendedDelay) << "delay [" << delay << "]";
    // A failed write is reported, never confirmed.
    if (rig.faults.failed.rfind("write ", 0) == 0) {
        const auto after = rig.faults.calls.begin() + static_cast<std::ptrdiff_t>(rig.faults.failedIndex()) + 1;
        EXPECT_EQ(std::find(after, rig.faults.calls.end(), "messageBox Schlafentimer geändert"),
                  rig.faults.calls.end());
        EXPECT_NE(std::find(after, rig.faults.calls.end(), "messageBox Kopplungswacht"), rig.faults.calls.end());
    }
    for (const auto& process : rig.processes.table) {
        EXPECT_TRUE(process->launchedByUs || process->terminateCalls == 0)
            << "ended " << process->commandLine << " (ID " << process->pid << "), which the program did not launch";
        EXPECT_TRUE(process->launchedByUs || process->job != 0 || !process->exitCode)
            << "ended " << process->commandLine << ", which is in none of the program's jobs";
        EXPECT_TRUE(!process->suspended || process->exitCode) << process->commandLine << " left suspended";
    }
    return !rig.faults.failed.empty();
}

TEST(FailureSweep, EveryPlatformCallOfEachScenarioFailsInTurn) {
    std::size_t points = 0;
    for (const Scenario& scenario : kScenarios) {
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
