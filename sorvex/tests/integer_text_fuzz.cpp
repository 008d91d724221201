#include "integer_text.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

namespace {

// A second reading of the same rules, built on strtoll over an ASCII copy.
std::optional<std::int32_t> reference(std::u16string text)
{
    if (text.size() > sorvex::integerTextLimit)
        text.resize(sorvex::integerTextLimit);
    std::string ascii;
    for (char16_t c : text) {
        if (c >= 0x80)
            return std::nullopt;
        ascii += static_cast<char>(c);
    }
    const std::size_t first = ascii.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::nullopt;
    const std::size_t last = ascii.find_last_not_of(" \t");
    const std::string core = ascii.substr(first, last - first + 1);
    const std::size_t digits = core[0] == '+' || core[0] == '-' ? 1 : 0;
    if (digits == core.size() || core.find_first_not_of("0123456789", digits) != std::string::npos)
        return std::nullopt;
    long long value = std::strtoll(core.c_str(), nullptr, 10);  // saturates at the 64-bit limits
    if (value == 0 && core[0] != '0')
        return std::nullopt;
    if (value > INT32_MAX)
        value = INT32_MAX;
    if (value < INT32_MIN)
        value = INT32_MIN;
    return static_cast<std::int32_t>(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Mostly the characters that matter, so that the fuzzer reaches digits, signs and blanks often.
    static constexpr char16_t alphabet[] = u" \t+-0123456789x\u00A0\u0661";
    std::u16string text;
    for (std::size_t i = 0; i < size; ++i) {
        const std::uint8_t b = data[i];
        text += b < 0xF0 ? alphabet[b % (sizeof alphabet / sizeof alphabet[0] - 1)] : static_cast<char16_t>(b << 4);
    }
    if (sorvex::readIntegerText(text) != reference(text))
        std::abort();
    return 0;
}
