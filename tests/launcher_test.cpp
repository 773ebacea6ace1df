// Countdown, launch and ending of the listed programs.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "fakes/form_fixture.h"
#include "tray/notices.h"

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
    files.paths = {{"C:\\Program.exe", PathKind::image},
                   {"C:\\Program Files", PathKind::folder},
                   {"C:\\Program Files\\Tool", PathKind::folder},
                   {"C:\\Program Files\\Tool\\tool.exe", PathKind::image}};
    start("0", {"C:\\Program Files\\Tool\\tool.exe -x", "\"C:\\a.exe\" /b", "C:\\Programme Alt\\weg.exe"});
    const std::size_t quotedLookUps = files.lookedUp.size();
    tick(1);
    EXPECT_EQ(processes.attempts,
              (std::vector<std::string>{"C:\\Program Files\\Tool\\tool.exe -x", "\"C:\\a.exe\" /b"}))
        << "an entry that names no program is not started";
    EXPECT_EQ(processes.programs, (std::vector<std::string>{"C:\\Program Files\\Tool\\tool.exe", ""}));
    EXPECT_EQ(PidsOf(form).size(), 4u);
    EXPECT_EQ(PidsOf(form)[2], 0);
    EXPECT_EQ(quotedLookUps, 0u);
}

// What a launched program starts goes with it: the job is ended whole, while a process that left the job
// on purpose, or one that ran before the launch, is left alone. The system ends processes after its call
// has returned; the sweep comes only once they have gone, and the wait has its bound.
TEST_F(LauncherTest, TheEndingEndsEachJobWholeAndSweepsOnlyOnceItHasGone) {
    processes.endLag = 40;
    start("-1", {"\"C:\\Stub\\update.exe\" --processStart app.exe", "\"C:\\B\\b.exe\"", "\"C:\\C\\c.exe\""});
    ProcessRecord& earlier = processes.foreign(4444);  // a copy that ran before: never in the job
    tick(1);
    const auto launched = processes.launched();
    ASSERT_EQ(launched.size(), 3u);
    for (const ProcessRecord* process : launched) {
        SCOPED_TRACE(process->commandLine);
        EXPECT_FALSE(process->suspended) << "it runs only once it is in its job";
        EXPECT_NE(process->job, 0);
    }
    ProcessRecord& app = processes.spawn(launched[0]->pid, "app.exe");
    processes.exits(launched[0]->pid);  // the stub hands over and exits
    ProcessRecord& grandchild = processes.spawn(app.pid, "helper.exe");
    ProcessRecord& leaver = processes.spawn(launched[1]->pid, "leaver.exe", true);
    processes.exits(launched[2]->pid);  // ends by itself: not counted

    // At the first mouse move of the sweep, every ended process has gone.
    int goingAtSweep = -1;
    windows.onSend = [&] {
        if (goingAtSweep < 0)
            goingAtSweep = processes.going();
    };
    const std::uint32_t dropAt = events.now();
    tick(0);
    EXPECT_EQ(goingAtSweep, 0);
    EXPECT_EQ(events.now() - dropAt, 40u) << "the wait lasts until the last one has gone";
    for (const ProcessRecord* process : {&app, &grandchild, launched[1]}) {
        SCOPED_TRACE(process->commandLine);
        EXPECT_FALSE(process->alive);
        EXPECT_EQ(process->exitCode, 1u);
    }
    EXPECT_EQ(launched[0]->exitCode, 0u) << "the stub had exited by itself";
    EXPECT_TRUE(leaver.alive) << "it left the job on purpose";
    EXPECT_TRUE(earlier.alive);
    EXPECT_EQ(tray.balloons, (std::vector<FakeShellTray::Balloon>{
                                 {"Kopplungswacht", "Verbindung getrennt: 2 Programme beendet.", BalloonIcon::info}}))
        << "the stub's job and b.exe ended something; c.exe had ended by itself";

    // Processes that take their time: the sweep waits one second in all, then comes anyway.
    processes.endLag = 5000;
    tick(1);
    const std::uint32_t secondDrop = events.now();
    tick(0);
    EXPECT_EQ(events.now() - secondDrop, kEndingWait);
    EXPECT_EQ(tray.balloons.back().text, "Verbindung getrennt: 3 Programme beendet.");
}

