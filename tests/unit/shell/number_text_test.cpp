#include "number_text.h"

#include <gtest/gtest.h>

namespace orvanne {
namespace {

TEST(NumberText, AcceptsWholeDecimalTextOnly) {
    struct Case {
        const char* text;
        std::optional<double> value;
    };
    const Case cases[] = {
        {"2", 2},      {"  -0.5\t", -0.5}, {"+7", 7},   {"2.", 2},     {".5", 0.5},
        {"1e3", 1000}, {"1.5E-1", 0.15},   {"", {}},    {"   ", {}},   {".", {}},
        {"-", {}},     {"abc", {}},        {"2 3", {}}, {"2x", {}},    {"0x10", {}},
        {"inf", {}},   {"nan", {}},        {"1e", {}},  {"1e999", {}}, {"--1", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseNumber(c.text), c.value) << "text \"" << c.text << "\"";
}

TEST(NumberText, FloorsIntoSixteenBits) {
    EXPECT_EQ(FloorToInt16("2.7"), int16_t{2});
    EXPECT_EQ(FloorToInt16("-0.5"), int16_t{-1});
    EXPECT_EQ(FloorToInt16("32767.9"), int16_t{32767});
    EXPECT_EQ(FloorToInt16("-32768"), int16_t{-32768});
    EXPECT_EQ(FloorToInt16("-32768.1"), std::nullopt);
    EXPECT_EQ(FloorToInt16("32768"), std::nullopt);
    EXPECT_EQ(FloorToInt16("99999"), std::nullopt);
    EXPECT_EQ(FloorToInt16("abc"), std::nullopt);
}

TEST(NumberText, RoundsHalvesToEvenIntoSixteenBits) {
    EXPECT_EQ(RoundEvenToInt16("2.5"), int16_t{2});
    EXPECT_EQ(RoundEvenToInt16("3.5"), int16_t{4});
    EXPECT_EQ(RoundEvenToInt16("-2.5"), int16_t{-2});
    EXPECT_EQ(RoundEvenToInt16("2.51"), int16_t{3});
    EXPECT_EQ(RoundEvenToInt16(" 30 "), int16_t{30});
    EXPECT_EQ(RoundEvenToInt16("-32768.5"), int16_t{-32768});
    EXPECT_EQ(RoundEvenToInt16("32767.5"), std::nullopt);
    EXPECT_EQ(RoundEvenToInt16(""), std::nullopt);
}

TEST(NumberText, LeadingNumberStopsAtTheFirstForeignCharacter) {
    EXPECT_EQ(LeadingNumberToInt32("1234"), 1234);
    EXPECT_EQ(LeadingNumberToInt32("  1234 5"), 1234);
    EXPECT_EQ(LeadingNumberToInt32("1234abc"), 1234);
    EXPECT_EQ(LeadingNumberToInt32("-42"), -42);
    EXPECT_EQ(LeadingNumberToInt32("12.5"), 12);
    EXPECT_EQ(LeadingNumberToInt32("13.5"), 14);
    EXPECT_EQ(LeadingNumberToInt32("2e3x"), 2000);
    EXPECT_EQ(LeadingNumberToInt32("-2147483648"), INT32_MIN);
    EXPECT_EQ(LeadingNumberToInt32("2147483648"), 0);
    EXPECT_EQ(LeadingNumberToInt32(""), 0);
    EXPECT_EQ(LeadingNumberToInt32("x12"), 0);
}

} // namespace
} // namespace orvanne
