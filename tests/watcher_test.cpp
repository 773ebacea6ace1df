// The connection watcher's tick: counting, the aktiv label and the two-state machine.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/form_fixture.h"

namespace kw::test {
namespace {

class WatcherTest : public FormFixture {};

TEST(WatcherStates, OneTickFromEachStateWithEachKindOfCount) {
    struct Row {
        const char* label;
        bool running;
        std::uint32_t count;
        std::uint32_t error;  // non-zero: the count fails
        const char* aktiv;
        std::vector<std::string> status;  // set by this tick
        std::int16_t gestartetAfter;
        int launches;
        int ends;
    };
    const std::vector<Row> rows = {
        {"idle, one connection", false, 1, 0, "1", {kStatusStarting, kLaunching, kStatusStarted}, True, 1, 0},
        {"idle, three connections", false, 3, 0, "3", {kStatusStarting, kLaunching, kStatusStarted}, True, 1, 0},
        {"idle, none", false, 0, 0, "0", {}, False, 0, 0},
        {"idle, count fails", false, 0, 623, "-1", {}, False, 0, 0},
        {"idle, count fails but reports two", false, 2, 603, "-1", {}, False, 0, 0},
        {"running, one connection", true, 1, 0, "1", {}, True, 0, 0},
        {"running, two connections", true, 2, 0, "2", {}, True, 0, 0},
        {"running, none", true, 0, 0, "0", {kStatusEnding, kStatusEnded}, False, 0, 1},
        {"running, count fails", true, 0, 623, "-1", {kStatusEnding, kStatusEnded}, False, 0, 1},
        {"running, count fails but reports one", true, 1, 603, "-1", {kStatusEnding, kStatusEnded}, False, 0, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        FormRig rig;
        rig.start("-1", {"\"C:\\a.exe\""});
        if (row.running) {
            rig.tick(1);
            ASSERT_EQ(rig.form.gestartet, True);
        }
        const std::size_t statusBefore = rig.statusTexts().size();
        const std::size_t launchesBefore = rig.processes.attempts.size();

        rig.remote.connections = row.count;
        rig.remote.errorCode = row.error;
        rig.form.Timer1_Timer();

        EXPECT_EQ(rig.view.text(ControlId::aktiv), std::string(kAktivPrefix) + row.aktiv);
        const auto status = rig.statusTexts();
        EXPECT_EQ(std::vector<std::string>(status.begin() + static_cast<long>(statusBefore), status.end()), row.status);
        EXPECT_EQ(rig.form.gestartet, row.gestartetAfter);
        EXPECT_EQ(static_cast<int>(rig.processes.attempts.size() - launchesBefore), row.launches);
        EXPECT_EQ(rig.processes.terminateCalls(), row.ends);
    }
}

// The label shows every count; the window is asked to redraw it only when its text changes.
TEST_F(WatcherTest, AktivShowsEveryCountAndIsWrittenWhenItChanges) {
    start("-1", {});
    EXPECT_EQ(view.text(ControlId::aktiv), "Momentan aktive DFÜ-Verbindungen: 0") << "design caption before any tick";
    struct Count {
        std::uint32_t n;
        std::uint32_t error;
        const char* shown;
    };
    const std::vector<Count> counts = {{0, 0, "0"},    {0, 0, "0"},    {1, 0, "1"},     {1, 0, "1"}, {2, 0, "2"},
                                       {0, 611, "-1"}, {0, 611, "-1"}, {256, 0, "256"}, {2, 0, "2"}};
    for (const auto& c : counts) {
        SCOPED_TRACE(c.shown);
        remote.connections = c.n;
        remote.errorCode = c.error;
        form.Timer1_Timer();
        EXPECT_EQ(view.text(ControlId::aktiv), std::string(kAktivPrefix) + c.shown);
    }
    EXPECT_EQ(
        view.textsSet(ControlId::aktiv),
        (std::vector<std::string>{"Momentan aktive DFÜ-Verbindungen: 0", "Momentan aktive DFÜ-Verbindungen: 1",
                                  "Momentan aktive DFÜ-Verbindungen: 2", "Momentan aktive DFÜ-Verbindungen: -1",
                                  "Momentan aktive DFÜ-Verbindungen: 256", "Momentan aktive DFÜ-Verbindungen: 2"}));
}

TEST_F(WatcherTest, EveryCountGetsAFreshRecordZeroAndTheWholeBuffer) {
    start("-1", {});
    // The service fills in a record per connection; the next count must not hand those back.
    for (const std::uint32_t n : {2u, 256u, 0u, 1u, 0u}) {
        SCOPED_TRACE(n);
        tick(n);
        EXPECT_EQ(remote.dwSize, 412u);
        EXPECT_EQ(remote.byteCount, 105472u);
        EXPECT_EQ(remote.countGiven, 0u);
    }
    EXPECT_EQ(remote.calls, 5) << "one count per tick";
    EXPECT_TRUE(remote.record0Zeroed);
}

TEST_F(WatcherTest, ProgramsRunWhileAnyConnectionStaysUp) {
    start("-1", {"\"C:\\a.exe\""});
    for (const std::uint32_t n : {1u, 2u, 1u, 3u, 1u})
        tick(n);
    EXPECT_EQ(processes.attempts.size(), 1u);
    EXPECT_EQ(processes.terminateCalls(), 0);
    tick(0);
    tick(0);
    EXPECT_EQ(processes.terminateCalls(), 1) << "ended once, when the count reached 0";
    tick(1);
    EXPECT_EQ(processes.attempts.size(), 2u) << "a new connection period launches again";
}

TEST_F(WatcherTest, FailedCountWhileRunningEndsAndTheNextCountLaunchesAgain) {
    start("0", {"\"C:\\a.exe\""});
    tick(1);
    remote.fail(623);
    form.Timer1_Timer();
    EXPECT_EQ(form.gestartet, False);
    EXPECT_EQ(processes.launched()[0]->exitCode, 1u);
    tick(1);
    EXPECT_EQ(processes.launched().size(), 2u);
    EXPECT_EQ(events.now(), 2000u) << "each launch has its own countdown of one second";
}

TEST_F(WatcherTest, TickFallingDueDuringTheCountdownIsSkippedWhileWindowEventsRun) {
    start("2", {"\"C:\\a.exe\""});
    bool keyHandled = false;
    events.at(900, [this] { form.Timer1_Timer(); });
    events.at(1100, [this, &keyHandled] {
        view.type(ControlId::Text1, "4");
        std::int16_t enter = 13;
        form.Text1_KeyPress(enter);
        keyHandled = true;
    });
    events.at(1300, [this] { form.Timer1_Timer(); });
    tick(1);

    EXPECT_TRUE(keyHandled);
    EXPECT_EQ(form.schlafzeit, 4);
    EXPECT_EQ(remote.calls, 1) << "the nested ticks did not count";
    EXPECT_EQ(view.textsSet(ControlId::aktiv).size(), 1u);
    EXPECT_EQ(processes.attempts.size(), 1u);
    EXPECT_EQ(statusTexts(), (std::vector<std::string>{kStatusStarting, CountdownText(2), CountdownText(1),
                                                       CountdownText(0), kLaunching, kStatusStarted}));

    tick(1);
    EXPECT_EQ(remote.calls, 2) << "ticks run again once the countdown has returned";
}

// The confirmation of a delay typed during the countdown stays open for two seconds; the timer keeps
// falling due inside the box's modal loop.
TEST_F(WatcherTest, TickFallingDueWhileABoxIsOpenStartsNoSecondCountdown) {
    start("2", {"\"C:\\a.exe\""});
    view.whileBoxOpen = [this] { events.elapse(2000); };
    events.at(500, [this] {
        view.type(ControlId::Text1, "4");
        std::int16_t enter = 13;
        form.Text1_KeyPress(enter);
    });
    for (std::uint32_t due = 600; due <= 2400; due += 200) {
        events.at(due, [this] { form.Timer1_Timer(); });
    }
    tick(1);

    EXPECT_EQ(events.pendingEvents(), 0u) << "every tick fell due while the box was open";
    EXPECT_EQ(remote.calls, 1);
    EXPECT_EQ(processes.attempts.size(), 1u);
    EXPECT_EQ(statusTexts(), (std::vector<std::string>{kStatusStarting, CountdownText(2), CountdownText(1),
                                                       CountdownText(0), kLaunching, kStatusStarted}));
    EXPECT_EQ(form.schlafzeit, 4);

    tick(0);
    tick(1);
    EXPECT_EQ(statusTexts()[9], CountdownText(4)) << "the next connection counts from the new delay";
}

// The service announces each connection that comes or goes; the loop that finds the announcement runs
// the timer's tick at once.
TEST_F(WatcherTest, AnnouncedChangeRunsOneTickAtOnce) {
    start("-1", {"\"C:\\a.exe\""});
    ASSERT_EQ(remote.notifyCalls, 1);

    remote.up(1);
    events.wake();
    EXPECT_EQ(remote.calls, 1);
    EXPECT_EQ(view.text(ControlId::aktiv), "Momentan aktive DFÜ-Verbindungen: 1");
    EXPECT_EQ(statusTexts(), (std::vector<std::string>{kStatusStarting, kLaunching, kStatusStarted}));
    EXPECT_EQ(form.gestartet, True);

    remote.up(2);
    events.wake();
    events.wake();
    EXPECT_EQ(remote.calls, 2) << "one tick per announcement";
    EXPECT_EQ(view.text(ControlId::aktiv), "Momentan aktive DFÜ-Verbindungen: 2");
    EXPECT_EQ(processes.attempts.size(), 1u);

    form.mnu_name_Click();
    form.Command4_Click();
    remote.up(0);
    events.wake();
    EXPECT_EQ(remote.calls, 3);
    EXPECT_FALSE(view.visible) << "the announced tick hides a minimised window, as every tick does";
    EXPECT_EQ(processes.launched()[0]->exitCode, 1u);
    EXPECT_EQ(statusTexts(),
              (std::vector<std::string>{kStatusStarting, kLaunching, kStatusStarted, kStatusEnding, kStatusEnded}));
    EXPECT_EQ(form.gestartet, False);
    EXPECT_EQ(events.now(), 0u) << "no tick waited for the clock";
}

// The thread has one wake handler, the watcher's, registered once: the dial-up service and the adapters
// both wake it, announcements of both before the loop looks are one tick, and a later registration is
// refused, so it cannot take the watcher's place.
TEST_F(WatcherTest, EveryServiceWakesTheWatcherThroughItsOneHandler) {
    adapters.table = {{"wg-buero", "", 53, 2}};
    start("-1", {"\"C:\\a.exe\""}, {"wg-buero"});
    EXPECT_EQ(events.wakeRegistrations(), 1);
    ASSERT_EQ(remote.notifyCalls, 1);
    ASSERT_EQ(adapters.notifyCalls, 1);
    bool other = false;
    EXPECT_FALSE(events.onWake([&other] { other = true; }));

    remote.up(1);
    adapters.set("wg-buero", kIfOperStatusUp);
    events.wake();
    EXPECT_FALSE(other);
    EXPECT_EQ(remote.calls, 1) << "one tick for both announcements";
    EXPECT_EQ(view.text(ControlId::aktiv), "Momentan aktive DFÜ-Verbindungen: 2");
    adapters.set("wg-buero", 2);
    events.wake();
    EXPECT_EQ(remote.calls, 2);
    EXPECT_EQ(view.text(ControlId::aktiv), "Momentan aktive DFÜ-Verbindungen: 1");

    // Where the watcher's registration is refused, no service is asked to announce: nothing would hear it.
    FormRig late;
    late.events.onWake([] {});
    late.start("-1", {}, {"wg-buero"});
    EXPECT_EQ(late.remote.notifyCalls, 0);
    EXPECT_EQ(late.adapters.notifyCalls, 0);
}

// Announcements that come during the countdown are skipped, as the timer's ticks then are: the drop is
// ended by the first tick after the launch, and nothing is left over for the loop afterwards.
TEST_F(WatcherTest, ChangeAnnouncedDuringATickNestsNoTick) {
    start("2", {"\"C:\\a.exe\""});
    events.at(900, [this] { remote.up(0); });
    events.at(1500, [this] { remote.up(1); });
    events.at(2100, [this] { remote.up(0); });
    events.at(2150, [this] { form.Timer1_Timer(); });
    remote.up(1);
    events.wake();

    EXPECT_EQ(events.pendingEvents(), 0u);
    EXPECT_EQ(remote.calls, 1) << "neither the announcements nor the timer ran a tick inside the countdown";
    EXPECT_EQ(view.textsSet(ControlId::aktiv), (std::vector<std::string>{"Momentan aktive DFÜ-Verbindungen: 1"}));
    EXPECT_EQ(processes.attempts.size(), 1u);
    EXPECT_EQ(statusTexts(), (std::vector<std::string>{kStatusStarting, CountdownText(2), CountdownText(1),
                                                       CountdownText(0), kLaunching, kStatusStarted}));
    events.wake();
    EXPECT_EQ(remote.calls, 1) << "the announcements were used up during the countdown";

    form.Timer1_Timer();
    EXPECT_EQ(remote.calls, 2);
    EXPECT_EQ(processes.launched()[0]->exitCode, 1u);
    EXPECT_EQ(statusTexts().back(), kStatusEnded);
}

// Where the service cannot announce changes (an older system, Wine's own), the timer watches alone: no
// message, and only the timer's tick notices a connection.
TEST_F(WatcherTest, ServiceThatCannotAnnounceLeavesTheTimerAlone) {
    remote.notifyFails = true;
    start("-1", {"\"C:\\a.exe\""});
    EXPECT_EQ(remote.notifyCalls, 1);
    EXPECT_TRUE(view.messageBoxes.empty());
    EXPECT_EQ(view.unloadCalls, 0);

    remote.up(1);
    events.wake();
    EXPECT_EQ(remote.calls, 0);
    EXPECT_EQ(view.text(ControlId::aktiv), "Momentan aktive DFÜ-Verbindungen: 0");
    EXPECT_TRUE(processes.attempts.empty());

    form.Timer1_Timer();
    remote.up(0);
    events.wake();
    EXPECT_EQ(form.gestartet, True) << "the drop waits for the timer";
    form.Timer1_Timer();
    EXPECT_EQ(statusTexts(),
              (std::vector<std::string>{kStatusStarting, kLaunching, kStatusStarted, kStatusEnding, kStatusEnded}));
    EXPECT_EQ(remote.calls, 2);
}

TEST_F(WatcherTest, WindowMinimisedDuringTheCountdownIsHiddenByTheNextTick) {
    start("2", {"\"C:\\a.exe\""});
    form.mnu_name_Click();
    events.at(700, [this] { form.Command4_Click(); });
    tick(1);
    EXPECT_EQ(view.state, vbMinimized);
    EXPECT_TRUE(view.visible) << "hiding waits for the next tick";
    tick(1);
    EXPECT_FALSE(view.visible);
}

TEST_F(WatcherTest, NormalWindowStaysShown) {
    start("-1", {});
    form.mnu_name_Click();
    const int hiddenAtStart = view.hideCalls;
    for (const std::uint32_t n : {0u, 1u, 0u})
        tick(n);
    EXPECT_TRUE(view.visible);
    EXPECT_EQ(view.hideCalls, hiddenAtStart);
}

}  // namespace
}  // namespace kw::test
