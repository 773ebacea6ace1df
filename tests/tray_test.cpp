// Start-up in its order, the single copy, the tray icon with its callback and menu, and quitting.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "fakes/form_fixture.h"

namespace kw::test {
namespace {

class TrayTest : public FormFixture {};

TEST_F(TrayTest, StartUpRunsItsStepsInOrderAndEndsHiddenInTheTray) {
    form.gestartet = True;
    start("007", {"\"C:\\a.exe\"", "", "\"C:\\b.exe\" -x"});

    std::vector<std::string> expected = {"anotherCopyRuns",
                                         "setWindowState 1",
                                         "hide",
                                         "setCaption Kopplungswacht 1.2",
                                         "read Schlafen/schlafen",
                                         "setText Text1 7",
                                         "read Files/datei0",
                                         "listAdd \"C:\\a.exe\"",
                                         "read Files/datei1",
                                         "read Files/datei2",
                                         "listAdd \"C:\\b.exe\" -x"};
    for (int i = 3; i < 10; ++i)
        expected.push_back("read Files/datei" + std::to_string(i));
    // The chosen network adapters, after the list; none is chosen, so none is watched.
    for (int i = 0; i < 10; ++i)
        expected.push_back("read Adapter/adapter" + std::to_string(i));
    expected.insert(expected.end(), {"tray add", "startTimer 200", "notifyConnections"});
    EXPECT_EQ(journal, expected);
    EXPECT_EQ(form.gestartet, False);
    EXPECT_EQ(view.state, vbMinimized);
    EXPECT_FALSE(view.visible);
    EXPECT_TRUE(view.messageBoxes.empty());
    EXPECT_EQ(instance.ended, 0);

    ASSERT_EQ(tray.calls.size(), 1u);
    const NotifyIconDataA& nid = tray.calls[0].record;
    EXPECT_EQ(nid.cbSize, 88u);
    EXPECT_EQ(nid.hWnd, 0x1234u);
    EXPECT_EQ(nid.uID, 1u);
    EXPECT_EQ(nid.uFlags, 7u);
    EXPECT_EQ(nid.uCallbackMessage, 512u);
    EXPECT_EQ(nid.hIcon, 0x5678u);
    char tip[64];
    std::memcpy(tip, "Kopplungswacht", 15);
    std::memset(tip + 15, ' ', 49);
    EXPECT_EQ(std::memcmp(nid.szTip, tip, 64), 0) << "the name, a NUL and 49 blanks";
}

TEST_F(TrayTest, SecondCopyShowsItsBoxAndEndsBeforeAnythingElse) {
    instance.otherCopy = true;
    remote.up(1);
    start("5", {"\"C:\\a.exe\""});

    EXPECT_EQ(journal, (std::vector<std::string>{"anotherCopyRuns", "messageBox Bereits aktiv...", "endProcess"}));
    ASSERT_EQ(view.messageBoxes.size(), 1u);
    EXPECT_EQ(view.messageBoxes[0].text,
              "Kopplungswacht ist bereits aktiv\r\nSie finden mich im Systemtray neben der Uhr");
    EXPECT_EQ(view.messageBoxes[0].style, 16);
    EXPECT_EQ(store.reads, 0);
    EXPECT_TRUE(tray.calls.empty());
    EXPECT_EQ(view.unloadCalls, 0) << "no unload handler";
    EXPECT_EQ(form.trayrefresh, nullptr);
    EXPECT_EQ(remote.calls, 0);
    EXPECT_TRUE(processes.attempts.empty());
}

TEST(TrayCallback, EachCodeWithAndWithoutTheIconsIdentifier) {
    struct Row {
        std::uint32_t id, code;
        bool restores;
        bool menu;
        // Where the pointer stood in the client area: a real move with the left button held stands at the
        // point its message names, and the icon's callback does not.
        std::optional<std::pair<std::int32_t, std::int32_t>> pointer;
    };
    const std::vector<Row> rows = {
        {1, 0x201, true, false, std::nullopt},
        {1, 0x202, false, false, std::nullopt},
        {1, 0x203, false, false, std::nullopt},
        {1, 0x200, false, false, std::nullopt},
        {1, 0x204, false, true, std::nullopt},
        {1, 0x205, false, true, std::nullopt},
        {1, 0x206, false, false, std::nullopt},
        {0, 0x201, false, false, std::nullopt},
        {0, 0x204, false, false, std::nullopt},
        {2, 0x205, false, false, std::nullopt},
        {1, 0, false, false, std::nullopt},
        {1, 0x201, false, false, std::pair{513, 0}},
        {1, 0x204, false, false, std::pair{516, 0}},
        {1, 0x205, false, false, std::pair{517, 0}},
        {1, 0x204, false, true, std::pair{516, 1}},
        {1, 0x201, true, false, std::pair{0, 513}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("id " + std::to_string(row.id) + " code " + std::to_string(row.code) +
                     (row.pointer ? " pointer at " + std::to_string(row.pointer->first) + "," +
                                        std::to_string(row.pointer->second)
                                  : ""));
        FormRig rig;
        rig.start("2", {});
        rig.view.pointer = row.pointer;
        rig.journal.clear();
        rig.form.Form_MouseMove(row.id, row.code);
        if (row.restores)
            EXPECT_EQ(rig.journal, (std::vector<std::string>{"setWindowState 0", "show"}));
        else if (row.menu)
            EXPECT_EQ(rig.journal, (std::vector<std::string>{"popupMenu"}));
        else
            EXPECT_TRUE(rig.journal.empty());
    }
}

TEST_F(TrayTest, MenuOpensOnceAndRunsTheChosenItem) {
    start("2", {});
    view.whileMenuOpen = [this] {
        form.Form_MouseMove(1, 0x205);  // the button-up of the same click
        form.Form_MouseMove(1, 0x204);
    };
    view.menuChoice = MenuItem::none;
    form.Form_MouseMove(1, 0x204);
    EXPECT_EQ(view.menusOpened, 1) << "never two menus";
    EXPECT_FALSE(view.visible) << "a dismissed menu does nothing";

    view.menuChoice = MenuItem::mnu_name;
    form.Form_MouseMove(1, 0x205);
    EXPECT_EQ(view.menusOpened, 2) << "a closed menu opens again";
    EXPECT_TRUE(view.visible);
    EXPECT_EQ(view.state, vbNormal);
    form.mnu_name_Click();
    EXPECT_TRUE(view.visible) << "a shown window stays shown";
    EXPECT_EQ(view.state, vbNormal);
    EXPECT_EQ(view.unloadCalls, 0);

    view.whileMenuOpen = nullptr;
    view.menuChoice = MenuItem::mnu_quit;
    journal.clear();
    form.Form_MouseMove(1, 0x204);
    EXPECT_EQ(journal, (std::vector<std::string>{"popupMenu", "tray 2", "closeDialogs", "unload"}));
    EXPECT_TRUE(tray.icons.empty());
}

TEST(Quitting, EveryCauseDeletesTheIconWithTheSameRecordOnceAndUnloads) {
    const std::vector<std::pair<const char*, std::function<void(Form1&)>>> causes = {
        {"Beenden", [](Form1& form) { form.mnu_quit_Click(); }},
        {"Close, end of session or quit request", [](Form1& form) { form.Unload(); }},
    };
    for (const auto& [label, quit] : causes) {
        SCOPED_TRACE(label);
        FormRig rig;
        rig.start("-1", {"\"C:\\a.exe\""});
        rig.tick(1);
        const std::size_t writes = rig.store.writes.size();
        quit(rig.form);
        quit(rig.form);
        EXPECT_EQ(rig.view.unloadCalls, 1);
        ASSERT_EQ(rig.tray.calls.size(), 2u);
        EXPECT_EQ(rig.tray.calls[1].message, 2u);
        EXPECT_EQ(std::memcmp(&rig.tray.calls[1].record, &rig.tray.calls[0].record, sizeof(NotifyIconDataA)), 0);
        EXPECT_TRUE(rig.tray.icons.empty());
        EXPECT_TRUE(rig.processes.launched()[0]->alive) << "launched programs keep running";
        EXPECT_EQ(rig.store.writes.size(), writes) << "nothing is written at quit";
        rig.form.Form_TaskbarCreated();
        EXPECT_TRUE(rig.tray.icons.empty()) << "no icon comes back once the program ends";
    }
}

TEST_F(TrayTest, QuitDuringTheCountdownDeletesTheIconAtOnceAndLaunchesNothing) {
    for (const bool byQuitMessage : {false, true}) {
        SCOPED_TRACE(byQuitMessage ? "WM_QUIT" : "Beenden");
        FormRig rig;
        rig.start("3", {"\"C:\\a.exe\""});
        if (byQuitMessage) {
            rig.events.quitAt(1500);
        } else {
            rig.events.at(1500, [&rig] {
                rig.form.mnu_quit_Click();
                EXPECT_TRUE(rig.tray.icons.empty()) << "the icon goes before the countdown has unwound";
                EXPECT_EQ(rig.view.unloadCalls, 0);
            });
        }
        rig.tick(1);
        EXPECT_LE(rig.events.now(), 1510u);
        EXPECT_TRUE(rig.processes.attempts.empty());
        EXPECT_TRUE(rig.tray.icons.empty());
        EXPECT_EQ(rig.view.unloadCalls, 1);
        EXPECT_NE(rig.statusTexts().back(), kStatusStarted);
    }
}

// Events queued behind "Beenden" in the same round of the countdown's events find the program going:
// none of them writes a setting, shows a box or a dialog, or brings the window back.
TEST(QuitBegun, HandlersQueuedBehindBeendenDoNothing) {
    const std::vector<std::pair<const char*, std::function<void(FormRig&)>>> handlers = {
        {"Enter in the delay field",
         [](FormRig& rig) {
             rig.view.type(ControlId::Text1, "5");
             std::int16_t key = 13;
             rig.form.Text1_KeyPress(key);
         }},
        {"Info", [](FormRig& rig) { rig.form.Command5_Click(); }},
        {"Fenster minimieren", [](FormRig& rig) { rig.form.Command4_Click(); }},
        {"left click on the icon", [](FormRig& rig) { rig.form.Form_MouseMove(1, 0x201); }},
        {"right click on the icon", [](FormRig& rig) { rig.form.Form_MouseMove(1, 0x204); }},
        {"Hinzufügen",
         [](FormRig& rig) {
             rig.fileDialog.choose("C:\\b.exe");
             rig.form.Command1_Click();
         }},
        {"Entfernen", [](FormRig& rig) { rig.form.Command2_Click(); }},
        {"Bearbeiten",
         [](FormRig& rig) {
             rig.input.answers.push_back("neu");
             rig.form.Command3_Click();
         }},
        {"double click", [](FormRig& rig) { rig.form.filelist_DblClick(); }},
        {"Delete key", [](FormRig& rig) { rig.form.filelist_KeyUp(46); }},
        {"right click on the list", [](FormRig& rig) { rig.form.filelist_MouseUp(2, 15, 15); }},
        {"drop",
         [](FormRig& rig) {
             rig.form.filelist_OLEDragDrop(DropData{true, {"C:\\b.exe"}});
         }},
    };
    for (const auto& [label, handler] : handlers) {
        SCOPED_TRACE(label);
        FormRig rig;
        rig.start("2", {"\"C:\\a.exe\""});
        rig.view.selected = 0;
        rig.view.state = vbNormal;  // shown, so that the tick does not hide it
        rig.events.at(500, [&rig] {
            rig.view.menuChoice = MenuItem::mnu_quit;
            rig.form.Form_MouseMove(1, 0x205);
        });
        rig.events.at(500, [&rig, &handler = handler] { handler(rig); });
        rig.journal.clear();
        rig.tick(1);
        EXPECT_EQ(rig.journal, (std::vector<std::string>{"popupMenu", "tray 2", "closeDialogs", "unload"}));
        EXPECT_TRUE(rig.store.writes.empty());
        EXPECT_TRUE(rig.view.messageBoxes.empty());
        EXPECT_TRUE(rig.fileDialog.shown.empty());
        EXPECT_TRUE(rig.input.shown.empty());
        EXPECT_TRUE(rig.processes.attempts.empty());
    }
}

// The shell's answers in order (0 add, 1 modify); every call carries the record of the first.
std::vector<std::uint32_t> Messages(const FakeShellTray& tray) {
    std::vector<std::uint32_t> messages;
    for (const TrayCall& call : tray.calls) {
        messages.push_back(call.message);
        EXPECT_EQ(std::memcmp(&call.record, &tray.calls[0].record, sizeof(NotifyIconDataA)), 0);
    }
    return messages;
}

// Started at logon before the taskbar: each tick adds the icon again, a modify checking whether a failed
// add took it all the same, until the shell has it; from then on a tick asks the shell nothing.
TEST_F(TrayTest, IconRefusedAtStartIsAddedAgainEachTickUntilTheShellHasIt) {
    tray.refuseAdds = 3;
    start("2", {});
    tick(0);
    tick(0);
    EXPECT_TRUE(tray.icons.empty());
    EXPECT_EQ(Messages(tray), (std::vector<std::uint32_t>{0, 1, 0, 1, 0, 1}));
    for (int i = 0; i < 5; ++i)
        tick(0);
    EXPECT_EQ(tray.icons.size(), 1u);
    EXPECT_EQ(Messages(tray), (std::vector<std::uint32_t>{0, 1, 0, 1, 0, 1, 0}));
    EXPECT_EQ(view.unloadCalls, 0);
    EXPECT_TRUE(view.messageBoxes.empty());
}

// Explorer busy: the add takes the icon but reports a failure; the modify finds it, and it is not added twice.
TEST_F(TrayTest, AddThatTimesOutAfterTakingTheIconIsFoundByTheModify) {
    tray.addTimeouts = 1;
    start("2", {});
    tick(0);
    tick(0);
    EXPECT_EQ(Messages(tray), (std::vector<std::uint32_t>{0, 1}));
    EXPECT_EQ(tray.icons.size(), 1u);
}

// A restarted shell announces its new taskbar, which knows no icon: it is added again with the same record,
// and, where the new taskbar does not take it yet, by the next ticks.
TEST_F(TrayTest, NewTaskbarGetsTheIconAgainWithTheSameRecord) {
    start("2", {});
    tray.icons.clear();
    tray.refuseAdds = 1;
    form.Form_TaskbarCreated();
    EXPECT_TRUE(tray.icons.empty());
    tick(0);
    tick(0);
    EXPECT_EQ(Messages(tray), (std::vector<std::uint32_t>{0, 0, 1, 0}));
    EXPECT_EQ(tray.icons.size(), 1u);
    form.Form_TaskbarCreated();  // the shell restarted again but kept the icon: the modify finds it
    EXPECT_EQ(Messages(tray), (std::vector<std::uint32_t>{0, 0, 1, 0, 0, 1}));
    EXPECT_EQ(tray.icons.size(), 1u);
}

TEST_F(TrayTest, TimerThatCannotStartEndsTheProgramWithABox) {
    view.timerStarts = false;
    start("2", {});
    ASSERT_EQ(view.messageBoxes.size(), 1u);
    EXPECT_EQ(view.messageBoxes[0].style, 16);
    EXPECT_EQ(view.messageBoxes[0].title, "Kopplungswacht");
    EXPECT_NE(view.messageBoxes[0].text.find("nicht überwachen"), std::string::npos);
    EXPECT_EQ(view.unloadCalls, 1);
    EXPECT_TRUE(tray.icons.empty());
    EXPECT_EQ(remote.notifyCalls, 0) << "a program on its way out asks the service for nothing";
}

}  // namespace
}  // namespace kw::test
