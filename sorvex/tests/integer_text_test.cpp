#include "integer_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>

using sorvex::readIntegerText;

namespace {

struct Reading {
    std::u16string text;
    std::optional<std::int32_t> value;
};

void PrintTo(const Reading& r, std::ostream* os)
{
    *os << '"';
    for (char16_t c : r.text)
        *os << (c < 0x80 ? static_cast<char>(c) : '?');
    *os << '"';
}

class IntegerTextTest : public testing::TestWithParam<Reading> { };

TEST_P(IntegerTextTest, Reads)
{
    EXPECT_EQ(readIntegerText(GetParam().text), GetParam().value);
}

const std::optional<std::int32_t> refused;

INSTANTIATE_TEST_SUITE_P(Accepted, IntegerTextTest,
                         testing::Values(Reading{u"0", 0}, Reading{u"000", 0}, Reading{u" \t 0 \t", 0},
                                         Reading{u" 7 ", 7}, Reading{u"+7", 7}, Reading{u"-7", -7},
                                         Reading{u"297", 297}, Reading{u"298", 298}, Reading{u"-0012", -12},
                                         Reading{u"2147483647", INT_MAX}, Reading{u"-2147483648", INT_MIN},
                                         Reading{u"2147483648", INT_MAX}, Reading{u"-2147483649", INT_MIN},
                                         Reading{u"99999999999999999999999999", INT_MAX},
                                         Reading{u"-99999999999999999999999999", INT_MIN}));

INSTANTIATE_TEST_SUITE_P(Refused, IntegerTextTest,
                         testing::Values(Reading{u"", refused}, Reading{u"   ", refused}, Reading{u"+", refused},
                                         Reading{u"-", refused}, Reading{u"-0", refused}, Reading{u"+0", refused},
                                         Reading{u" +000 ", refused}, Reading{u"1 2", refused},
                                         Reading{u"12a", refused}, Reading{u"0x10", refused}, Reading{u"1.5", refused},
                                         Reading{u"1e3", refused}, Reading{u"--1", refused}, Reading{u"+-1", refused},
                                         Reading{u"- 1", refused}, Reading{u"\n1", refused}, Reading{u"1\r", refused},
                                         Reading{u"\u0661",
                                                 refused},  // an Arabic-Indic digit is not a decimal digit here
                                         Reading{u"\uFF11", refused},  // nor is a full-width one
                                         Reading{u"\u00A01", refused}));  // and a no-break space is not a blank

// Only the first 31 characters count: what stands after them is never seen.
INSTANTIATE_TEST_SUITE_P(Limit, IntegerTextTest,
                         testing::Values(Reading{u"5" + std::u16string(30, u' ') + u"x", 5},
                                         Reading{std::u16string(30, u' ') + u"12", 1},
                                         Reading{std::u16string(31, u' ') + u"12", refused},
                                         Reading{u"-" + std::u16string(30, u'0') + u"1", refused},
                                         Reading{std::u16string(31, u'0') + u"9", 0}));

}  // namespace
