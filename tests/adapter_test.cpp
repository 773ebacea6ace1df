// The network adapters that count as connections: the count they add to the dial-up count, the dialog that
// chooses them, their slots in the settings store and the system's announcements.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/form_fixture.h"

namespace kw::test {
namespace {

const NetworkAdapter kEthernet{"Ethernet", "Intel(R) Ethernet Connection", 6, kIfOperStatusUp};
const NetworkAdapter kLoopback{"Loopback Pseudo-Interface 1", "Software Loopback Interface 1", kIfTypeLoopback,
                               kIfOperStatusUp};
const NetworkAdapter kDialUp{"Firmen-VPN", "WAN Miniport (PPP)", kIfTypePpp, kIfOperStatusUp};
const NetworkAdapter kWgUp{"wg-büro", "WireGuard Tunnel", 53, kIfOperStatusUp};
const NetworkAdapter kWgGone{"wg-büro", "WireGuard Tunnel", 53, 4};  // a row Wine keeps for a removed device
const NetworkAdapter kTapDown{"OpenVPN TAP-Windows6", "TAP-Windows Adapter V9", 6, 2};

// "name|description|state|x" for a checked row, "-" for one not checked.
std::vector<std::string> Shown(const std::vector<AdapterRow>& rows) {
    std::vector<std::string> shown;
    for (const AdapterRow& row : rows)
        shown.push_back(row.name + "|" + row.description + "|" + row.state + "|" + (row.checked ? "x" : "-"));
    return shown;
}

TEST(AdapterCount, TheDialUpCountAndTheChosenAdaptersThatAreUp) {
    struct Row {
        const char* label;
        std::uint32_t dialUp;
        std::uint32_t dialUpError;
        std::vector<NetworkAdapter> table;
        bool readFails;
        const char* aktiv;
    };
    const std::vector<Row> rows = {
        {"dial-up only", 1, 0, {kEthernet}, false, "1"},
        {"the chosen adapter up", 0, 0, {kEthernet, kWgUp}, false, "1"},
        {"dial-up and the adapter", 1, 0, {kWgUp}, false, "2"},
        {"the adapter down", 0, 0, {kTapDown}, false, "0"},
        {"the adapter absent", 0, 0, {kEthernet}, false, "0"},
        {"a kept row of a removed device, and the device back", 0, 0, {kWgGone, kWgUp}, false, "1"},
        {"the same name twice, both up, counts once", 0, 0, {kWgUp, kWgUp}, false, "1"},
        {"the table cannot be read", 1, 0, {kWgUp}, true, "1"},
        {"the table cannot be read, no dial-up", 0, 0, {kWgUp}, true, "0"},
        {"dial-up fails, the adapter up", 0, 623, {kWgUp, kTapDown}, false, "1"},
        {"dial-up fails, the adapters down", 0, 623, {kTapDown}, false, "-1"},
        {"dial-up fails, the table too", 0, 623, {kWgUp}, true, "-1"},
        {"a dial-up interface under a chosen name", 1, 0, {kDialUp}, false, "1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        FormRig rig;
        rig.adapters.table = row.table;
        rig.adapters.failReads = row.readFails;
        rig.start("1", {"\"C:\\a.exe\""}, {"WG-BÜRO", "", "openvpn tap-windows6", "Firmen-VPN"});
        rig.remote.connections = row.dialUp;
        rig.remote.errorCode = row.dialUpError;
        rig.form.Timer1_Timer();
        EXPECT_EQ(rig.view.text(ControlId::aktiv), std::string(kAktivPrefix) + row.aktiv);
        const bool connected = std::string(row.aktiv) != "0" && std::string(row.aktiv) != "-1";
        EXPECT_EQ(rig.processes.attempts.size(), connected ? 1u : 0u);
        EXPECT_EQ(rig.form.gestartet, connected ? True : False);
        EXPECT_EQ(rig.adapters.reads, 1) << "one read of the table per tick";
    }
}

// The dialog lists what the system has and what was chosen, refuses more than ten and stores all slots.
TEST(AdapterDialog, RowsChoiceAndSlots) {
    FormRig rig;
    rig.adapters.table = {kEthernet, kLoopback, kDialUp, kWgGone, kTapDown, kWgUp};
    rig.start("2", {}, {"", "WG-BÜRO", "Alt-VPN", "wg-büro", "", "", "", "", "", ""});
    EXPECT_EQ(rig.form.adapter, (std::vector<std::string>{"WG-BÜRO", "Alt-VPN"})) << "empty slots skipped, once each";

    const std::vector<std::string> eleven{"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k"};
    rig.adapterDialog.answers = {eleven, {"OpenVPN TAP-Windows6", "wg-büro"}};
    rig.form.mnu_adapter_Click();

    ASSERT_EQ(rig.adapterDialog.shown.size(), 1u);
    EXPECT_EQ(Shown(rig.adapterDialog.shown[0]), (std::vector<std::string>{
                                                     "Ethernet|Intel(R) Ethernet Connection|verbunden|-",
                                                     "wg-büro|WireGuard Tunnel|verbunden|x",
                                                     "OpenVPN TAP-Windows6|TAP-Windows Adapter V9|getrennt|-",
                                                     "Alt-VPN||nicht vorhanden|x",
                                                 }));
    ASSERT_EQ(rig.adapterDialog.refusals.size(), 1u);
    EXPECT_EQ(rig.adapterDialog.refusals[0].text, "Höchstens 10 Netzwerkadapter können gewählt werden.");
    EXPECT_EQ(rig.adapterDialog.refusals[0].style, vbExclamation);
    EXPECT_EQ(rig.adapterDialog.refusals[0].title, "Kopplungswacht");
    EXPECT_EQ(rig.adapterSlots(),
              (std::vector<std::string>{"OpenVPN TAP-Windows6", "wg-büro", "", "", "", "", "", "", "", ""}));
    EXPECT_EQ(rig.form.adapter, (std::vector<std::string>{"OpenVPN TAP-Windows6", "wg-büro"}));
    EXPECT_TRUE(rig.view.messageBoxes.empty()) << "a choice that is stored is not confirmed";

    // Cancelled: nothing is written. Then the table cannot be read: the chosen names, their state unknown.
    const std::size_t writes = rig.store.writes.size();
    rig.adapters.failReads = true;
    rig.form.mnu_adapter_Click();
    EXPECT_EQ(Shown(rig.adapterDialog.shown.back()),
              (std::vector<std::string>{"OpenVPN TAP-Windows6||unbekannt|x", "wg-büro||unbekannt|x"}));
    EXPECT_EQ(rig.store.writes.size(), writes);

    // Ten at most is ten: accepted. A slot that cannot be written is said, and the choice holds.
    rig.store.failingKeys = {"adapter3"};
    rig.adapterDialog.answers = {{"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"}};
    rig.form.mnu_adapter_Click();
    EXPECT_EQ(rig.store.writes.size(), writes + 10);
    EXPECT_EQ(rig.form.adapter.size(), 10u);
    ASSERT_EQ(rig.view.messageBoxes.size(), 1u);
    EXPECT_EQ(rig.view.messageBoxes[0].text,
              "Die Auswahl der Netzwerkadapter konnte nicht gespeichert werden; sie gilt bis zum Ende des Programms."
              "\r\nUnter einem flüchtigen übergeordneten Schlüssel kann kein stabiler Unterschlüssel erstellt werden.");
    EXPECT_EQ(rig.view.messageBoxes[0].style, vbCritical);
}

TEST(AdapterDialog, AQuitWhileItIsOpenStoresNothing) {
    FormRig rig;
    rig.start("2", {});
    rig.adapterDialog.answers = {{"Ethernet"}};
    rig.adapterDialog.whileOpen = [&rig] { rig.form.Unload(); };
    rig.form.mnu_adapter_Click();
    EXPECT_TRUE(rig.store.writes.empty());
    EXPECT_TRUE(rig.form.adapter.empty());
    rig.form.mnu_adapter_Click();
    EXPECT_EQ(rig.adapterDialog.shown.size(), 1u) << "no dialog once the quit has begun";
}

// Without a chosen adapter nothing of the adapters is touched; once one is chosen, the system's
// announcement of its change runs a tick at once.
TEST(AdapterWatch, AnAnnouncedChangeEndsTheProgramsAtOnce) {
    FormRig rig;
    rig.adapters.table = {kEthernet, kWgUp};
    rig.start("1", {"\"C:\\a.exe\""});
    for (int i = 0; i < 5; ++i)
        rig.tick(0);
    EXPECT_EQ(rig.adapters.reads, 0);
    EXPECT_EQ(rig.adapters.notifyCalls, 0);

    rig.adapterDialog.answers = {{"wg-büro"}};
    rig.form.mnu_adapter_Click();
    EXPECT_EQ(rig.adapters.notifyCalls, 1);
    rig.tick(0);
    ASSERT_EQ(rig.form.gestartet, True);
    ASSERT_EQ(rig.processes.launched().size(), 1u);

    const int reads = rig.adapters.reads;
    rig.adapters.set("wg-büro", 2);
    rig.adapters.set("wg-büro", 2);  // a burst is one wake
    rig.events.wake();
    EXPECT_EQ(rig.adapters.reads, reads + 1);
    EXPECT_EQ(rig.form.gestartet, False);
    EXPECT_FALSE(rig.processes.launched()[0]->alive);
    EXPECT_EQ(rig.processes.launched()[0]->exitCode, 1u);
    EXPECT_EQ(rig.view.text(ControlId::status), kStatusEnded);

    // Chosen again: no second registration.
    rig.adapterDialog.answers = {{"Ethernet"}};
    rig.form.mnu_adapter_Click();
    EXPECT_EQ(rig.adapters.notifyCalls, 1);
}

}  // namespace
}  // namespace kw::test
