// The stored program list and start delay, and Enter in the delay field.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "fakes/form_fixture.h"

namespace kw::test {
namespace {

const std::string kApp = "Kopplungswacht";

class SettingsTest : public FormFixture {
protected:
    void enter() {
        std::int16_t key = 13;
        form.Text1_KeyPress(key);
        EXPECT_EQ(key, 13) << "the key reaches the text box unchanged";
    }
};

TEST(StartDelayAtStartUp, StoredTextBecomesTheDelay) {
    struct Row {
        const char* label;
        const char* separator;
        std::optional<std::string> stored;  // nullopt: nothing stored
        std::int16_t delay;
        const char* shown;
    };
    const std::vector<Row> rows = {
        {"nothing stored", ",", std::nullopt, 2, "2"},
        {"leading zeros", ",", "007", 7, "7"},
        {"blanks", ",", " 12 ", 12, "12"},
        {"fraction with ','", ",", "1,5", 2, "2"},
        {"fraction with '.'", ".", "1.5", 2, "2"},
        {"half to even", ",", "2,5", 2, "2"},
        {"half to even, up", ",", "3,5", 4, "4"},
        {"largest", ",", "32767", 32767, "32767"},
        {"another locale's separator", ",", "1.5", 2, "2"},
        {"junk", ",", "zwei", 2, "2"},
        {"empty", ",", "", 2, "2"},
        {"beyond 16 bits", ",", "40000", 2, "2"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        FormRig rig;
        rig.locale.separator = row.separator;
        if (row.stored)
            rig.store.put(kApp, "Schlafen", "schlafen", *row.stored);
        rig.form.Form_Load();
        EXPECT_EQ(rig.form.schlafzeit, row.delay);
        EXPECT_EQ(rig.view.text(ControlId::Text1), row.shown);
        EXPECT_TRUE(rig.store.writes.empty());
    }
}

TEST(StartDelayAtStartUp, HandEditedSmallDelayStillMatchesTheTextBox) {
    for (const char* stored : {"0", "-3", "-32768"}) {
        SCOPED_TRACE(stored);
        FormRig rig;
        rig.store.put(kApp, "Schlafen", "schlafen", stored);
        rig.form.Form_Load();
        EXPECT_EQ(rig.view.text(ControlId::Text1), std::to_string(rig.form.schlafzeit));
    }
}

TEST(Laden, StoredSlotsFillTheList) {
    struct Row {
        const char* label;
        std::map<std::string, std::string> slots;  // key -> value in section "Files"
        std::vector<std::string> list;
        bool addEnabled;
    };
    std::map<std::string, std::string> ten, nine;
    std::vector<std::string> tenList, nineList;
    for (int i = 0; i < 10; ++i) {
        const std::string entry = "\"C:\\p" + std::to_string(i) + ".exe\"";
        ten["datei" + std::to_string(i)] = entry;
        tenList.push_back(entry);
        if (i < 9) {
            nine["datei" + std::to_string(i)] = entry;
            nineList.push_back(entry);
        }
    }
    const std::vector<Row> rows = {
        {"nothing stored", {}, {}, true},
        {"three", {{"datei0", "a"}, {"datei1", "b"}, {"datei2", "c"}}, {"a", "b", "c"}, true},
        {"slot 0 empty, slot 1 set", {{"datei0", ""}, {"datei1", "\"C:\\b.exe\" -x"}}, {"\"C:\\b.exe\" -x"}, true},
        {"gaps close up, order kept", {{"datei9", "z"}, {"datei2", "c"}, {"datei5", "f"}}, {"c", "f", "z"}, true},
        {"only ten slots", {{"datei10", "k"}, {"datei01", "q"}, {"datei3", "d"}}, {"d"}, true},
        {"ten entries", ten, tenList, false},
        {"nine entries", nine, nineList, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        FormRig rig;
        for (const auto& [key, value] : row.slots)
            rig.store.put(kApp, "Files", key, value);
        rig.store.put("Andere", "Files", "datei4", "fremd");  // another program's settings
        rig.store.put(kApp, "Dateien", "datei6", "fremd");
        rig.form.Form_Load();
        EXPECT_EQ(rig.view.list, row.list);
        EXPECT_EQ(rig.view.isEnabled(ControlId::Command1), row.addEnabled);
    }
}

TEST_F(SettingsTest, SpeichernWritesAllTenSlotsEntriesFirst) {
    struct Row {
        const char* label;
        std::vector<std::string> list;
    };
    const std::vector<Row> rows = {
        {"empty", {}},
        {"three", {"\"C:\\a.exe\"", "\"C:\\b.exe\" /x", "\"C:\\a.exe\""}},
        {"ten", {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        FormRig rig;
        rig.form.Form_Load();
        rig.view.list = row.list;
        rig.form.speichern();
        ASSERT_EQ(rig.store.writes.size(), 10u);
        for (std::size_t i = 0; i < 10; ++i) {
            SCOPED_TRACE("write " + std::to_string(i));
            const auto& w = rig.store.writes[i];
            EXPECT_EQ(w.app, kApp);
            EXPECT_EQ(w.section, "Files");
            EXPECT_EQ(w.key, "datei" + std::to_string(i));
            EXPECT_EQ(w.value, i < row.list.size() ? row.list[i] : "");
        }
    }
}

TEST_F(SettingsTest, GapInTheStoreIsClosedByTheNextSave) {
    store.put(kApp, "Files", "datei0", "");
    store.put(kApp, "Files", "datei1", "\"C:\\b.exe\"");
    form.Form_Load();
    form.speichern();
    EXPECT_EQ(store.get(kApp, "Files", "datei0"), "\"C:\\b.exe\"");
    EXPECT_EQ(store.get(kApp, "Files", "datei1"), "");

    FormRig restarted;
    restarted.store = store;
    restarted.form.Form_Load();
    EXPECT_EQ(restarted.view.list, (std::vector<std::string>{"\"C:\\b.exe\""}));
}

TEST(Text1Enter, CorrectsStoresAndConfirms) {
    struct Row {
        const char* label;
        const char* separator;
        const char* typed;
        const char* text;  // in the box, stored and confirmed
        std::int16_t delay;
    };
    const std::vector<Row> rows = {
        {"empty", ",", "", "1", 1},
        {"zero", ",", "0", "1", 1},
        {"negative", ",", "-5", "1", 1},
        {"not a number", ",", "abc", "2", 2},
        {"beyond 16 bits", ",", "99999", "2", 2},
        {"below 16 bits", ",", "-99999", "2", 2},
        {"largest", ",", "32767", "32767", 32767},
        {"leading blank kept", ",", " 7", " 7", 7},
        {"fraction kept", ",", "1,5", "1,5", 2},
        {"fraction with '.'", ".", "1.5", "1.5", 2},
        {"another locale's separator", ",", "1.5", "2", 2},
        {"half rounds to 0", ",", "0,5", "1", 1},
        {"half rounds to 2", ",", "2,5", "2,5", 2},
        {"sign kept", ",", "+3", "+3", 3},
        {"only blanks", ",", "   ", "2", 2},
        {"one", ",", "1", "1", 1},
        {"one with a blank kept", ",", " 1", " 1", 1},
        {"one as a fraction kept", ",", "1,4", "1,4", 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        FormRig rig;
        rig.locale.separator = row.separator;
        rig.form.Form_Load();
        rig.view.type(ControlId::Text1, row.typed);
        // The box runs a modal loop: what happens meanwhile must find the delay stored and in force.
        std::optional<std::string> storedWhileOpen;
        std::int16_t delayWhileOpen = 0;
        rig.view.whileBoxOpen = [&] {
            storedWhileOpen = rig.store.get(kApp, "Schlafen", "schlafen");
            delayWhileOpen = rig.form.schlafzeit;
        };
        std::int16_t key = 13;
        rig.form.Text1_KeyPress(key);

        EXPECT_EQ(key, 13);
        EXPECT_EQ(storedWhileOpen, row.text);
        EXPECT_EQ(delayWhileOpen, row.delay);
        EXPECT_EQ(rig.view.text(ControlId::Text1), row.text);
        EXPECT_EQ(rig.form.schlafzeit, row.delay);
        ASSERT_EQ(rig.store.writes.size(), 1u);
        const auto& w = rig.store.writes[0];
        EXPECT_EQ(w.app, "Kopplungswacht");
        EXPECT_EQ(w.section, "Schlafen");
        EXPECT_EQ(w.key, "schlafen");
        EXPECT_EQ(w.value, row.text);
        ASSERT_EQ(rig.view.messageBoxes.size(), 1u);
        const auto& box = rig.view.messageBoxes[0];
        EXPECT_EQ(box.text, std::string("Der Schlafen-Timer wurde auf ") + row.text + " Sekunden gesetzt");
        EXPECT_EQ(box.style, 64);
        EXPECT_EQ(box.title, "Schlafentimer geändert");
    }
}

TEST_F(SettingsTest, KeysOtherThanEnterDoNothing) {
    start("3", {});
    view.type(ControlId::Text1, "9");  // typed, not yet confirmed
    for (const std::int16_t code : {0, 8, 9, 10, 12, 14, 27, 32, 48, 57, 65, 127, 255, -13}) {
        SCOPED_TRACE("key " + std::to_string(code));
        std::int16_t key = code;
        form.Text1_KeyPress(key);
        EXPECT_EQ(key, code);
    }
    EXPECT_EQ(view.text(ControlId::Text1), "9");
    EXPECT_EQ(form.schlafzeit, 3);
    EXPECT_TRUE(store.writes.empty());
    EXPECT_TRUE(view.messageBoxes.empty());
}

TEST_F(SettingsTest, EnterTwiceWritesAndConfirmsTwice) {
    start("2", {});
    view.type(ControlId::Text1, "5");
    enter();
    enter();
    ASSERT_EQ(store.writes.size(), 2u);
    EXPECT_EQ(store.writes[1].value, "5");
    EXPECT_EQ(view.messageBoxes.size(), 2u);
    EXPECT_EQ(store.get(kApp, "Schlafen", "schlafen"), "5");

    FormRig restarted;
    restarted.store = store;
    restarted.form.Form_Load();
    EXPECT_EQ(restarted.form.schlafzeit, 5) << "the delay survives a restart";
}

TEST(RefusedDelayWrite, IsSaidNotConfirmedAndTheDelayAppliesUntilTheEnd) {
    struct Row {
        const char* label;
        const char* systemText;
        const char* secondLine;
    };
    const std::vector<Row> rows = {
        {"with the system's text", "Zugriff verweigert", "Zugriff verweigert"},
        {"the system has no text", "", "Fehler 1021"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        FormRig rig;
        rig.start("2", {"\"C:\\a.exe\""});
        rig.store.failWrites = true;
        rig.store.failure.errorText = row.systemText;
        rig.view.type(ControlId::Text1, "8");
        std::int16_t delayWhileOpen = 0;
        rig.view.whileBoxOpen = [&] { delayWhileOpen = rig.form.schlafzeit; };
        std::int16_t enter = 13;
        rig.form.Text1_KeyPress(enter);

        ASSERT_EQ(rig.view.messageBoxes.size(), 1u) << "no confirmation besides";
        const auto& box = rig.view.messageBoxes[0];
        EXPECT_EQ(box.text, std::string("Die Startverzögerung von 8 Sekunden gilt bis zum Ende des Programms, konnte "
                                        "aber nicht gespeichert werden.\r\n") +
                                row.secondLine);
        EXPECT_EQ(box.style, 16);
        EXPECT_EQ(box.title, "Kopplungswacht");
        EXPECT_EQ(rig.view.text(ControlId::Text1), "8");
        EXPECT_EQ(delayWhileOpen, 8);

        rig.tick(1);
        EXPECT_EQ(rig.statusTexts()[1], "Programme werden in 8 Sekunden gestartet...") << "the delay is in force";
        FormRig restarted;
        restarted.store = rig.store;
        restarted.form.Form_Load();
        EXPECT_EQ(restarted.form.schlafzeit, 2) << "as the box said, the next start does not know it";
    }
}

TEST(RefusedListWrite, OneBoxPerSaveAndTheListStays) {
    struct Row {
        const char* label;
        std::set<std::string> failing;
        std::size_t boxes;
    };
    const std::vector<Row> rows = {
        {"every slot",
         {"datei0", "datei1", "datei2", "datei3", "datei4", "datei5", "datei6", "datei7", "datei8", "datei9"},
         2},
        {"an entry's slot", {"datei1"}, 2},
        {"a free slot", {"datei7"}, 2},
        {"none", {}, 0},
    };
    const std::vector<std::string> list = {"\"C:\\a.exe\"", "\"C:\\b.exe\" -x"};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        FormRig rig;
        rig.form.Form_Load();
        rig.view.list = list;
        rig.store.failingKeys = row.failing;
        rig.form.speichern();
        rig.form.speichern();

        EXPECT_EQ(rig.store.writes.size(), 20u) << "a refused slot does not stop the others";
        for (int i = 0; i < 10; ++i) {
            const std::string key = "datei" + std::to_string(i);
            SCOPED_TRACE(key);
            const std::string expected = i < 2 ? list[static_cast<std::size_t>(i)] : "";
            EXPECT_EQ(rig.store.get(kApp, "Files", key),
                      row.failing.count(key) ? std::nullopt : std::optional<std::string>(expected));
        }
        ASSERT_EQ(rig.view.messageBoxes.size(), row.boxes);
        for (const auto& box : rig.view.messageBoxes) {
            EXPECT_EQ(box.text,
                      "Die Programmliste konnte nicht gespeichert werden; sie gilt, wie sie angezeigt wird, bis zum "
                      "Ende des Programms.\r\nUnter einem flüchtigen übergeordneten Schlüssel kann kein stabiler "
                      "Unterschlüssel erstellt werden.");
            EXPECT_EQ(box.style, 16);
            EXPECT_EQ(box.title, "Kopplungswacht");
        }
        EXPECT_EQ(rig.view.list, list);
    }
}

}  // namespace
}  // namespace kw::test
