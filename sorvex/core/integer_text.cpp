#include "integer_text.h"

#include <limits>

namespace sorvex {

namespace {

bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\t';
}

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

}  // namespace

std::optional<std::int32_t> readIntegerText(std::u16string_view text)
{
    text = text.substr(0, integerTextLimit);
    std::size_t at = 0;
    while (at < text.size() && isBlank(text[at]))
        ++at;
    const bool startsWithZero = at < text.size() && text[at] == u'0';

    bool negative = false;
    if (at < text.size() && (text[at] == u'+' || text[at] == u'-')) {
        negative = text[at] == u'-';
        ++at;
    }
    const std::size_t digitsStart = at;
    // Kept within int64 range: anything past the 32-bit limits only needs to stay past them.
    constexpr std::int64_t beyond = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 2;
    std::int64_t magnitude = 0;
    while (at < text.size() && isDigit(text[at])) {
        magnitude = magnitude * 10 + (text[at] - u'0');
        if (magnitude > beyond)
            magnitude = beyond;
        ++at;
    }
    if (at == digitsStart)
        return std::nullopt;
    while (at < text.size() && isBlank(text[at]))
        ++at;
    if (at != text.size())
        return std::nullopt;
    if (magnitude == 0 && !startsWithZero)
        return std::nullopt;

    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

}  // namespace sorvex
