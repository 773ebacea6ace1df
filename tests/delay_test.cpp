#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "settings/delay.h"

namespace kw {
namespace {

struct DelayCase {
    const char* text;
    const char* separator;
    std::optional<std::int16_t> expected;
};

std::string Show(std::optional<std::int16_t> value) {
    return value ? std::to_string(*value) : "(no number)";
}

void ExpectConversions(const std::vector<DelayCase>& cases) {
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("text \"") + c.text + "\", separator \"" + c.separator + "\"");
        const auto actual = ConvertDelay(c.text, c.separator);
        EXPECT_EQ(actual, c.expected) << "expected " << Show(c.expected) << ", got " << Show(actual);
    }
}

TEST(ConvertDelay, PlainNumbersBlanksAndSigns) {
    ExpectConversions({
        {"2", ",", 2},
        {"007", ",", 7},
        {" 7", ",", 7},
        {"7  ", ",", 7},
        {"\t12\t", ",", 12},
        {"+5", ",", 5},
        {"-5", ",", -5},
        {" -5 ", ",", -5},
        {"0", ",", 0},
        {"-0", ",", 0},
    });
}

TEST(ConvertDelay, TextThatIsNoNumberFails) {
    ExpectConversions({
        {"", ",", std::nullopt},
        {"   ", ",", std::nullopt},
        {"abc", ",", std::nullopt},
        {"7a", ",", std::nullopt},
        {"a7", ",", std::nullopt},
        {"1 2", ",", std::nullopt},
        {"+", ",", std::nullopt},
        {"-", ",", std::nullopt},
        {"+-5", ",", std::nullopt},
        {"--5", ",", std::nullopt},
        {"- 5", ",", std::nullopt},
        {",", ",", std::nullopt},
        {"1,5,", ",", std::nullopt},
        {"1,,5", ",", std::nullopt},
    });
}

TEST(ConvertDelay, FractionsRoundToNearestAndHalvesToEven) {
    ExpectConversions({
        {"1,5", ",", 2},
        {"1.5", ".", 2},
        {"0,5", ",", 0},
        {"0.5", ".", 0},
        {"2,5", ",", 2},
        {"3,5", ",", 4},
        {"-2,5", ",", -2},
        {"-3,5", ",", -4},
        {"-0,5", ",", 0},
        {"0,49999", ",", 0},
        {"0,50001", ",", 1},
        {"2,500000000000000000001", ",", 3},
        {"2,4", ",", 2},
        {"2,6", ",", 3},
        {",5", ",", 0},
        {",6", ",", 1},
        {"7,", ",", 7},
        {" 1,5 ", ",", 2},
    });
}

TEST(ConvertDelay, OnlyTheUsersDecimalSeparatorMarksAFraction) {
    ExpectConversions({
        {"1.5", ",", std::nullopt},
        {"1,5", ".", std::nullopt},
        {"2.0", ",", std::nullopt},
    });
}

TEST(ConvertDelay, SixteenBitRangeEdges) {
    ExpectConversions({
        {"32767", ",", 32767},
        {"32768", ",", std::nullopt},
        {"-32768", ",", -32768},
        {"-32769", ",", std::nullopt},
        {"32767,4", ",", 32767},
        {"32767,5", ",", std::nullopt},  // rounds to 32768
        {"32766,5", ",", 32766},
        {"-32768,5", ",", -32768},  // the even neighbour stays in range
        {"-32768,6", ",", std::nullopt},
        {"99999", ",", std::nullopt},
        {"000000000000000000000000032767", ",", 32767},
        {"123456789012345678901234567890", ",", std::nullopt},
        {"-123456789012345678901234567890", ",", std::nullopt},
    });
}

}  // namespace
}  // namespace kw
