// Any interface table the system may report (names, descriptions and GUIDs of any bytes, NULs and lengths,
// any type, status and filter flag, any marks of adapter keys) against any stored adapter slots: start-up,
// a tick, the dialog and its choice.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "fakes/form_fixture.h"
#include "fuzz/fakes_checked.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    kw::test::FormRig rig;
    std::vector<std::string> slots;
    for (int i = 0; i < 10; ++i) {
        slots.push_back(input.ConsumeRandomLengthString(300));
    }
    const std::size_t rows = input.ConsumeIntegralInRange<std::size_t>(0, 40);
    for (std::size_t i = 0; i < rows && input.remaining_bytes() > 0; ++i) {
        kw::NetworkAdapter adapter;
        adapter.name = input.ConsumeRandomLengthString(600);
        adapter.description = input.ConsumeRandomLengthString(100);
        adapter.type = input.ConsumeIntegralInRange<std::uint32_t>(0, 30);
        adapter.operStatus = input.ConsumeIntegralInRange<std::uint32_t>(0, 8);
        adapter.guid = input.ConsumeRandomLengthString(40);
        adapter.filter = input.ConsumeBool();
        rig.adapters.table.push_back(adapter);
        if (input.ConsumeBool())
            rig.adapters.marks.push_back(
                {input.ConsumeBool() ? adapter.guid : "", input.ConsumeIntegral<std::uint32_t>()});
    }
    rig.adapters.failReads = input.ConsumeBool();
    rig.start("1", {}, slots);
    rig.tick(input.ConsumeIntegralInRange<std::uint32_t>(0, 3));

    // The user ticks every row of the dialog.
    rig.adapterDialog.whileOpen = [&rig] {
        std::vector<std::string> all;
        for (const auto& row : rig.adapterDialog.shown.back())
            all.push_back(row.name);
        rig.adapterDialog.answers = {all};
    };
    const std::vector<std::string> loaded = rig.form.adapter;
    rig.form.mnu_adapter_Click();

    // Every chosen name was shown, checked; more than ten rows ticked were refused and nothing was stored,
    // and otherwise the slots hold the choice, no name twice.
    bool sound = rig.adapterDialog.shown.size() == 1 && loaded.size() <= 10 && rig.form.adapter.size() <= 10;
    const auto& shown = rig.adapterDialog.shown.front();
    for (const std::string& name : loaded) {
        sound = sound && std::any_of(shown.begin(), shown.end(), [&](const auto& row) {
                    return row.checked && rig.adapters.sameName(row.name, name);
                });
    }
    const bool refused = shown.size() > 10;
    sound = sound && rig.adapterDialog.refusals.size() == (refused ? 1u : 0u);
    sound = sound && (refused ? rig.store.writes.empty() && rig.form.adapter == loaded
                              : rig.store.writes.size() == 10 && rig.form.adapter.size() <= shown.size());
    const auto stored = rig.adapterSlots();
    for (std::size_t i = 0; !refused && i < 10; ++i) {
        sound = sound && stored[i] == (i < rig.form.adapter.size() ? rig.form.adapter[i] : "");
    }
    if (!sound) {
        __builtin_trap();
    }
    return 0;
}
