// How the dialog reads a whole number out of an edit field.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace sorvex {

// Only this many characters of a field are looked at.
inline constexpr std::size_t integerTextLimit = 31;

// Blanks and tabs around an optionally signed run of decimal digits; values beyond 32 bits
// become the nearest limit. Empty, malformed and sign-then-zeros texts ("-0", "+00") give nothing.
std::optional<std::int32_t> readIntegerText(std::u16string_view text);

}  // namespace sorvex
