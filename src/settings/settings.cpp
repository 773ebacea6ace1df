// The program list and the start delay in the per-user settings store.
#include <string>

#include "app/program_info.h"
#include "settings/delay.h"
#include "ui/form1.h"

namespace kw {
namespace {

constexpr const char* kFiles = "Files";
constexpr const char* kSchlafen = "Schlafen";
constexpr const char* kSchlafenKey = "schlafen";

std::string SlotKey(int slot) {
    return "datei" + std::to_string(slot);
}

}  // namespace

std::optional<std::int16_t> Form1::zahl(const std::string& text) {
    return ConvertDelay(text, p_.locale.decimalSeparator());
}

// A stored text that is not a number (edited by hand) falls back to the default of 2 seconds.
void Form1::ladeSchlafzeit() {
    const std::string stored = p_.store.read(program::kTitle, kSchlafen, kSchlafenKey, kDefaultDelayText);
    schlafzeit = zahl(stored).value_or(kDefaultDelay);
    p_.view.setText(ControlId::Text1, std::to_string(schlafzeit));
}

void Form1::laden() {
    for (int i = 0; i < kMaxEntries; ++i) {
        const std::string entry = p_.store.read(program::kTitle, kFiles, SlotKey(i), "");
        if (!entry.empty()) {
            p_.view.listAdd(entry);
        }
    }
    updateAddButton();
}

// A slot that cannot be written does not stop the others; the user hears of it once, with the first
// reason, and the list on screen stays as it is. Once the window is going (closed from the tray while a
// dialog or a round of events ran), its list may be gone already: saving it would blank every slot.
void Form1::speichern() {
    if (unloading_) {
        return;
    }
    const int n = p_.view.listCount();
    StoreResult failed;
    for (int i = 0; i < kMaxEntries; ++i) {
        const StoreResult result =
            p_.store.write(program::kTitle, kFiles, SlotKey(i), i < n ? p_.view.listItem(i) : std::string());
        if (failed.stored() && !result.stored()) {
            failed = result;
        }
    }
    if (!failed.stored()) {
        p_.view.messageBox(
            "Die Programmliste konnte nicht gespeichert werden; sie gilt, wie sie angezeigt wird, bis zum Ende des "
            "Programms.\r\n" +
                failed.reason(),
            vbCritical, program::kTitle);
    }
}

void Form1::Text1_KeyPress(std::int16_t& KeyAscii) {
    // An Enter queued behind "Beenden" neither stores nor confirms anything.
    if (KeyAscii != vbKeyReturn || unloading_) {
        return;
    }
    if (p_.view.text(ControlId::Text1).empty()) {
        p_.view.setText(ControlId::Text1, "1");
    }
    const auto value = zahl(p_.view.text(ControlId::Text1));
    if (!value) {
        p_.view.setText(ControlId::Text1, kDefaultDelayText);
    } else if (*value < 1) {
        p_.view.setText(ControlId::Text1, "1");
    }
    const std::string text = p_.view.text(ControlId::Text1);
    const StoreResult stored = p_.store.write(program::kTitle, kSchlafen, kSchlafenKey, text);
    schlafzeit = zahl(text).value_or(kDefaultDelay);
    // Confirming a delay that the next start will not know would be a lie.
    if (!stored.stored()) {
        p_.view.messageBox("Die Startverzögerung von " + text +
                               " Sekunden gilt bis zum Ende des Programms, konnte aber nicht gespeichert werden.\r\n" +
                               stored.reason(),
                           vbCritical, program::kTitle);
        return;
    }
    p_.view.messageBox("Der Schlafen-Timer wurde auf " + text + " Sekunden gesetzt", vbInformation,
                       "Schlafentimer geändert");
}

}  // namespace kw
