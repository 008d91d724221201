// Any text, with any separator: the conversion answers with a value or an error, and a value
// must read back the same when written out as a plain integer.
#include "number_conversion.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    const std::size_t sepLength = data[0] % 3;
    if (size < 1 + sepLength) {
        return 0;
    }
    const std::string_view separator(reinterpret_cast<const char*>(data + 1), sepLength);
    const std::string_view text(reinterpret_cast<const char*>(data + 1 + sepLength), size - 1 - sepLength);
    const auto converted = korvane::convertNumber(text, separator);
    if (converted.hasValue()) {
        const auto again = korvane::convertNumber(std::to_string(converted.value()), ".");
        if (!again.hasValue() || again.value() != converted.value()) {
            std::abort();
        }
    }
    return 0;
}
