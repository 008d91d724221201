#pragma once

#include <string_view>

namespace sorvex {

// Warning message boxes of the store; the dialogs title them with the program's name.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void showWarning(std::string_view text) = 0;
};

}  // namespace sorvex
