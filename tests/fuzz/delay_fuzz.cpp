// The start delay as the user types it and as the store holds it, written with any decimal separator.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "fakes/form_fixture.h"
#include "fuzz/fakes_checked.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    kw::test::FormRig rig;
    rig.locale.separator = input.ConsumeRandomLengthString(4);
    rig.start(input.ConsumeRandomLengthString(40), {});
    // Start-up always ends with a delay, shown as it is used.
    if (rig.view.text(kw::ControlId::Text1) != std::to_string(rig.form.schlafzeit)) {
        __builtin_trap();
    }

    rig.view.type(kw::ControlId::Text1, input.ConsumeRemainingBytesAsString());
    std::int16_t enter = 13;
    rig.form.Text1_KeyPress(enter);
    // Enter leaves a delay of at least a second, and the text stored is the text shown.
    const auto stored = rig.store.get(kw::program::kTitle, "Schlafen", "schlafen");
    if (rig.form.schlafzeit < 1 || stored != rig.view.text(kw::ControlId::Text1)) {
        __builtin_trap();
    }
    return 0;
}
