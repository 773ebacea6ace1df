// The conversions at the system's boundary, byte for byte as the system makes them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/utf.h"

namespace kw::test {
namespace {

TEST(Utf, EachIllFormedPieceBecomesOneReplacement) {
    struct Row {
        const char* label;
        std::string utf8;
        std::u16string utf16;
    };
    using namespace std::string_literals;
    const std::vector<Row> rows = {
        {"German text", "Gewähr für Öl", u"Gewähr für Öl"},
        {"beyond the basic plane", "a\xF0\x9F\x98\x80z", u"a\U0001F600z"},
        {"NUL inside", "a\0b"s, u"a\0b"s},
        {"stray continuation bytes", "\x80\xBF", u"\uFFFD\uFFFD"},
        {"sequence cut short, then text", "\xE2\x82x", u"\uFFFDx"},
        {"sequence cut short at the end", "x\xF0\x9F\x98", u"x\uFFFD"},
        {"overlong forms", "\xC0\xAF\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"encoded surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
        {"past U+10FFFF", "\xF4\x90\x80\x80\xF5", u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"highest code point", "\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(Utf8ToUtf16(row.utf8), row.utf16);
    }
}

TEST(Utf, LoneSurrogatesBecomeReplacementsAndValidTextRoundTrips) {
    EXPECT_EQ(Utf16ToUtf8(u"a\xD800"
                          u"b"),
              "a\xEF\xBF\xBD"
              "b");
    EXPECT_EQ(Utf16ToUtf8(std::u16string{0xDC00, 0xD83D}), "\xEF\xBF\xBD\xEF\xBF\xBD");
    using namespace std::string_literals;
    const std::string text = "C:\\Programme\\Prüfung \xF0\x9F\x98\x80\0-x"s;
    EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(text)), text);
    EXPECT_EQ(Utf8ToUtf16(""), u"");
}

}  // namespace
}  // namespace kw::test
