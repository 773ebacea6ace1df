#include "settings/delay.h"

#include <algorithm>
#include <cctype>

#include "app/text.h"

namespace kw {
namespace {

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

}  // namespace

std::optional<std::int16_t> ConvertDelay(std::string_view text, std::string_view decimalSeparator) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);

    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }

    // Whole part, kept just past the 16-bit range so that long inputs cannot overflow.
    long magnitude = 0;
    bool anyDigit = false;
    while (!text.empty() && IsDigit(text.front())) {
        magnitude = std::min(magnitude * 10 + (text.front() - '0'), 100000L);
        anyDigit = true;
        text.remove_prefix(1);
    }

    // Fraction: only how it compares with one half matters.
    int comparedWithHalf = -1;  // below, equal to (0) or above (1) one half
    if (!decimalSeparator.empty() && text.substr(0, decimalSeparator.size()) == decimalSeparator) {
        text.remove_prefix(decimalSeparator.size());
        bool first = true;
        while (!text.empty() && IsDigit(text.front())) {
            const int digit = text.front() - '0';
            if (first) {
                comparedWithHalf = digit > 5 ? 1 : digit == 5 ? 0 : -1;
                first = false;
            } else if (comparedWithHalf == 0 && digit != 0) {
                comparedWithHalf = 1;
            }
            anyDigit = true;
            text.remove_prefix(1);
        }
    }
    if (!anyDigit || !text.empty()) {
        return std::nullopt;
    }

    if (comparedWithHalf > 0 || (comparedWithHalf == 0 && magnitude % 2 == 1)) {
        ++magnitude;
    }
    const long value = negative ? -magnitude : magnitude;
    if (value < -32768 || value > 32767) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(value);
}

}  // namespace kw
