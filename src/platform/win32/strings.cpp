#include "platform/win32/strings.h"

#include "app/utf.h"

// wchar_t is UTF-16 here, as the W functions take it.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

namespace kw::win32 {

std::wstring Widen(std::string_view utf8) {
    const std::u16string wide = Utf8ToUtf16(utf8);
    return std::wstring(wide.begin(), wide.end());
}

std::string Narrow(std::wstring_view utf16) {
    return Utf16ToUtf8(std::u16string(utf16.begin(), utf16.end()));
}

}  // namespace kw::win32
