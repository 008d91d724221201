// Text between the cores, which keep UTF-8 in standard strings, and the windows.
#pragma once

#include <QString>

#include <string_view>

namespace quendrith {

[[nodiscard]] inline QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace quendrith
