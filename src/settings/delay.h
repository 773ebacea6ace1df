#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kw {

// The start delay in seconds where none is stored or a text does not convert, and its text, which is also
// the delay field's design text.
inline constexpr std::int16_t kDefaultDelay = 2;
inline constexpr const char* kDefaultDelayText = "2";
static_assert(kDefaultDelayText[0] - '0' == kDefaultDelay && kDefaultDelayText[1] == '\0');

// Converts a start-delay text to a 16-bit integer the way the user writes numbers: blanks around it
// are ignored, a sign is allowed, and a fraction written with the user's decimal separator is rounded
// to the nearest integer, an exact half to the even neighbour. Returns nothing for text that is not a
// number or whose rounded value lies outside -32768 to 32767.
std::optional<std::int16_t> ConvertDelay(std::string_view text, std::string_view decimalSeparator);

}  // namespace kw
