// The connection watcher: every tick counts the active dial-up connections and launches or ends the
// listed programs when the first connection comes up or the last one goes.
#include <memory>
#include <string>

#include "ui/form1.h"

namespace kw {

std::int32_t Form1::aufzaehlen() {
    auto buffer = std::make_unique<RasConnA[]>(kRasConnBufferRecords);  // zeroed
    buffer[0].dwSize = sizeof(RasConnA);
    std::uint32_t bytes = buffer[0].dwSize * kRasConnBufferRecords;
    std::uint32_t connections = 0;
    if (p_.remoteAccess.enumConnections(&buffer[0], &bytes, &connections) != 0) {
        return -1;
    }
    return static_cast<std::int32_t>(connections);
}

void Form1::Timer1_Timer() {
    // The countdown handles window events, among them this timer's: a tick that falls due while an
    // earlier one runs is skipped.
    if (inTick_ || unloading_) {
        return;
    }
    inTick_ = true;

    if (p_.view.windowState() == vbMinimized) {
        p_.view.hide();
    }
    const auto n = static_cast<std::int16_t>(aufzaehlen());
    p_.view.setText(ControlId::aktiv, "Momentan aktive DFÜ-Verbindungen: " + std::to_string(n));

    if (n > 0 && gestartet == False) {
        p_.view.setText(ControlId::status, "Status der Programme: Werden gestartet...");
        starten();
        if (!unloading_) {
            p_.view.setText(ControlId::status, "Status der Programme: Gestartet");
            gestartet = True;
        }
    }
    if (n < 1 && gestartet == True) {
        p_.view.setText(ControlId::status, "Status der Programme: Werden terminiert...");
        terminieren();
        p_.view.setText(ControlId::status, "Status der Programme: Beendet");
        gestartet = False;
    }

    inTick_ = false;
    if (unloading_) {
        p_.view.unload();  // the window was closed during the countdown
    }
}

}  // namespace kw
