// The ten stored program slots, any bytes each (the store can be edited by hand), read at start-up and
// launched when a connection comes up; the connection's end then ends every program launched.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "fakes/form_fixture.h"
#include "fuzz/fakes_checked.h"
#include "watch/program_path.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    kw::test::FormRig rig;
    std::vector<std::string> slots;
    for (int i = 0; i < 10; ++i) {
        slots.push_back(input.ConsumeRandomLengthString(400));
    }
    rig.start(input.ConsumeRandomLengthString(16), slots);
    // How long a countdown lasts is the delay's concern; one second of it is enough here.
    rig.form.schlafzeit = std::min<std::int16_t>(rig.form.schlafzeit, 1);
    rig.tick(1);
    rig.tick(0);

    // The filled slots, in order, are the list; the command lines run are those of the entries that name a
    // program or leave it to the system (no file exists here), a batch file's through the command
    // interpreter; whatever ran has ended.
    std::vector<std::string> entries, run;
    std::copy_if(slots.begin(), slots.end(), std::back_inserter(entries), [](const auto& s) { return !s.empty(); });
    for (const std::string& entry : entries) {
        const auto plan = kw::PlanLaunch(entry, rig.files.system, [](const std::string&, bool) {
            return kw::PathKind::missing;
        });
        if (plan) {
            run.push_back(plan->commandLine);
        }
    }
    bool sound = rig.view.list == entries && rig.processes.attempts == run &&
                 rig.view.isEnabled(kw::ControlId::Command1) == (entries.size() < 10);
    for (const auto* process : rig.processes.launched()) {
        sound = sound && !process->alive && process->exitCode == 1u;
    }
    if (!sound) {
        __builtin_trap();
    }
    return 0;
}
