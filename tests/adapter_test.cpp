// The network adapters that count as connections: the count they add to the dial-up count, the dialog that
// chooses them, their slots in the settings store and the system's announcements.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "fakes/form_fixture.h"
#include "listed_machines.h"

namespace kw::test {
namespace {

const NetworkAdapter kEthernet{"Ethernet", "Intel(R) Ethernet Connection", 6, kIfOperStatusUp};
const NetworkAdapter kLoopback{"Loopback Pseudo-Interface 1", "Software Loopback Interface 1", kIfTypeLoopback,
                               kIfOperStatusUp};
const NetworkAdapter kDialUp{"Firmen-VPN", "WAN Miniport (PPP)", kIfTypePpp, kIfOperStatusUp};
const NetworkAdapter kWgUp{"wg-büro", "WireGuard Tunnel", 53, kIfOperStatusUp};
const NetworkAdapter kWgGone{"wg-büro", "WireGuard Tunnel", 53, 4};  // a row Wine keeps for a removed device
const NetworkAdapter kTapDown{"OpenVPN TAP-Windows6", "TAP-Windows Adapter V9", 6, 2};

// A machine's table as GetIfTable2 gives it, and an adapter key for each row but a filter module's, the
// hidden ones marked as Windows marks them (NCF_VIRTUAL, NCF_HIDDEN, NCF_NOT_USER_REMOVABLE); the registry
// may spell a GUID in lower case.
void Install(FakeNetworkAdapters& adapters, const listed::ListedMachine& machine) {
    for (std::size_t i = 0; i < machine.rows.size(); ++i) {
        const listed::ListedRow& row = machine.rows[i];
        char guid[39];
        std::snprintf(guid, sizeof guid, "{%08zX-E325-11CE-BFC1-08002BE10318}", i + 0xA0);
        adapters.table.push_back({row.name, "", row.type, row.operStatus, guid, row.kind == listed::F});
        std::string key = guid;
        std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return std::tolower(c); });
        if (row.kind != listed::F)
            adapters.marks.push_back({key, row.kind == listed::H ? 0x29u : 0x81u});
    }
}

std::vector<std::string> Names(const std::vector<AdapterRow>& rows) {
    std::vector<std::string> names;
    for (const AdapterRow& row : rows)
        names.push_back(row.name);
    return names;
}

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

// On each machine the dialog lists the rows of Windows' folder of network connections, in the system's order,
// and the chosen name's own row. A chosen VPN adapter counts while its row is up, not while it is down, not
// present or gone; a filter module's row never counts. The tick reads no adapter key.
TEST(AdapterDialog, RealMachinesRowsAndCount) {
    struct Case {
        const char* label;
        std::size_t machine;
        const char* chosen;
        std::uint32_t status;  // 0: as listed
        bool tunnel;           // the WireGuard tunnel's adapter is there
        const char* aktiv;
        const char* row;
    };
    const std::vector<Case> cases = {
        {"AnyConnect, not present", 2, "Ethernet 2", 0, false, "0", "Ethernet 2||getrennt|x"},
        {"AnyConnect, connected", 2, "Ethernet 2", kIfOperStatusUp, false, "1", "Ethernet 2||verbunden|x"},
        {"wintun, up", 2, "LAN-Verbindung 2", 0, false, "1", "LAN-Verbindung 2||verbunden|x"},
        {"GlobalProtect, disabled", 1, "Ethernet 7", 0, false, "0", "Ethernet 7||getrennt|x"},
        {"TAP-Windows, disconnected", 4, "以太网 3", 0, false, "0", "以太网 3||getrennt|x"},
        {"WireGuard, up", 0, "wg-büro", 0, true, "1", "wg-büro|WireGuard Tunnel|verbunden|x"},
        {"WireGuard, stopped: no row", 3, "wg-büro", 0, false, "0", "wg-büro||nicht vorhanden|x"},
        {"a filter module's row, up", 0, "Ethernet 4-WFP 802.3 MAC Layer LightWeight Filter-0000", 0, false, "0",
         "Ethernet 4-WFP 802.3 MAC Layer LightWeight Filter-0000||nicht vorhanden|x"},
        {"a hidden WAN miniport, always up", 1, "LAN-Verbindung* 9", 0, false, "1", "LAN-Verbindung* 9||verbunden|x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        FormRig rig;
        Install(rig.adapters, listed::kMachines[c.machine]);
        if (c.tunnel)
            rig.adapters.table.push_back({"wg-büro", "WireGuard Tunnel", 53, kIfOperStatusUp});
        if (c.status != 0)
            rig.adapters.set(c.chosen, c.status);
        rig.start("1", {"\"C:\\a.exe\""}, {c.chosen});
        rig.form.Timer1_Timer();
        EXPECT_EQ(rig.view.text(ControlId::aktiv), std::string(kAktivPrefix) + c.aktiv);
        EXPECT_EQ(rig.adapters.markReads, 0);
        rig.form.mnu_adapter_Click();
        const std::vector<std::string> rows = Shown(rig.adapterDialog.shown.at(0));
        EXPECT_EQ(std::count(rows.begin(), rows.end(), c.row), 1) << testing::PrintToString(rows);
        std::vector<std::string> names = Names(rig.adapterDialog.shown[0]), folder;
        for (const listed::ListedRow& row : listed::kMachines[c.machine].rows)
            if (row.kind == listed::S)
                folder.push_back(row.name);
        std::erase(names, c.chosen);
        std::erase(folder, c.chosen);
        EXPECT_EQ(names, folder);
    }
}

// A key that cannot be read hides nothing.
TEST(AdapterDialog, WithoutItsKeyARowIsListed) {
    FormRig rig;
    Install(rig.adapters, listed::kMachines[0]);
    rig.adapters.marks.erase(rig.adapters.marks.begin() + 6);  // rows 0 to 10 have keys: "Lokálne pripojenie* 6"
    rig.start("1", {});
    rig.form.mnu_adapter_Click();
    EXPECT_EQ(Names(rig.adapterDialog.shown.at(0)),
              (std::vector<std::string>{"Ethernet 4", "Lokálne pripojenie* 6", "Ethernet 5"}));
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
