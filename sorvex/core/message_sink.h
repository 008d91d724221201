#pragma once

#include <string_view>

namespace sorvex {

inline constexpr std::string_view programName = "Sorvex";

// Warning message boxes of the store, titled with the program's name; the dialogs provide it.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void showWarning(std::string_view title, std::string_view text) = 0;
};

}  // namespace sorvex
