// Editing the program list: the dialog, the input box, removing by button, key and right click, drops,
// the limit of ten entries and the stored slots after each change.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/form_fixture.h"

namespace kw::test {
namespace {

const std::string kNoSelectionText = "Bitte wählen Sie zuerst eine Datei aus,\r\noder fügen eine Datei hinzu.";

// Appends rather than `"\"" + path`, which gcc 12 warns about wrongly (-Wrestrict).
std::string Quoted(const std::string& path) {
    std::string quoted(1, '"');
    quoted.append(path).push_back('"');
    return quoted;
}

struct ListRig : FormRig {
    // Start-up with entries "a0", "a1", ... stored.
    void startWith(int entries) {
        std::vector<std::string> stored;
        for (int i = 0; i < entries; ++i)
            stored.push_back(std::string(1, 'a').append(std::to_string(i)));
        start("2", stored);
    }
    // The ten stored slots; "?" for one never written.
    std::vector<std::string> slots() const {
        std::vector<std::string> result;
        for (int i = 0; i < 10; ++i)
            result.push_back(store.get("Kopplungswacht", "Files", "datei" + std::to_string(i)).value_or("?"));
        return result;
    }
    static std::vector<std::string> Padded(std::vector<std::string> entries) {
        entries.resize(10);
        return entries;
    }
    bool addEnabled() const { return view.isEnabled(ControlId::Command1); }
};

class ListTest : public ::testing::Test, public ListRig {};

TEST_F(ListTest, AddThroughTheDialogKeepsTheLastFileNameAndSavesEvenWhenCancelled) {
    startWith(1);
    const std::string path = "C:\\Programme\\Grüße\\Ωmega – ein sehr langer Ordnername\\post.exe";
    fileDialog.choose(path);
    form.Command1_Click();
    ASSERT_EQ(fileDialog.shown.size(), 1u);
    const CommonDialog& first = fileDialog.shown[0];
    EXPECT_EQ(first.Filter, "Ausführbare Dateien (*.exe;*.com;*.bat)|*.exe;*.com;*.bat|Alle Dateien (*.*)|*.*");
    EXPECT_EQ(first.DialogTitle, "File wählen");
    EXPECT_EQ(first.Flags, 2625540u);
    EXPECT_EQ(first.FileName, "");
    EXPECT_EQ(view.list, (std::vector<std::string>{"a0", Quoted(path)}));
    EXPECT_EQ(slots(), Padded({"a0", Quoted(path)}));

    store.writes.clear();
    fileDialog.cancel();
    form.Command1_Click();
    EXPECT_EQ(fileDialog.shown.back().FileName, path) << "the dialog starts with the file chosen last";
    EXPECT_EQ(view.list.size(), 2u);
    EXPECT_EQ(store.writes.size(), 10u) << "saved although nothing was added";

    fileDialog.choose("C:\\b.bat");
    form.Command1_Click();
    EXPECT_EQ(fileDialog.shown.back().FileName, path) << "a cancel keeps the file name";
    fileDialog.choose("C:\\b.bat");
    form.Command1_Click();
    EXPECT_EQ(fileDialog.shown.back().FileName, "C:\\b.bat");
    EXPECT_EQ(slots(), Padded({"a0", Quoted(path), "\"C:\\b.bat\"", "\"C:\\b.bat\""})) << "duplicates allowed";
    EXPECT_TRUE(view.messageBoxes.empty());
    EXPECT_TRUE(addEnabled());
}

TEST_F(ListTest, DialogFailureShowsTheErrorAndAddsNothing) {
    startWith(0);
    fileDialog.choose("C:\\a.exe");
    form.Command1_Click();
    fileDialog.fail(20477, "Der Dateiname ist ungültig.");
    form.Command1_Click();
    ASSERT_EQ(view.messageBoxes.size(), 1u);
    EXPECT_EQ(view.messageBoxes[0].text, "Error 20477 selecting file.\r\nDer Dateiname ist ungültig.");
    EXPECT_EQ(view.messageBoxes[0].style, 0);
    EXPECT_EQ(view.messageBoxes[0].title, "") << "the box shows the program's title";
    EXPECT_EQ(slots(), Padded({"\"C:\\a.exe\""}));
    EXPECT_EQ(form.dlgOpenFile.FileName, "C:\\a.exe");
}

TEST_F(ListTest, TheAddButtonFollowsTheLimitAcrossAddRemoveAndDrop) {
    startWith(9);
    EXPECT_TRUE(addEnabled());
    fileDialog.choose("C:\\zehn.exe");
    form.Command1_Click();
    EXPECT_EQ(view.list.size(), 10u);
    EXPECT_FALSE(addEnabled()) << "the tenth entry";
    EXPECT_EQ(slots()[9], "\"C:\\zehn.exe\"");

    view.selected = 0;
    form.Command2_Click();
    EXPECT_TRUE(addEnabled()) << "nine left";
    EXPECT_EQ(slots(), Padded({"a1", "a2", "a3", "a4", "a5", "a6", "a7", "a8", "\"C:\\zehn.exe\""}));

    struct Row {
        const char* label;
        int entries;
        std::vector<std::string> dropped;
        std::size_t count;
        bool refused;
        bool enabled;
    };
    const std::vector<Row> rows = {
        {"8 + 3 refused whole", 8, {"C:\\x", "C:\\y", "C:\\z"}, 8, true, true},
        {"8 + 2 accepted", 8, {"C:\\x", "C:\\Ordner"}, 10, false, false},
        {"10 + 1 refused", 10, {"C:\\x"}, 10, true, false},
        {"0 + 10 accepted", 0, {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}, 10, false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        ListRig rig;
        rig.startWith(row.entries);
        rig.form.filelist_OLEDragDrop(DropData{true, row.dropped});
        EXPECT_EQ(rig.view.list.size(), row.count);
        EXPECT_EQ(rig.addEnabled(), row.enabled);
        EXPECT_EQ(rig.slots(), Padded(rig.view.list)) << "saved also when refused";
        if (row.refused) {
            ASSERT_EQ(rig.view.messageBoxes.size(), 1u);
            EXPECT_EQ(rig.view.messageBoxes[0].text, "Sorry, es sind maximal 10 Programme zugelassen.");
            EXPECT_EQ(rig.view.messageBoxes[0].style, 48);
            EXPECT_EQ(rig.view.messageBoxes[0].title, "Maximal 10 Dateie gestattet");
        } else {
            EXPECT_TRUE(rig.view.messageBoxes.empty());
            EXPECT_EQ(rig.view.list[row.entries], Quoted(row.dropped[0])) << "in the order of the drop";
            EXPECT_EQ(rig.view.list.back(), Quoted(row.dropped.back()));
        }
    }
}

TEST_F(ListTest, CommandsWithoutASelectionSayNothingIsChosenAndChangeNothing) {
    startWith(3);
    form.Command2_Click();
    form.Command3_Click();
    form.filelist_DblClick();
    ASSERT_EQ(view.messageBoxes.size(), 3u);
    for (const auto& box : view.messageBoxes) {
        EXPECT_EQ(box.text, kNoSelectionText);
        EXPECT_EQ(box.style, 48);
        EXPECT_EQ(box.title, "Keine Datei gewählt");
    }
    form.filelist_KeyUp(46);
    EXPECT_EQ(view.messageBoxes.size(), 3u) << "Delete without a selection does nothing at all";
    EXPECT_TRUE(input.shown.empty());
    EXPECT_TRUE(store.writes.empty());
    EXPECT_EQ(view.list, (std::vector<std::string>{"a0", "a1", "a2"}));
}

TEST_F(ListTest, RemoveByButtonAndByTheDeleteKey) {
    startWith(4);
    view.selected = 0;
    form.filelist_KeyUp(8);   // Backspace
    form.filelist_KeyUp(45);  // Insert
    EXPECT_TRUE(store.writes.empty()) << "other keys do nothing";
    form.Command2_Click();
    EXPECT_EQ(view.list, (std::vector<std::string>{"a1", "a2", "a3"}));
    EXPECT_EQ(slots(), Padded({"a1", "a2", "a3"}));
    EXPECT_EQ(view.selected, -1);
    view.selected = 2;
    form.filelist_KeyUp(46);
    EXPECT_EQ(slots(), Padded({"a1", "a2"}));
    EXPECT_TRUE(view.messageBoxes.empty());
}

TEST_F(ListTest, EditReplacesTheEntryInPlace) {
    startWith(3);
    view.selected = 1;
    input.answers = {"\"C:\\a1.exe\" /x -größe"};
    form.Command3_Click();
    ASSERT_EQ(input.shown.size(), 1u);
    EXPECT_EQ(input.shown[0].prompt, "Hier kann der Eintrag bearbeitet werden,\r\num z.B. Parameter hinzuzufügen.");
    EXPECT_EQ(input.shown[0].title, "Eintrag bearbeiten");
    EXPECT_EQ(input.shown[0].defaultText, "a1");
    EXPECT_EQ(view.list, (std::vector<std::string>{"a0", "\"C:\\a1.exe\" /x -größe", "a2"}));
    EXPECT_EQ(slots(), Padded(view.list));

    store.writes.clear();
    view.selected = 2;
    input.answers = {"a2"};
    form.filelist_DblClick();
    EXPECT_EQ(input.shown.back().defaultText, "a2");
    EXPECT_EQ(store.writes.size(), 10u) << "unchanged text confirmed: saved";
    EXPECT_EQ(view.list.size(), 3u);
    EXPECT_TRUE(addEnabled());
}

TEST_F(ListTest, EditCancelledOrEmptiedChangesAndSavesNothing) {
    startWith(2);
    view.selected = 0;
    form.Command3_Click();  // cancelled
    input.answers = {""};   // emptied and confirmed
    form.filelist_DblClick();
    EXPECT_EQ(input.shown.size(), 2u);
    EXPECT_EQ(view.list, (std::vector<std::string>{"a0", "a1"}));
    EXPECT_TRUE(store.writes.empty());
    EXPECT_TRUE(view.messageBoxes.empty());
}

// The point of the release, against the list's rows, names the entry to remove, whatever was selected
// before; below the last entry the list's own click decides what is selected, and that is removed.
TEST_F(ListTest, RightClickRemovesTheEntryUnderThePointer) {
    startWith(4);
    view.selected = 3;
    journal.clear();
    form.filelist_MouseUp(2, 1234.5f, 1.5f * FakeFormView::kRowHeight);
    EXPECT_EQ(view.list, (std::vector<std::string>{"a0", "a2", "a3"}));
    EXPECT_EQ(slots(), Padded({"a0", "a2", "a3"}));
    EXPECT_EQ(journal.front(), "listSelect 1");

    store.writes.clear();
    form.filelist_MouseUp(2, 10, 3 * FakeFormView::kRowHeight);  // below the last entry, none selected
    EXPECT_EQ(view.list.size(), 3u);
    EXPECT_TRUE(view.messageBoxes.empty());
    EXPECT_TRUE(store.writes.empty());

    view.selected = 0;
    for (const std::int16_t button : {1, 4})
        form.filelist_MouseUp(button, 10, 10);
    EXPECT_EQ(view.list.size(), 3u) << "other buttons remove nothing";

    // A list box whose click leaves the selection there removes the entry selected before; one that
    // selects the last entry there removes that one.
    form.filelist_MouseUp(2, 10, 5000);
    EXPECT_EQ(view.list, (std::vector<std::string>{"a2", "a3"}));
    view.clickBelowSelectsLast = true;
    form.filelist_MouseUp(2, 10, 5000);
    EXPECT_EQ(view.list, (std::vector<std::string>{"a2"}));
    EXPECT_EQ(slots(), Padded({"a2"}));
}

TEST_F(ListTest, AFileChosenAfterADropFilledTheListMeanwhileIsRefused) {
    startWith(8);
    fileDialog.whileOpen = [this] { form.filelist_OLEDragDrop(DropData{true, {"C:\\x.exe", "C:\\y.exe"}}); };
    fileDialog.choose("C:\\elf.exe");
    form.Command1_Click();
    EXPECT_EQ(view.list, slots());
    EXPECT_EQ(view.list.back(), "\"C:\\y.exe\"");
    ASSERT_EQ(view.messageBoxes.size(), 1u);
    EXPECT_EQ(view.messageBoxes[0].text, "Sorry, es sind maximal 10 Programme zugelassen.");
    EXPECT_EQ(view.messageBoxes[0].style, 48);
    EXPECT_EQ(view.messageBoxes[0].title, "Maximal 10 Dateie gestattet");
    EXPECT_FALSE(addEnabled());
}

// "Beenden" from the tray, or the window's Close, while a command waits for the user or for events.
TEST(ListClosedMeanwhile, QuittingWhileACommandWaitsShowsAddsAndSavesNothing) {
    const std::vector<std::string> scenarios = {"right click after the quit", "edit", "file chosen in the dialog",
                                                "dialog failing as it goes",
                                                "commands after the quit during a countdown"};
    for (std::size_t scenario = 0; scenario < scenarios.size(); ++scenario) {
        SCOPED_TRACE(scenarios[scenario]);
        ListRig rig;
        rig.startWith(3);
        rig.view.selected = 1;
        const auto quit = [&rig] { rig.form.mnu_quit_Click(); };
        rig.input.whileOpen = quit;
        rig.fileDialog.whileOpen = quit;
        rig.input.answers = {"neu"};
        if (scenario == 3)
            rig.fileDialog.fail(32766, "The dialog box could not be created.");
        else
            rig.fileDialog.choose("C:\\neu.exe");
        switch (scenario) {
            case 0:
                quit();
                rig.form.filelist_MouseUp(2, 0, 0);
                break;
            case 1: rig.form.Command3_Click(); break;
            case 2:
            case 3: rig.form.Command1_Click(); break;
            default:
                rig.view.selected = -1;
                rig.events.at(500, [&rig, quit] {
                    quit();
                    rig.form.Command1_Click();
                    rig.form.Command2_Click();
                    rig.form.filelist_DblClick();
                    rig.form.filelist_OLEDragDrop(DropData{false, {}});
                });
                rig.tick(1);
        }
        EXPECT_EQ(rig.view.unloadCalls, 1);
        EXPECT_TRUE(rig.store.writes.empty()) << "saving a list that is gone would blank every slot";
        EXPECT_TRUE(rig.view.messageBoxes.empty());
        EXPECT_TRUE(rig.view.list.empty()) << "nothing added to the list that went with the window";
        EXPECT_EQ(rig.fileDialog.shown.size(), scenario == 2 || scenario == 3 ? 1u : 0u);
    }
}

TEST_F(ListTest, DropsOfTextAndOfFoldersAndDuplicates) {
    startWith(1);
    form.filelist_OLEDragDrop(DropData{false, {}});
    ASSERT_EQ(view.messageBoxes.size(), 1u);
    EXPECT_EQ(view.messageBoxes[0].text, "Keine gültige Datei gedroppt!");
    EXPECT_EQ(view.messageBoxes[0].style, 16);
    EXPECT_EQ(view.messageBoxes[0].title, "Fehler bei Drag & Drop");
    EXPECT_TRUE(store.writes.empty()) << "nothing saved";

    form.filelist_OLEDragDrop(DropData{true, {"C:\\Ordner", "D:\\ä.txt", "C:\\Ordner"}});
    EXPECT_EQ(slots(), Padded({"a0", "\"C:\\Ordner\"", "\"D:\\ä.txt\"", "\"C:\\Ordner\""}));
    EXPECT_EQ(view.messageBoxes.size(), 1u);
}

// Shortcuts from the desktop or the Start menu stand for what a double click on them starts: a program
// with the shortcut's arguments. A shortcut to anything else, and a shortcut that cannot be read, are
// taken as they are.
TEST_F(ListTest, DroppedShortcutsToProgramsAreStoredAsTheirPrograms) {
    const std::string desktop = "C:\\Users\\Jörg\\Desktop\\";
    files.paths = {{"C:\\Program Files\\Post Büro\\post.exe", PathKind::image},
                   {"C:\\Skripte\\vpn & mehr.cmd", PathKind::file},
                   {"C:\\Daten\\brief.docx", PathKind::file},
                   {"C:\\Windows\\system32\\OpenSSH\\ssh.exe", PathKind::image}};
    files.system.redirected = true;  // the 32-bit view of the system folder has no OpenSSH
    files.shortcuts = {{desktop + "Post.lnk", {"C:\\Program Files\\Post Büro\\post.exe", "/minimiert -p \"a b\""}},
                       {desktop + "VPN.LNK", {"C:\\Skripte\\vpn & mehr.cmd", ""}},
                       {desktop + "Brief.lnk", {"C:\\Daten\\brief.docx", ""}},
                       {desktop + "SSH.lnk", {"C:\\Windows\\system32\\OpenSSH\\ssh.exe", "host"}},
                       {desktop + "Weg.lnk", {"C:\\Weg\\weg.exe", ""}}};
    startWith(0);
    form.filelist_OLEDragDrop(DropData{true,
                                       {desktop + "Post.lnk", desktop + "VPN.LNK", desktop + "Brief.lnk",
                                        desktop + "SSH.lnk", desktop + "Weg.lnk", desktop + "Kaputt.lnk"}});
    EXPECT_EQ(slots(), Padded({"\"C:\\Program Files\\Post Büro\\post.exe\" /minimiert -p \"a b\"",
                               "\"C:\\Skripte\\vpn & mehr.cmd\"", "\"" + desktop + "Brief.lnk\"",
                               "\"C:\\Windows\\system32\\OpenSSH\\ssh.exe\" host", "\"" + desktop + "Weg.lnk\"",
                               "\"" + desktop + "Kaputt.lnk\""}));
    EXPECT_TRUE(view.messageBoxes.empty());
}

}  // namespace
}  // namespace kw::test
