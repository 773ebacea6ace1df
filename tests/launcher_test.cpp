// Countdown, launch and ending of the listed programs.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "fakes/form_fixture.h"

namespace kw::test {
namespace {

class LauncherTest : public FormFixture {};

TEST(Countdown, TextsTimingAndResponsiveness) {
    struct Row {
        const char* storedDelay;
        std::vector<std::string> texts;    // status texts between "Werden gestartet..." and "Gestartet"
        std::vector<std::uint32_t> times;  // when each of them was shown, in simulated ms
        std::uint32_t launchAt;
    };
    const std::vector<Row> rows = {
        {"2",
         {"Programme werden in 2 Sekunden gestartet...", "Programme werden in 1 Sekunden gestartet...",
          "Programme werden in 0 Sekunden gestartet...", kLaunching},
         {0, 1000, 2000, 3000},
         3000},
        {"0", {"Programme werden in 0 Sekunden gestartet...", kLaunching}, {0, 1000}, 1000},
        {"-1", {kLaunching}, {0}, 0},
        {"-32768", {kLaunching}, {0}, 0},
        {"12", {}, {}, 13000},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string("delay ") + row.storedDelay);
        FormRig rig;
        rig.start(row.storedDelay, {"\"C:\\Programme\\mail.exe\""});
        // Window events (a click, a key) falling due all through the countdown: each must be handled
        // within one 10 ms step.
        std::uint32_t latest = 0;
        int handled = 0;
        int probes = 0;
        for (std::uint32_t due = 0; due < row.launchAt; due += 37, ++probes) {
            rig.events.at(due, [&rig, &latest, &handled, due] {
                latest = std::max(latest, rig.events.now() - due);
                ++handled;
            });
        }
        rig.tick(1);

        const auto status = rig.statusTexts();
        const auto times = rig.view.timesSet(ControlId::status);
        ASSERT_GE(status.size(), 2u);
        EXPECT_EQ(status.front(), kStatusStarting);
        EXPECT_EQ(status.back(), kStatusStarted);
        const std::vector<std::string> between(status.begin() + 1, status.end() - 1);
        const std::vector<std::uint32_t> betweenTimes(times.begin() + 1, times.end() - 1);
        if (!row.texts.empty()) {
            EXPECT_EQ(between, row.texts);
            EXPECT_EQ(betweenTimes, row.times);
        } else {
            EXPECT_EQ(between.size(), 14u) << "12, 11, ..., 0 and the launch text";
        }

        EXPECT_EQ(handled, probes);
        EXPECT_LE(latest, 10u) << "the window answers within 10 ms all through the countdown";
        for (const auto& [length, count] : rig.events.sleepsByLength) {
            EXPECT_EQ(length, 10u) << count << " sleeps of " << length << " ms";
        }
        EXPECT_TRUE(rig.events.everySleepFollowedByEvents());
        ASSERT_EQ(rig.processes.launched().size(), 1u);
        EXPECT_EQ(rig.processes.launched()[0]->startedAt, row.launchAt) << "the launch comes after the whole countdown";
        EXPECT_EQ(rig.form.gestartet, True);
    }
}

TEST_F(LauncherTest, EveryEntryLaunchedMinimisedWithItsWholeCommandLine) {
    const std::vector<std::string> entries = {"\"C:\\Programme\\Post\\post.exe\"",
                                              "\"C:\\Programme\\Uhr\\uhr.exe\" /sync -q \"C:\\a b.txt\"",
                                              "\"C:\\x.exe\""};
    start("-1", entries);
    tick(1);
    EXPECT_EQ(processes.attempts, entries);
    const auto launched = processes.launched();
    ASSERT_EQ(launched.size(), 3u);
    for (std::size_t i = 0; i < launched.size(); ++i) {
        SCOPED_TRACE("entry " + std::to_string(i));
        EXPECT_EQ(launched[i]->commandLine, entries[i]);
        EXPECT_EQ(launched[i]->showWindow, 2) << "SW_SHOWMINIMIZED";
        EXPECT_EQ(PidsOf(form)[i], launched[i]->pid);
    }
}

TEST_F(LauncherTest, EntryThatFailsToLaunchKeepsSlotZeroAndIsPassedOverWhenEnding) {
    start("-1", {"\"C:\\a.exe\"", "\"C:\\fehlt.exe\"", "\"C:\\c.exe\" -x"});
    processes.failing["\"C:\\fehlt.exe\""] = 2;
    tick(1);

    EXPECT_EQ(processes.attempts.size(), 3u) << "the entry after the failed one is still launched";
    const auto launched = processes.launched();
    ASSERT_EQ(launched.size(), 2u);
    EXPECT_EQ(PidsOf(form), (std::vector<std::int32_t>{launched[0]->pid, 0, launched[1]->pid, 0}));
    EXPECT_EQ(statusTexts().back(), kStatusStarted);

    tick(0);
    for (const ProcessRecord* process : launched) {
        SCOPED_TRACE(process->commandLine);
        EXPECT_FALSE(process->alive);
        EXPECT_EQ(process->exitCode, 1u);
        EXPECT_EQ(process->terminateCalls, 1);
    }
    EXPECT_EQ(form.pids.size(), 4u) << "ending leaves the record as it is";
    EXPECT_EQ(statusTexts().back(), kStatusEnded);
}

TEST_F(LauncherTest, ProcessAlreadyGoneIsPassedOverAndTheOthersAreEnded) {
    start("-1", {"\"C:\\a.exe\"", "\"C:\\b.exe\"", "\"C:\\c.exe\""});
    tick(1);
    const auto launched = processes.launched();
    ASSERT_EQ(launched.size(), 3u);
    processes.exits(launched[1]->pid, 0);

    tick(0);
    EXPECT_EQ(launched[0]->exitCode, 1u);
    EXPECT_EQ(launched[1]->exitCode, 0u) << "the program that ended by itself keeps its own exit code";
    EXPECT_EQ(launched[2]->exitCode, 1u);
    EXPECT_FALSE(windows.sent.empty()) << "the tray is still swept";
}

TEST_F(LauncherTest, ProcessIdsBeyondSixteenBitsAreKeptAndEnded) {
    processes.nextPids = {70000, 0x7FFFFFF0, 32768};
    start("-1", {"\"C:\\a.exe\"", "\"C:\\b.exe\"", "\"C:\\c.exe\""});
    tick(1);
    EXPECT_EQ(PidsOf(form), (std::vector<std::int32_t>{70000, 0x7FFFFFF0, 32768, 0}));
    tick(0);
    for (const ProcessRecord* process : processes.launched()) {
        SCOPED_TRACE(process->pid);
        EXPECT_EQ(process->exitCode, 1u);
    }
}

TEST_F(LauncherTest, ForeignProcessThatReceivedADeadProgramsIdSurvives) {
    start("-1", {"\"C:\\a.exe\"", "\"C:\\b.exe\""});
    tick(1);
    const auto launched = processes.launched();
    ASSERT_EQ(launched.size(), 2u);
    const std::int32_t freedId = launched[0]->pid;
    processes.exits(freedId);
    ProcessRecord& stranger = processes.foreign(freedId);

    tick(0);
    EXPECT_TRUE(stranger.alive) << "process " << freedId << " was not launched by us";
    EXPECT_EQ(stranger.terminateCalls, 0);
    EXPECT_EQ(launched[1]->exitCode, 1u);
}

// The first program hands over to another one and ends at once; the system gives its ID to the
// program launched next. Both slots then hold the same ID, and the one still running must be ended.
TEST_F(LauncherTest, IdReusedWithinOneLaunchStillEndsTheRunningProgram) {
    processes.nextPids = {500, 500};
    processes.endingAtOnce.insert("\"C:\\starter.exe\"");
    start("-1", {"\"C:\\starter.exe\"", "\"C:\\b.exe\""});
    tick(1);
    EXPECT_EQ(PidsOf(form), (std::vector<std::int32_t>{500, 500, 0}));
    const auto launched = processes.launched();
    ASSERT_EQ(launched.size(), 2u);
    ASSERT_TRUE(launched[1]->alive);

    tick(0);
    EXPECT_FALSE(launched[1]->alive) << "the second program, ID 500, was launched by us and must be ended";
    EXPECT_EQ(launched[1]->exitCode, std::optional<std::uint32_t>(1u));
}

TEST_F(LauncherTest, EmptyListLaunchesNothingButTheEndingStillSweepsTheTray) {
    start("2", {});
    tick(1);
    EXPECT_EQ(statusTexts(), (std::vector<std::string>{kStatusStarting, kStatusStarted}));
    EXPECT_EQ(form.gestartet, True);
    EXPECT_TRUE(form.pids.empty());
    EXPECT_EQ(events.now(), 0u) << "no countdown";
    EXPECT_TRUE(processes.attempts.empty());

    tick(0);
    EXPECT_EQ(statusTexts(), (std::vector<std::string>{kStatusStarting, kStatusStarted, kStatusEnding, kStatusEnded}));
    EXPECT_EQ(form.trayrefresh->hwnd(), trayToolbar);
    EXPECT_EQ(windows.sent.size(), 5u) << "one row of x 0..4";
    EXPECT_EQ(processes.terminateCalls(), 0);
    EXPECT_EQ(form.gestartet, False);
}

TEST_F(LauncherTest, EmptiedListAfterEarlierLaunchEndsNothingMore) {
    start("-1", {"\"C:\\a.exe\""});
    tick(1);
    tick(0);
    ASSERT_EQ(processes.terminateCalls(), 1);
    view.list.clear();
    tick(1);
    EXPECT_TRUE(form.pids.empty()) << "a launch over an empty list empties the record";
    tick(0);
    EXPECT_EQ(processes.terminateCalls(), 1) << "the first launch's process is not ended again";
}

TEST(ListChangedDuringCountdown, WhatIsLaunchedFollowsTheListAfterTheCountdown) {
    struct Row {
        const char* label;
        std::function<void(std::vector<std::string>&)> change;
        std::vector<std::string> launched;
        std::vector<bool> slotFilled;
    };
    const std::vector<Row> rows = {
        {"emptied", [](auto& list) { list.clear(); }, {}, {false, false, false}},
        {"one removed", [](auto& list) { list.pop_back(); }, {"a"}, {true, false, false}},
        {"one added", [](auto& list) { list.push_back("c"); }, {"a", "b", "c"}, {true, true, true}},
        {"two added",
         [](auto& list) {
             list.insert(list.end(), {"c", "d"});
         },
         {"a", "b", "c"},
         {true, true, true}},
        {"replaced",
         [](auto& list) {
             list = {"x", "y"};
         },
         {"x", "y"},
         {true, true, false}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        FormRig rig;
        rig.start("2", {"a", "b"});
        rig.events.at(1500, [&rig, &row] { row.change(rig.view.list); });
        rig.tick(1);

        EXPECT_EQ(rig.processes.attempts, row.launched);
        EXPECT_EQ(rig.form.gestartet, True);
        EXPECT_EQ(rig.statusTexts().back(), kStatusStarted);
        const auto launched = rig.processes.launched();
        const auto pids = PidsOf(rig.form);
        ASSERT_EQ(pids.size(), row.slotFilled.size()) << "slots are counted when the countdown begins";
        std::size_t next = 0;
        for (std::size_t i = 0; i < row.slotFilled.size(); ++i) {
            SCOPED_TRACE("slot " + std::to_string(i));
            if (row.slotFilled[i]) {
                ASSERT_LT(next, launched.size());
                EXPECT_EQ(pids[i], launched[next++]->pid);
            } else {
                EXPECT_EQ(pids[i], 0);
            }
        }
    }
}

TEST_F(LauncherTest, DelayIsTakenOnceWhenTheCountdownBegins) {
    start("2", {"\"C:\\a.exe\""});
    events.at(500, [this] {
        view.type(ControlId::Text1, "5");
        std::int16_t enter = 13;
        form.Text1_KeyPress(enter);
    });
    tick(1);
    EXPECT_EQ(form.schlafzeit, 5);
    EXPECT_EQ(view.messageBoxes.size(), 1u) << "the Enter was handled during the countdown";
    EXPECT_EQ(events.now(), 3000u) << "this countdown keeps counting from 2";
    EXPECT_EQ(statusTexts()[1], CountdownText(2));

    tick(0);
    const std::uint32_t secondStart = events.now();
    tick(1);
    EXPECT_EQ(events.now() - secondStart, 6000u) << "the next countdown counts from 5";
    EXPECT_EQ(processes.launched().back()->startedAt, secondStart + 6000);
}

TEST_F(LauncherTest, ClosingDuringTheCountdownLaunchesNothingAndUnloadsOnce) {
    start("2", {"\"C:\\a.exe\""});
    events.at(1500, [this] {
        form.Unload();
        EXPECT_EQ(view.unloadCalls, 0) << "the window must not go while the tick still runs";
    });
    tick(1);
    EXPECT_EQ(view.unloadCalls, 1);
    EXPECT_TRUE(processes.attempts.empty());
    EXPECT_LT(events.now(), 2000u) << "the countdown stops";
    EXPECT_EQ(form.gestartet, False);
    EXPECT_NE(statusTexts().back(), kStatusStarted);

    tick(1);
    form.Unload();
    EXPECT_EQ(view.unloadCalls, 1);
    EXPECT_EQ(remote.calls, 1) << "no tick runs once the window is being unloaded";
    EXPECT_TRUE(processes.attempts.empty());
}

TEST_F(LauncherTest, ClosingOutsideATickUnloadsAtOnce) {
    start("2", {});
    form.Unload();
    EXPECT_EQ(view.unloadCalls, 1);
    form.Unload();
    EXPECT_EQ(view.unloadCalls, 1);
}

TEST_F(LauncherTest, ConnectionDroppingDuringTheCountdownIsNoticedAfterTheLaunch) {
    start("2", {"\"C:\\a.exe\""});
    events.at(1000, [this] { remote.up(0); });
    tick(1);
    EXPECT_EQ(statusTexts().back(), kStatusStarted) << "the launch completes";
    EXPECT_EQ(remote.calls, 1);
    form.Timer1_Timer();
    EXPECT_EQ(statusTexts().back(), kStatusEnded);
    EXPECT_EQ(processes.launched()[0]->exitCode, 1u);
}

// The entry's program is chosen by the core and handed to the system as it is; a quoted entry is left to
// the system, without a look at any file.
TEST_F(LauncherTest, TheChosenProgramIsStartedWithTheWholeEntry) {
    files.paths = {{"C:\\Program.exe", PathKind::image}, {"C:\\Program Files", PathKind::folder},
                   {"C:\\Program Files\\Tool", PathKind::folder}, {"C:\\Program Files\\Tool\\tool.exe", PathKind::image}};
    start("0", {"C:\\Program Files\\Tool\\tool.exe -x", "\"C:\\a.exe\" /b", "C:\\Programme Alt\\weg.exe"});
    const std::size_t quotedLookUps = files.lookedUp.size();
    tick(1);
    EXPECT_EQ(processes.attempts, (std::vector<std::string>{"C:\\Program Files\\Tool\\tool.exe -x", "\"C:\\a.exe\" /b"}))
        << "an entry that names no program is not started";
    EXPECT_EQ(processes.programs, (std::vector<std::string>{"C:\\Program Files\\Tool\\tool.exe", ""}));
    EXPECT_EQ(PidsOf(form).size(), 4u);
    EXPECT_EQ(PidsOf(form)[2], 0);
    EXPECT_EQ(quotedLookUps, 0u);
}

}  // namespace
}  // namespace kw::test
