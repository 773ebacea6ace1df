// The program list and the start delay in the per-user settings store.
#include <string>

#include "app/program_info.h"
#include "settings/delay.h"
#include "ui/form1.h"

namespace kw {
namespace {

constexpr int kSlots = 10;
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
    const std::string stored = p_.store.read(program::kTitle, kSchlafen, kSchlafenKey, "2");
    schlafzeit = zahl(stored).value_or(2);
    p_.view.setText(ControlId::Text1, std::to_string(schlafzeit));
}

void Form1::laden() {
    for (int i = 0; i < kSlots; ++i) {
        const std::string entry = p_.store.read(program::kTitle, kFiles, SlotKey(i), "");
        if (!entry.empty()) {
            p_.view.listAdd(entry);
        }
    }
    if (p_.view.listCount() == kSlots) {
        p_.view.setEnabled(ControlId::Command1, false);
    }
}

void Form1::speichern() {
    const int n = p_.view.listCount();
    for (int i = 0; i < n; ++i) {
        p_.store.write(program::kTitle, kFiles, SlotKey(i), p_.view.listItem(i));
    }
    for (int j = n; j < kSlots; ++j) {
        p_.store.write(program::kTitle, kFiles, SlotKey(j), "");
    }
}

void Form1::Text1_KeyPress(std::int16_t& KeyAscii) {
    if (KeyAscii != 13) {
        return;
    }
    if (p_.view.text(ControlId::Text1).empty()) {
        p_.view.setText(ControlId::Text1, "1");
    }
    const auto value = zahl(p_.view.text(ControlId::Text1));
    if (!value) {
        p_.view.setText(ControlId::Text1, "2");
    } else if (*value < 1) {
        p_.view.setText(ControlId::Text1, "1");
    }
    const std::string text = p_.view.text(ControlId::Text1);
    p_.store.write(program::kTitle, kSchlafen, kSchlafenKey, text);
    schlafzeit = zahl(text).value_or(2);
    p_.view.messageBox("Der Schlafen-Timer wurde auf " + text + " Sekunden gesetzt", vbInformation,
                       "Schlafentimer geändert");
}

}  // namespace kw
