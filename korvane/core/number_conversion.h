// Reading a number typed into one of the calculator's boxes.
#pragma once

#include "expected.h"

#include <cstdint>
#include <string_view>

namespace korvane {

enum class ConversionError : std::uint8_t {
    NotANumber,  // empty, or anything but blanks, an optional sign and a decimal number
    OutOfRange,  // a number, but not within -32768..32767 once rounded
};

// Reads a typed number as a signed 16-bit integer. Accepted: blanks (space, tab) around, one
// optional leading sign directly before the number, decimal digits with an optional fraction after
// decimalSeparator (digits on at least one side of it). The fraction rounds to the nearest integer,
// an exact half to the even one. Deliberately nothing else: no thousands separators (ambiguous
// with a decimal separator elsewhere), no exponent, no hexadecimal, and only the user's own
// decimal separator, so "1.000" never silently means one where "." groups thousands.
[[nodiscard]] Expected<std::int16_t, ConversionError> convertNumber(std::string_view text,
                                                                    std::string_view decimalSeparator);

}  // namespace korvane
