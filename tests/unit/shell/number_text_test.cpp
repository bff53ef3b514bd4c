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

TEST(NumberText, FloorsOrRoundsHalvesToEvenIntoSixteenBits) {
    const std::optional<int16_t> none;
    const struct {
        std::optional<int16_t> (*convert)(std::string_view);
        const char* text;
        std::optional<int16_t> value;
    } cases[] = {
        {FloorToInt16, "2.7", 2},
        {FloorToInt16, "-0.5", -1},
        {FloorToInt16, "32767.9", 32767},
        {FloorToInt16, "-32768", -32768},
        {FloorToInt16, "-32768.1", none},
        {FloorToInt16, "32768", none},
        {FloorToInt16, "abc", none},
        {RoundEvenToInt16, "2.5", 2},
        {RoundEvenToInt16, "3.5", 4},
        {RoundEvenToInt16, "-2.5", -2},
        {RoundEvenToInt16, "2.51", 3},
        {RoundEvenToInt16, " 30 ", 30},
        {RoundEvenToInt16, "-32768.5", -32768},
        {RoundEvenToInt16, "32767.5", none},
        {RoundEvenToInt16, "", none},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.convert(c.text), c.value)
            << (c.convert == FloorToInt16 ? "floor" : "round") << " of \"" << c.text << "\"";
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
