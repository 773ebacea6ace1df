// The window's own commands and start-up.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/form_fixture.h"

namespace kw::test {
namespace {

class FormTest : public FormFixture {};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find("\r\n", from)) != std::string::npos; from = at + 2) {
        lines.push_back(text.substr(from, at - from));
    }
    lines.push_back(text.substr(from));
    return lines;
}

TEST_F(FormTest, InfoBoxShowsNameVersionAndTheMakersLines) {
    start("2", {});
    form.Command5_Click();
    ASSERT_EQ(view.messageBoxes.size(), 1u);
    const auto& box = view.messageBoxes[0];
    EXPECT_EQ(box.text,
              "Kopplungswacht 1.2\r\n\r\naktuelle Versionen gibts bei\r\nden Entwicklern von Kopplungswacht\r\n\r\n"
              "Ohne Gewähr: Benutzung auf eigene Verantwortung.\r\nKontakt: über den Issue-Tracker des Projekts");
    EXPECT_EQ(box.style, 64);
    EXPECT_EQ(box.title, "Info über Kopplungswacht");
    const auto lines = Lines(box.text);
    ASSERT_EQ(lines.size(), 7u) << "five lines of text and two blank lines";
    EXPECT_TRUE(lines[1].empty());
    EXPECT_TRUE(lines[4].empty());
    for (const std::size_t i : {0u, 2u, 3u, 5u, 6u})
        EXPECT_FALSE(lines[i].empty()) << "line " << i;
}

TEST_F(FormTest, MinimiseCommandMinimisesAndTheNextTickHides) {
    start("2", {});
    form.Form_MouseMove(1, 0x201);
    ASSERT_TRUE(view.visible);
    const int hiddenAtStart = view.hideCalls;
    form.Command4_Click();
    EXPECT_EQ(view.state, vbMinimized);
    EXPECT_TRUE(view.visible);
    EXPECT_EQ(view.hideCalls, hiddenAtStart);
    form.Timer1_Timer();
    EXPECT_FALSE(view.visible);
    EXPECT_EQ(view.unloadCalls, 0) << "hiding never unloads";
    EXPECT_EQ(tray.icons.size(), 1u) << "the icon stays";
}

TEST_F(FormTest, StartUpWithAnEmptyStore) {
    form.gestartet = True;
    form.Form_Load();
    EXPECT_EQ(view.caption, "Kopplungswacht 1.2");
    EXPECT_EQ(form.schlafzeit, 2);
    EXPECT_EQ(view.text(ControlId::Text1), "2");
    EXPECT_EQ(form.gestartet, False);
    EXPECT_TRUE(view.list.empty());
    EXPECT_TRUE(view.isEnabled(ControlId::Command1));
    EXPECT_TRUE(form.pids.empty());
    ASSERT_NE(form.trayrefresh, nullptr);
    EXPECT_EQ(form.trayrefresh->hwnd(), 0u);
    EXPECT_TRUE(store.writes.empty()) << "start-up writes nothing";
    EXPECT_EQ(view.text(ControlId::status), kStatusEnded);
    EXPECT_EQ(remote.calls, 0) << "the first count waits for the first tick";
}

TEST_F(FormTest, ConnectionUpAtStartIsHandledByTheFirstTick) {
    remote.up(1);
    start("-1", {"\"C:\\a.exe\""});
    EXPECT_EQ(form.gestartet, False);
    EXPECT_TRUE(processes.attempts.empty());
    form.Timer1_Timer();
    EXPECT_EQ(processes.attempts.size(), 1u);
}

}  // namespace
}  // namespace kw::test
