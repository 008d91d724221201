#include "number_conversion.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using namespace korvane;

namespace {

struct Row {
    const char* text;
    const char* separator;
    std::optional<std::int16_t> value;  // set: converts to this
    ConversionError error = ConversionError::NotANumber;
};

constexpr auto notANumber = ConversionError::NotANumber;
constexpr auto outOfRange = ConversionError::OutOfRange;

const Row rows[] = {
    // plain numbers, signs, blanks
    {"196", ".", 196},
    {"0", ".", 0},
    {"+7", ".", 7},
    {"-7", ".", -7},
    {"-0", ".", 0},
    {"  7 ", ".", 7},
    {"\t-7\t", ".", -7},
    {"000000000000000042", ".", 42},
    // fractions round half to even, away from the half otherwise
    {"12.5", ".", 12},
    {"13.5", ".", 14},
    {"0.5", ".", 0},
    {"-2.5", ".", -2},
    {"-3.5", ".", -4},
    {"-0.5", ".", 0},
    {"2.49999", ".", 2},
    {"2.50001", ".", 3},
    {"2.6", ".", 3},
    {"-2.6", ".", -3},
    {".5", ".", 0},
    {".6", ".", 1},
    {"5.", ".", 5},
    {"7.000", ".", 7},
    // the separator is the user's own and only that one
    {"12,5", ",", 12},
    {"13,5", ",", 14},
    {"12.5", ",", std::nullopt, notANumber},
    {"12,5", ".", std::nullopt, notANumber},
    {"12\xD9\xAB"
     "5",
     "\xD9\xAB", 12},
    {"12\xD9"
     "5",
     "\xD9\xAB", std::nullopt, notANumber},
    // range limits, after rounding
    {"32767", ".", 32767},
    {"-32768", ".", -32768},
    {"32768", ".", std::nullopt, outOfRange},
    {"-32769", ".", std::nullopt, outOfRange},
    {"32767.4", ".", 32767},
    {"32767.5", ".", std::nullopt, outOfRange},
    {"32766.5", ".", 32766},
    {"-32768.5", ".", -32768},
    {"-32768.6", ".", std::nullopt, outOfRange},
    {"99999999999999999999", ".", std::nullopt, outOfRange},
    {"-99999999999999999999.9", ".", std::nullopt, outOfRange},
    // not numbers
    {"", ".", std::nullopt, notANumber},
    {"   ", ".", std::nullopt, notANumber},
    {"X", ".", std::nullopt, notANumber},
    {"abc", ".", std::nullopt, notANumber},
    {"12abc", ".", std::nullopt, notANumber},
    {"-", ".", std::nullopt, notANumber},
    {"+", ".", std::nullopt, notANumber},
    {".", ".", std::nullopt, notANumber},
    {"-.", ".", std::nullopt, notANumber},
    {"++1", ".", std::nullopt, notANumber},
    {"- 5", ".", std::nullopt, notANumber},
    {"5-", ".", std::nullopt, notANumber},
    {"1 2", ".", std::nullopt, notANumber},
    {"1.2.3", ".", std::nullopt, notANumber},
    {"1e3", ".", std::nullopt, notANumber},
    {"0x10", ".", std::nullopt, notANumber},
    {"&H10", ".", std::nullopt, notANumber},
    {"1,000", ".", std::nullopt, notANumber},
    {"(5)", ".", std::nullopt, notANumber},
    {"5%", ".", std::nullopt, notANumber},
    {"\n5", ".", std::nullopt, notANumber},
};

class Conversion : public testing::TestWithParam<Row> { };

TEST_P(Conversion, ReadsOnlyStrictDecimalNumbers)
{
    const Row& row = GetParam();
    const auto converted = convertNumber(row.text, row.separator);
    if (row.value) {
        ASSERT_TRUE(converted.hasValue()) << '"' << row.text << '"';
        EXPECT_EQ(converted.value(), *row.value) << '"' << row.text << '"';
    } else {
        ASSERT_FALSE(converted.hasValue()) << '"' << row.text << "\" gave " << converted.value();
        EXPECT_EQ(converted.error(), row.error) << '"' << row.text << '"';
    }
}

INSTANTIATE_TEST_SUITE_P(Improves, Conversion, testing::ValuesIn(rows));

TEST(Conversion, EmbeddedNulIsNotANumber)
{
    using namespace std::string_literals;
    const auto converted = convertNumber("5\0"s, ".");
    ASSERT_FALSE(converted.hasValue());
    EXPECT_EQ(converted.error(), ConversionError::NotANumber);
}

}  // namespace
