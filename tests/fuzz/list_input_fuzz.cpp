// File names from outside the program reaching the list: drops of any number of any paths, and the path
// that the open dialog returns (or its failure), mixed with removals and edits, over a stored list.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <vector>

#include "fakes/form_fixture.h"
#include "fuzz/fakes_checked.h"

namespace {

// The list never passes ten entries, the Add button is enabled exactly below ten, and the store holds
// the list as shown.
bool Sound(kw::test::FormRig& rig) {
    const auto& list = rig.view.list;
    bool sound = list.size() <= 10 && rig.view.isEnabled(kw::ControlId::Command1) == (list.size() < 10);
    for (std::size_t i = 0; i < 10; ++i) {
        const auto slot = rig.store.get(kw::program::kTitle, "Files", "datei" + std::to_string(i));
        sound = sound && slot.value_or("") == (i < list.size() ? list[i] : "");
    }
    return sound;
}

kw::DropData Drop(FuzzedDataProvider& input) {
    kw::DropData drop;
    drop.hasFileList = input.ConsumeBool();
    drop.files.resize(input.ConsumeIntegralInRange(0, 12));
    for (auto& file : drop.files) {
        file = input.ConsumeRandomLengthString(300);
    }
    return drop;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    kw::test::FormRig rig;
    std::vector<std::string> stored(input.ConsumeIntegralInRange(0, 10));
    for (std::size_t i = 0; i < stored.size(); ++i) {
        stored[i] = "\"C:\\Programme\\p" + std::to_string(i) + ".exe\"";
    }
    rig.start("2", stored);

    while (input.remaining_bytes() > 0) {
        const int count = static_cast<int>(rig.view.list.size());
        switch (input.ConsumeIntegralInRange(0, 3)) {
            case 0: rig.form.filelist_OLEDragDrop(Drop(input)); break;
            case 1:
                switch (input.ConsumeIntegralInRange(0, 2)) {
                    case 0: rig.fileDialog.choose(input.ConsumeRandomLengthString(300)); break;
                    case 1: rig.fileDialog.cancel(); break;
                    default:
                        rig.fileDialog.fail(input.ConsumeIntegral<std::int32_t>(),
                                            input.ConsumeRandomLengthString(100));
                }
                // The dialog's own loop, and the edit box's, may take a drop meanwhile.
                rig.fileDialog.whileOpen = nullptr;
                if (input.ConsumeBool()) {
                    rig.fileDialog.whileOpen = [&rig, drop = Drop(input)] { rig.form.filelist_OLEDragDrop(drop); };
                }
                rig.form.Command1_Click();
                break;
            case 2:
                rig.view.selected = input.ConsumeIntegralInRange(-1, count - 1);
                rig.form.Command2_Click();
                break;
            default:
                rig.view.selected = input.ConsumeIntegralInRange(-1, count - 1);
                rig.input.answers.push_back(input.ConsumeRandomLengthString(300));
                rig.input.whileOpen = nullptr;
                if (input.ConsumeBool()) {
                    rig.input.whileOpen = [&rig, drop = Drop(input)] { rig.form.filelist_OLEDragDrop(drop); };
                }
                rig.form.Command3_Click();
        }
        if (!Sound(rig)) {
            __builtin_trap();
        }
    }
    return 0;
}
