#include "improves.h"

#include <cmath>
#include <cstddef>
#include <limits>
#include <optional>

namespace korvane {
namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int16_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int16_t>::max();

std::optional<std::int16_t> Narrow(std::int32_t value) {
    if (value < kMin || value > kMax) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(value);
}

// 16-bit operations compute in 32 bits, where they cannot overflow, and then check the range.
std::optional<std::int16_t> Add(std::int16_t a, std::int16_t b) {
    return Narrow(std::int32_t{a} + std::int32_t{b});
}
std::optional<std::int16_t> Sub(std::int16_t a, std::int16_t b) {
    return Narrow(std::int32_t{a} - std::int32_t{b});
}
std::optional<std::int16_t> Mul(std::int16_t a, std::int16_t b) {
    return Narrow(std::int32_t{a} * std::int32_t{b});
}

// Independent of the floating-point rounding mode.
double RoundHalfEven(double value) {
    const double floor = std::floor(value);
    const double diff = value - floor;
    if (diff < 0.5) {
        return floor;
    }
    if (diff > 0.5) {
        return floor + 1.0;
    }
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

std::optional<std::int16_t> RoundToInt16(double value) {
    const double rounded = RoundHalfEven(value);
    if (!(rounded >= kMin && rounded <= kMax)) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(rounded);
}

std::optional<std::int16_t> SetIntellectBracket(std::int16_t intellect) {
    if (intellect < 5) {
        return std::int16_t{0};
    }
    return Mul(static_cast<std::int16_t>(intellect / 5), 5);
}

std::optional<std::int16_t> RequiredPoints(std::int16_t bracket, std::int16_t levelSum) {
    const auto steps = Mul(static_cast<std::int16_t>(bracket / 5), 14);
    if (!steps) {
        return std::nullopt;
    }
    const auto bracketBase = Sub(199, *steps);
    const auto levelPoints = Mul(14, levelSum);
    if (!bracketBase || !levelPoints) {
        return std::nullopt;
    }
    const auto required = Add(*levelPoints, *bracketBase);
    if (!required) {
        return std::nullopt;
    }
    if ((bracket == 45 || bracket == 50) && *required < 87) {
        return std::int16_t{75};
    }
    return required;
}

std::optional<std::int16_t> SumPercents(const ImprovesInput& input) {
    switch (input.spellCount) {
    case SpellCount::One:
        return Mul(3, input.percent1);
    case SpellCount::Two:
        // Only the second percentage is weighted. Exact in double: both terms are multiples of 0.5.
        return RoundToInt16(static_cast<double>(input.percent1) + 1.5 * static_cast<double>(input.percent2));
    case SpellCount::Three:
        break;
    }
    const auto firstTwo = Add(input.percent1, input.percent2);
    if (!firstTwo) {
        return std::nullopt;
    }
    return Add(*firstTwo, input.percent3);
}

std::int16_t LevelOneCount(const ImprovesInput& input) {
    std::size_t named = kSchoolNames.size();
    for (std::size_t i = 0; i < kSchoolNames.size(); ++i) {
        if (input.schoolName == kSchoolNames[i]) {
            named = i;
            break;
        }
    }
    if (named == kSchoolNames.size()) {
        return 0;
    }
    std::int16_t count = 0;
    for (std::size_t i = 0; i < input.schools.size(); ++i) {
        if (i != named && input.schools[i].levelOneFlag) {
            ++count;
        }
    }
    return count;
}

std::optional<std::int16_t> ApplyLevelOneRule(std::int16_t required, std::int16_t levelOneCount) {
    // Six, all the other schools, adds nothing: the steps stop at five.
    if (levelOneCount < 1 || levelOneCount > 5) {
        return required;
    }
    const auto extra = Mul(7, levelOneCount);
    if (!extra) {
        return std::nullopt;
    }
    if (required > 75) {
        return Add(required, *extra);
    }
    if (required == 75) {
        return Add(73, *extra);
    }
    return required;
}

}  // namespace

SchoolLevelState LevelStateForOption(int optionIndex) {
    if (optionIndex <= 0) {
        return {0, false};
    }
    if (optionIndex == 1) {
        return {0, true};
    }
    if (optionIndex > 6) {
        optionIndex = 6;
    }
    return {static_cast<std::int16_t>(optionIndex - 1), false};
}

std::string_view VerdictFor(std::int16_t improvesNeeded) {
    if (improvesNeeded <= 0) {
        return "Congratulations!";
    }
    if (improvesNeeded < 15) {
        return "Little Further";
    }
    if (improvesNeeded < 30) {
        return "Further";
    }
    if (improvesNeeded < 45) {
        return "Some Further";
    }
    if (improvesNeeded < 60) {
        return "Much Further";
    }
    if (improvesNeeded < 75) {
        return "Significantly Further";
    }
    return "Drastically Further";
}

Expected<ImprovesResult, Overflow> ComputeImproves(const ImprovesInput& input) {
    ImprovesResult result;

    const auto bracket = SetIntellectBracket(input.intellect);
    if (!bracket) {
        return Overflow{ImprovesStep::SetIntellectBracket};
    }
    result.intellectBracket = *bracket;

    std::int16_t levelSum = 0;
    for (const auto& school : input.schools) {
        const auto sum = Add(levelSum, school.schoolLevel);
        if (!sum) {
            return Overflow{ImprovesStep::RequiredPoints};
        }
        levelSum = *sum;
    }
    result.levelSum = levelSum;

    const auto required = RequiredPoints(result.intellectBracket, levelSum);
    if (!required) {
        return Overflow{ImprovesStep::RequiredPoints};
    }

    const auto percentPoints = SumPercents(input);
    if (!percentPoints) {
        return Overflow{ImprovesStep::SumPercents};
    }
    result.percentPoints = *percentPoints;

    result.levelOneCount = LevelOneCount(input);
    const auto raised = ApplyLevelOneRule(*required, result.levelOneCount);
    if (!raised) {
        return Overflow{ImprovesStep::ApplyLevelOneRule};
    }
    result.requiredPoints = *raised;

    const auto needed = Sub(result.requiredPoints, result.percentPoints);
    if (!needed) {
        return Overflow{ImprovesStep::ImprovesNeeded};
    }
    result.improvesNeeded = *needed;
    result.verdict = VerdictFor(result.improvesNeeded);
    return result;
}

Expected<std::int16_t, ConversionError> ConvertNumber(std::string_view text, std::string_view decimalSeparator) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }

    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }

    // Magnitude saturates just past the range, which is all the range check needs.
    constexpr std::int32_t kSaturated = kMax + 2;
    std::int32_t magnitude = 0;
    std::size_t pos = 0;
    std::size_t intDigits = 0;
    for (; pos < text.size() && isDigit(text[pos]); ++pos, ++intDigits) {
        magnitude = magnitude * 10 + (text[pos] - '0');
        if (magnitude > kSaturated) {
            magnitude = kSaturated;
        }
    }

    std::size_t fracDigits = 0;
    int firstFrac = 0;
    bool restNonZero = false;
    if (!decimalSeparator.empty() && text.substr(pos).starts_with(decimalSeparator)) {
        pos += decimalSeparator.size();
        for (; pos < text.size() && isDigit(text[pos]); ++pos, ++fracDigits) {
            const int digit = text[pos] - '0';
            if (fracDigits == 0) {
                firstFrac = digit;
            } else if (digit != 0) {
                restNonZero = true;
            }
        }
    }
    if (pos != text.size() || intDigits + fracDigits == 0) {
        return ConversionError::NotANumber;
    }

    const bool roundUp = firstFrac > 5 || (firstFrac == 5 && (restNonZero || magnitude % 2 == 1));
    if (roundUp && magnitude < kSaturated) {
        ++magnitude;
    }
    const std::int32_t value = negative ? -magnitude : magnitude;
    if (value < kMin || value > kMax) {
        return ConversionError::OutOfRange;
    }
    return static_cast<std::int16_t>(value);
}