// Windows 7 puts no process into a job when this program sits in one already: the program is ended alone,
// as before, and what it started runs on. A process that cannot be resumed is ended at once and reported.
TEST_F(LauncherTest, WithoutAJobTheProgramIsEndedAloneAndAnUnresumableOneIsReported) {
    processes.refuseJobs = true;
    start("-1", {"\"C:\\A\\a.exe\""});
    tick(1);
    ASSERT_EQ(processes.launched().size(), 1u);
    ProcessRecord& program = *processes.launched()[0];
    EXPECT_EQ(program.job, 0);
    EXPECT_FALSE(program.suspended);
    ProcessRecord& child = processes.spawn(program.pid, "kind.exe");
    tick(0);
    EXPECT_EQ(program.exitCode, 1u);
    EXPECT_TRUE(child.alive);
    EXPECT_EQ(tray.balloons.back().text, "Verbindung getrennt: 1 Programm beendet.");
}

// One notification after a launch with entries that did not start, one line each in the list's order, the
// system's reason at the end; the status texts stay as they are. None once the program is going.
TEST(Notices, FailedStartsAndTheDropAreSaid) {
    FormRig rig;
    rig.processes.failing = {{"\"C:\\Admin\\setup.exe\"", 740}, {"\"C:\\Kein\\doc.txt\"", 193}};
    rig.processes.reasons = {{2, "Das System kann die angegebene Datei nicht finden."},
                             {740, "Der angeforderte Vorgang erfordert erhöhte Rechte."}};
    rig.start("-1", {"\"C:\\A\\a.exe\"", "C:\\Programme Alt\\weg.exe -x", "\"C:\\Admin\\setup.exe\"",
                     "\"C:\\Kein\\doc.txt\""});
    rig.tick(1);
    EXPECT_EQ(rig.statusTexts().back(), kStatusStarted);
    EXPECT_EQ(rig.processes.launched().size(), 1u);
    ASSERT_EQ(rig.tray.balloons.size(), 1u);
    EXPECT_EQ(
        rig.tray.balloons[0],
        (FakeShellTray::Balloon{
            "Kopplungswacht",
            "Nicht gestartet: C:\\Programme Alt\\weg.exe -x Das System kann die angegebene Datei nicht finden.\r\n"
            "Nicht gestartet: \"C:\\Admin\\setup.exe\" Der angeforderte Vorgang erfordert erhöhte Rechte.\r\n"
            "Nicht gestartet: \"C:\\Kein\\doc.txt\" Fehler 193",
            BalloonIcon::error}));

    // A failed count ends the programs too, and says so; a second ending that ends nothing says nothing.
    rig.remote.fail(620);
    rig.form.Timer1_Timer();
    EXPECT_EQ(rig.tray.balloons.back().text, "Verbindungen nicht abfragbar: 1 Programm beendet.");
    rig.processes.failing.clear();
    rig.view.list = {"\"C:\\A\\a.exe\""};
    rig.tick(1);
    rig.processes.exits(rig.processes.launched().back()->pid);
    rig.tick(0);
    EXPECT_EQ(rig.tray.balloons.size(), 2u) << "an ending that ended nothing shows nothing";

    // Without the icon (the shell is down), nothing is shown and nothing else changes.
    rig.tray.icons.clear();
    rig.tick(1);
    rig.tick(0);
    EXPECT_EQ(rig.tray.balloons.size(), 2u);
    EXPECT_EQ(rig.statusTexts().back(), kStatusEnded);

    // Beenden during the launch: the program is going, and says nothing more.
    FormRig quitting;
    quitting.processes.failing = {{"\"C:\\A\\a.exe\"", 2}};
    quitting.start("1", {"\"C:\\A\\a.exe\""});
    quitting.events.at(500, [&quitting] { quitting.form.Unload(); });
    quitting.tick(1);
    EXPECT_TRUE(quitting.tray.balloons.empty());
}

TEST(Notices, TextsAndTheirCut) {
    EXPECT_EQ(DropNotice(0, 1), "Verbindung getrennt: 1 Programm beendet.");
    EXPECT_EQ(DropNotice(0, 10), "Verbindung getrennt: 10 Programme beendet.");
    EXPECT_EQ(DropNotice(-1, 1), "Verbindungen nicht abfragbar: 1 Programm beendet.");
    EXPECT_EQ(DropNotice(-1, 3), "Verbindungen nicht abfragbar: 3 Programme beendet.");

    const std::string fits(255, 'a');
    EXPECT_EQ(FitNotice(fits), fits);
    EXPECT_EQ(FitNotice(fits + "b"), std::string(254, 'a') + "…");
    // Umlauts are one UTF-16 character each; a character beyond the plane is two and is never halved.
    const std::string umlauts = std::string(253, 'a') + "äöü";
    EXPECT_EQ(FitNotice(umlauts), std::string(253, 'a') + "ä…");
    const std::string emoji = std::string(253, 'a') + "😀b";
    EXPECT_EQ(FitNotice(emoji), std::string(253, 'a') + "…");
}

}  // namespace
}  // namespace kw::test
