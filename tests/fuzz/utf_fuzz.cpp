// Any bytes as UTF-8, and the same bytes as UTF-16 code units, through the conversions at the system's
// boundary: invalid sequences, lone surrogates, NULs and long strings.
#include <cstdint>
#include <cstring>
#include <string>

#include "app/utf.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::u16string wide = kw::Utf8ToUtf16(bytes);
    const std::string narrow = kw::Utf16ToUtf8(wide);
    // Only ill-formed input is replaced, so text without a replacement comes back exactly; what comes
    // back is well formed and survives a second trip unchanged.
    if ((wide.find(u'\uFFFD') == std::u16string::npos && narrow != bytes) ||
        kw::Utf16ToUtf8(kw::Utf8ToUtf16(narrow)) != narrow) {
        __builtin_trap();
    }

    std::u16string units(size / 2, u'\0');
    std::memcpy(units.data(), data, units.size() * 2);
    const std::u16string back = kw::Utf8ToUtf16(kw::Utf16ToUtf8(units));
    // Unit for unit, but each surrogate without its partner is now U+FFFD.
    bool same = back.size() == units.size();
    for (std::size_t i = 0; same && i < units.size(); ++i) {
        const bool surrogate = units[i] >= 0xD800 && units[i] <= 0xDFFF;
        same = back[i] == units[i] || (surrogate && back[i] == u'\uFFFD');
    }
    if (!same) {
        __builtin_trap();
    }
    return 0;
}
