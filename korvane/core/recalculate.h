// recalculate: the sequence behind every committed input of the calculator. It reads the boxes through a
// CalculatorView, converts and clamps them, calculates and writes the outputs back, or says what failed.
#pragma once

#include "expected.h"
#include "improves_calculation.h"
#include "number_conversion.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace korvane {

// The controls that recalculate reads and writes, as texts in UTF-8.
class CalculatorView {
public:
    virtual ~CalculatorView() = default;
    [[nodiscard]] virtual std::string intellectText() const = 0;
    virtual void setIntellectText(std::string_view text) = 0;
    [[nodiscard]] virtual std::string percentText(int box) const = 0;  // box 1..3
    [[nodiscard]] virtual std::string schoolName() const = 0;
    virtual void setTotal(std::string_view text) = 0;
    virtual void setCaption(std::string_view text) = 0;
    virtual void setVerdict(std::string_view text) = 0;
};

inline constexpr std::string_view questionCaption = "How many improves for my next level?";

// The box whose text could not be converted.
enum class InputBox : std::uint8_t { Intellect, Percent1, Percent2, Percent3 };

struct InputFailure {
    InputBox box;
    ConversionError error;
    std::string text;
};

using RecalculateFailure = std::variant<InputFailure, Overflow>;

// Reads the view, clamps the intellect box, computes and writes the three outputs. At a failure
// it stops at once: what was written before stays, nothing after it is written.
[[nodiscard]] Expected<ImprovesResult, RecalculateFailure> recalculate(CalculatorView& view,
                                                                       const SchoolLevels& schools,
                                                                       SpellCount spellCount,
                                                                       std::string_view decimalSeparator);

}  // namespace korvane