Expected<ImprovesResult, RecalculateFailure> Recalculate(CalculatorView& view, const SchoolLevels& schools,
                                                         SpellCount spellCount, std::string_view decimalSeparator) {
    ImprovesInput input;
    input.schools = schools;
    input.spellCount = spellCount;

    const std::string intellectText = view.intellectText();
    const auto intellect = ConvertNumber(intellectText, decimalSeparator);
    if (!intellect) {
        return RecalculateFailure{InputFailure{InputBox::Intellect, intellect.error(), intellectText}};
    }
    input.intellect = intellect.value();
    if (input.intellect == 0) {
        input.intellect = 1;  // the box keeps its 0
    } else if (input.intellect > 50) {
        input.intellect = 50;
        view.setIntellectText("50");
    } else if (input.intellect < 1) {
        input.intellect = 1;
        view.setIntellectText("1");
    }

    const auto readPercent = [&](int box, std::int16_t& into) -> std::optional<InputFailure> {
        const std::string text = view.percentText(box);
        const auto percent = ConvertNumber(text, decimalSeparator);
        if (!percent) {
            return InputFailure{static_cast<InputBox>(box), percent.error(), text};
        }
        into = percent.value();
        return std::nullopt;
    };
    if (auto failure = readPercent(1, input.percent1)) {
        return RecalculateFailure{std::move(*failure)};
    }
    if (spellCount != SpellCount::One) {
        if (auto failure = readPercent(2, input.percent2)) {
            return RecalculateFailure{std::move(*failure)};
        }
    }
    if (spellCount == SpellCount::Three) {
        if (auto failure = readPercent(3, input.percent3)) {
            return RecalculateFailure{std::move(*failure)};
        }
    }

    input.schoolName = view.schoolName();

    const auto computed = ComputeImproves(input);
    if (!computed) {
        return RecalculateFailure{computed.error()};
    }
    const ImprovesResult& result = computed.value();
    const std::string total = std::to_string(result.improvesNeeded);
    view.setTotal(total);
    view.setCaption(total + " " + std::string(kQuestion));
    view.setVerdict(result.verdict);
    return result;
}

}  // namespace korvane
