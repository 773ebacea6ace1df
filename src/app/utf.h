// UTF-8 <-> UTF-16, as the system converts with CP_UTF8 and no MB_ERR_INVALID_CHARS: nothing fails, every
// ill-formed piece becomes U+FFFD, and NULs inside a string are text like any other character.
#pragma once

#include <string>
#include <string_view>

namespace kw {

// Each maximal ill-formed subsequence (a stray continuation byte, a sequence cut short, an overlong form,
// an encoded surrogate, a value past U+10FFFF) becomes one U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);
// A surrogate without its partner becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view utf16);

}  // namespace kw
