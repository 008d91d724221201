#include "recalculate.h"

#include <optional>
#include <utility>

namespace korvane {
namespace {

// Clamps the intellect into 1..50; the box shows the clamped value, except that a 0 stays in it.
std::optional<InputFailure> readIntellect(CalculatorView& view, std::string_view decimalSeparator,
                                          std::int16_t& intellect)
{
    const std::string intellectText = view.intellectText();
    const auto converted = convertNumber(intellectText, decimalSeparator);
    if (!converted) {
        return InputFailure{InputBox::Intellect, converted.error(), intellectText};
    }
    intellect = converted.value();
    if (intellect == 0) {
        intellect = 1;
    } else if (intellect > 50) {
        intellect = 50;
        view.setIntellectText("50");
    } else if (intellect < 1) {
        intellect = 1;
        view.setIntellectText("1");
    }
    return std::nullopt;
}

// Only the boxes the spell count uses are read; the others show "X".
std::optional<InputFailure> readPercents(const CalculatorView& view, std::string_view decimalSeparator,
                                         ImprovesInput& input)
{
    const auto readPercent = [&](int box, std::int16_t& into) -> std::optional<InputFailure> {
        const std::string text = view.percentText(box);
        const auto percent = convertNumber(text, decimalSeparator);
        if (!percent) {
            return InputFailure{static_cast<InputBox>(box), percent.error(), text};
        }
        into = percent.value();
        return std::nullopt;
    };
    if (auto failure = readPercent(1, input.percent1)) {
        return failure;
    }
    if (input.spellCount != SpellCount::One) {
        if (auto failure = readPercent(2, input.percent2)) {
            return failure;
        }
    }
    if (input.spellCount == SpellCount::Three) {
        return readPercent(3, input.percent3);
    }
    return std::nullopt;
}

void writeOutputs(CalculatorView& view, const ImprovesResult& result)
{
    const std::string total = std::to_string(result.improvesNeeded);
    view.setTotal(total);
    view.setCaption(total + " " + std::string(questionCaption));
    view.setVerdict(result.verdict);
}

}  // namespace

Expected<ImprovesResult, RecalculateFailure> recalculate(CalculatorView& view, const SchoolLevels& schools,
                                                         SpellCount spellCount, std::string_view decimalSeparator)
{
    ImprovesInput input;
    input.schools = schools;
    input.spellCount = spellCount;

    if (auto failure = readIntellect(view, decimalSeparator, input.intellect)) {
        return RecalculateFailure{std::move(*failure)};
    }
    if (auto failure = readPercents(view, decimalSeparator, input)) {
        return RecalculateFailure{std::move(*failure)};
    }
    input.schoolName = view.schoolName();

    const auto computed = computeImproves(input);
    if (!computed) {
        return RecalculateFailure{computed.error()};
    }
    writeOutputs(view, computed.value());
    return computed.value();
}

}  // namespace korvane
