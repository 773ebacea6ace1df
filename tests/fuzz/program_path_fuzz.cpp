// An entry's text read as a program and its arguments, against a file system that the input describes:
// files, images and folders at prefixes of the entry, some with the ".exe" the system adds.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <map>
#include <string>

#include "watch/program_path.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string entry = input.ConsumeRandomLengthString(300);
    std::map<std::string, kw::PathKind> paths;
    while (input.remaining_bytes() > 0) {
        std::string path = entry.substr(0, input.ConsumeIntegralInRange<std::size_t>(0, entry.size()));
        if (input.ConsumeBool()) {
            path += ".exe";
        }
        paths[path] = static_cast<kw::PathKind>(input.ConsumeIntegralInRange(0, 3));
    }
    int lookUps = 0;
    const auto lookUp = [&](const std::string& path) {
        ++lookUps;
        const auto found = paths.find(path);
        return found == paths.end() ? kw::PathKind::missing : found->second;
    };

    const kw::ProgramChoice choice = kw::ChooseProgram(entry, lookUp);
    const std::string& program = choice.program;
    bool sound = true;
    if (choice.kind != kw::ProgramChoice::Kind::Found) {
        sound = program.empty() && (choice.kind == kw::ProgramChoice::Kind::NotFound || lookUps == 0);
    } else {
        // An existing file that the entry names up to a blank, with the ".exe" the system adds.
        const bool added = program.ends_with(".exe") && !entry.starts_with(program);
        const std::string named = program.substr(0, program.size() - (added ? 4 : 0));
        const kw::PathKind kind = lookUp(program);
        sound = !named.empty() && entry.starts_with(named) &&
                (named.size() == entry.size() || entry[named.size()] == ' ' || entry[named.size()] == '\t') &&
                (kind == kw::PathKind::file || kind == kw::PathKind::image);
    }
    if (!sound) {
        __builtin_trap();
    }
    return 0;
}
