// Character classes that the parsers of entries and of the start delay share.
#pragma once

namespace kw {

// A blank between words: a space or a tab.
inline bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace kw
