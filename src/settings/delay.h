#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kw {

// Converts a start-delay text to a 16-bit integer the way the user writes numbers: blanks around it
// are ignored, a sign is allowed, and a fraction written with the user's decimal separator is rounded
// to the nearest integer, an exact half to the even neighbour. Returns nothing for text that is not a
// number or whose rounded value lies outside -32768 to 32767.
std::optional<std::int16_t> ConvertDelay(std::string_view text, std::string_view decimalSeparator);

}  // namespace kw
