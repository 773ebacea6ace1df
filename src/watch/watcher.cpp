// The connection watcher: every tick, and every change that the dial-up service or the system's network
// adapters announce, counts the active dial-up connections and the chosen adapters that are up, and
// launches or ends the listed programs when the first connection comes up or the last one goes.
#include <memory>
#include <string>

#include "tray/notices.h"
#include "ui/form1.h"
#include "watch/adapters.h"

namespace kw {

// Only record 0 is read by the service; the records it filled in on an earlier count are never read.
std::int32_t Form1::aufzaehlen() {
    if (!verbindungen_) {
        verbindungen_ = std::make_unique<RasConnA[]>(kRasConnBufferRecords);  // zeroed
    }
    verbindungen_[0] = RasConnA{};
    verbindungen_[0].dwSize = sizeof(RasConnA);
    std::uint32_t bytes = kRasConnBufferBytes;  // record 0's size times the 256 records
    std::uint32_t connections = 0;
    if (p_.remoteAccess.enumConnections(&verbindungen_[0], &bytes, &connections) != 0) {
        return -1;
    }
    return static_cast<std::int32_t>(connections);
}

// Without a chosen adapter no adapter is read at all. A table that cannot be read adds nothing.
std::int32_t Form1::zaehlen() {
    const std::int32_t dialUp = aufzaehlen();
    if (adapter.empty()) {
        return dialUp;
    }
    std::vector<NetworkAdapter> table;
    const int up = p_.adapters.list(table) ? AdaptersUp(table, adapter, p_.adapters) : 0;
    return CombinedCount(dialUp, up);
}

void Form1::beschriften(ControlId label, const std::string& text) {
    std::string& shown = label == ControlId::aktiv ? aktivShown_ : statusShown_;
    if (shown != text) {
        p_.view.setText(label, text);
        shown = text;
    }
}

void Form1::Timer1_Timer() {
    // The countdown handles window events, among them this timer's: a tick that falls due while an
    // earlier one runs is skipped.
    if (inTick_ || unloading_) {
        return;
    }
    inTick_ = true;

    symbolZeigen();
    if (p_.view.windowState() == vbMinimized) {
        p_.view.hide();
    }
    const auto n = static_cast<std::int16_t>(zaehlen());
    beschriften(ControlId::aktiv, "Momentan aktive DFÜ-Verbindungen: " + std::to_string(n));

    if (n > 0 && gestartet == False) {
        beschriften(ControlId::status, "Status der Programme: Werden gestartet...");
        starten();
        if (!unloading_) {
            beschriften(ControlId::status, "Status der Programme: Gestartet");
            gestartet = True;
        }
    }
    if (n < 1 && gestartet == True) {
        beschriften(ControlId::status, "Status der Programme: Werden terminiert...");
        const int ended = terminieren();
        beschriften(ControlId::status, "Status der Programme: Beendet");
        gestartet = False;
        if (ended > 0) {
            melden(DropNotice(n, ended), BalloonIcon::info);
        }
    }

    inTick_ = false;
    if (unloading_) {
        p_.view.unload();  // the window was closed during the countdown
    }
}

// A tick at once, rather than at the timer's next: the programs end as soon as the last connection has gone.
// The dial-up service and the network adapters announce through here alike.
// It is the timer's tick, under its rule: an announcement that comes while a tick runs (the countdown
// handles events) is skipped, as a timer tick falling due then is.
void Form1::Verbindung_Geaendert() {
    Timer1_Timer();
}

}  // namespace kw
