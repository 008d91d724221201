#include "number_conversion.h"

#include <cstddef>
#include <limits>

namespace korvane {
namespace {

constexpr std::int32_t int16Min = std::numeric_limits<std::int16_t>::min();
constexpr std::int32_t int16Max = std::numeric_limits<std::int16_t>::max();

}  // namespace

Expected<std::int16_t, ConversionError> convertNumber(std::string_view text, std::string_view decimalSeparator)
{
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }

    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }

    // Magnitude saturates just past the range, which is all the range check needs.
    constexpr std::int32_t saturated = int16Max + 2;
    std::int32_t magnitude = 0;
    std::size_t pos = 0;
    std::size_t intDigits = 0;
    for (; pos < text.size() && isDigit(text[pos]); ++pos, ++intDigits) {
        magnitude = magnitude * 10 + (text[pos] - '0');
        if (magnitude > saturated) {
            magnitude = saturated;
        }
    }

    std::size_t fracDigits = 0;
    int firstFrac = 0;
    bool restNonZero = false;
    if (!decimalSeparator.empty() && text.substr(pos).starts_with(decimalSeparator)) {
        pos += decimalSeparator.size();
        for (; pos < text.size() && isDigit(text[pos]); ++pos, ++fracDigits) {
            const int digit = text[pos] - '0';
            if (fracDigits == 0) {
                firstFrac = digit;
            } else if (digit != 0) {
                restNonZero = true;
            }
        }
    }
    if (pos != text.size() || intDigits + fracDigits == 0) {
        return ConversionError::NotANumber;
    }

    const bool roundUp = firstFrac > 5 || (firstFrac == 5 && (restNonZero || magnitude % 2 == 1));
    if (roundUp && magnitude < saturated) {
        ++magnitude;
    }
    const std::int32_t value = negative ? -magnitude : magnitude;
    if (value < int16Min || value > int16Max) {
        return ConversionError::OutOfRange;
    }
    return static_cast<std::int16_t>(value);
}

}  // namespace korvane
