// The network adapters that count as connections: chosen in the dialog "Netzwerkadapter" and kept in the
// settings store beside the program list.
#include <string>

#include "app/program_info.h"
#include "ui/form1.h"
#include "watch/adapters.h"

namespace kw {
namespace {

constexpr const char* kAdapter = "Adapter";

std::string SlotKey(int slot) {
    return "adapter" + std::to_string(slot);
}

}  // namespace

// Empty slots are skipped, and a name stored twice (by hand) counts once.
void Form1::adapterLaden() {
    std::vector<std::string> stored;
    stored.reserve(kMaxAdapters);
    for (int i = 0; i < kMaxAdapters; ++i) {
        stored.push_back(p_.store.read(program::kTitle, kAdapter, SlotKey(i), ""));
    }
    adapter = DistinctNames(stored, p_.adapters);
}

void Form1::adapterBeobachten() {
    if (adapterBeobachtet_ || adapter.empty() || !weckbar_) {
        return;
    }
    adapterBeobachtet_ = true;
    // Where the system cannot announce (Wine never calls back), the timer notices the change.
    p_.adapters.notifyChanges();
}

// As for the program list: every slot is written, a failure is said once with its first reason, and the
// choice holds until the program ends.
void Form1::adapterSpeichern(const std::vector<std::string>& names) {
    adapter = names;
    adapterBeobachten();
    std::optional<StoreResult> failed;
    for (int i = 0; i < kMaxAdapters; ++i) {
        const std::string value = i < static_cast<int>(names.size()) ? names[static_cast<std::size_t>(i)] : "";
        const StoreResult result = p_.store.write(program::kTitle, kAdapter, SlotKey(i), value);
        if (!failed && !result.stored()) {
            failed = result;
        }
    }
    if (failed) {
        p_.view.messageBox(
            "Die Auswahl der Netzwerkadapter konnte nicht gespeichert werden; sie gilt bis zum Ende des "
            "Programms.\r\n" +
                failed->reason(),
            vbCritical, program::kTitle);
    }
}

void Form1::mnu_adapter_Click() {
    if (unloading_) {
        return;
    }
    std::vector<NetworkAdapter> table;
    const bool read = p_.adapters.list(table);
    // Where the marks cannot be read (or the system keeps none), no row is hidden.
    std::vector<AdapterMarks> marks;
    if (read && !p_.adapters.adapterMarks(marks)) {
        marks.clear();
    }
    const auto chosen = p_.adapterDialog.chooseAdapters(
        AdapterRows(read ? &table : nullptr, marks, adapter, p_.adapters),
        [](const std::vector<std::string>& checked) -> std::optional<Refusal> {
            if (checked.size() > static_cast<std::size_t>(kMaxAdapters)) {
                return Refusal{"Höchstens 10 Netzwerkadapter können gewählt werden.", vbExclamation, program::kTitle};
            }
            return std::nullopt;
        });
    // The dialog closes as if cancelled when the program quits; nothing is stored then.
    if (chosen && !unloading_) {
        adapterSpeichern(DistinctNames(*chosen, p_.adapters));
    }
}

}  // namespace kw
