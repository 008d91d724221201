#include "improves_calculation.h"

#include <cmath>
#include <cstddef>
#include <limits>
#include <optional>

namespace korvane {
namespace {

constexpr std::int32_t int16Min = std::numeric_limits<std::int16_t>::min();
constexpr std::int32_t int16Max = std::numeric_limits<std::int16_t>::max();

std::optional<std::int16_t> narrow(std::int32_t value)
{
    if (value < int16Min || value > int16Max) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(value);
}

// 16-bit operations compute in 32 bits, where they cannot overflow, and then check the range.
std::optional<std::int16_t> add(std::int16_t a, std::int16_t b)
{
    return narrow(std::int32_t{a} + std::int32_t{b});
}
std::optional<std::int16_t> subtract(std::int16_t a, std::int16_t b)
{
    return narrow(std::int32_t{a} - std::int32_t{b});
}
std::optional<std::int16_t> multiply(std::int16_t a, std::int16_t b)
{
    return narrow(std::int32_t{a} * std::int32_t{b});
}

// Independent of the floating-point rounding mode.
double roundHalfEven(double value)
{
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

std::optional<std::int16_t> roundToInt16(double value)
{
    const double rounded = roundHalfEven(value);
    if (!(rounded >= int16Min && rounded <= int16Max)) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(rounded);
}

std::optional<std::int16_t> intellectBracket(std::int16_t intellect)
{
    if (intellect < 5) {
        return std::int16_t{0};
    }
    return multiply(static_cast<std::int16_t>(intellect / 5), 5);
}

std::optional<std::int16_t> requiredPoints(std::int16_t bracket, std::int16_t levelSum)
{
    const auto steps = multiply(static_cast<std::int16_t>(bracket / 5), 14);
    if (!steps) {
        return std::nullopt;
    }
    const auto bracketBase = subtract(199, *steps);
    const auto levelPoints = multiply(14, levelSum);
    if (!bracketBase || !levelPoints) {
        return std::nullopt;
    }
    const auto required = add(*levelPoints, *bracketBase);
    if (!required) {
        return std::nullopt;
    }
    if ((bracket == 45 || bracket == 50) && *required < 87) {
        return std::int16_t{75};
    }
    return required;
}

std::optional<std::int16_t> sumPercents(const ImprovesInput& input)
{
    switch (input.spellCount) {
    case SpellCount::One: return multiply(3, input.percent1);
    case SpellCount::Two:
        // Only the second percentage is weighted. Exact in double: both terms are multiples of 0.5.
        return roundToInt16(static_cast<double>(input.percent1) + 1.5 * static_cast<double>(input.percent2));
    case SpellCount::Three: break;
    }
    const auto firstTwo = add(input.percent1, input.percent2);
    if (!firstTwo) {
        return std::nullopt;
    }
    return add(*firstTwo, input.percent3);
}

std::int16_t otherSchoolsAtLevelOne(const ImprovesInput& input)
{
    std::size_t named = schoolNames.size();
    for (std::size_t i = 0; i < schoolNames.size(); ++i) {
        if (input.schoolName == schoolNames[i]) {
            named = i;
            break;
        }
    }
    if (named == schoolNames.size()) {
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

std::optional<std::int16_t> applyLevelOneRule(std::int16_t required, std::int16_t levelOneCount)
{
    // Six, all the other schools, adds nothing: the steps stop at five.
    if (levelOneCount < 1 || levelOneCount > 5) {
        return required;
    }
    const auto extra = multiply(7, levelOneCount);
    if (!extra) {
        return std::nullopt;
    }
    if (required > 75) {
        return add(required, *extra);
    }
    if (required == 75) {
        return add(73, *extra);
    }
    return required;
}

}  // namespace

SchoolLevelState levelStateForOption(int optionIndex)
{
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

std::string_view verdictFor(std::int16_t improvesNeeded)
{
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

Expected<ImprovesResult, Overflow> computeImproves(const ImprovesInput& input)
{
    ImprovesResult result;

    const auto bracket = intellectBracket(input.intellect);
    if (!bracket) {
        return Overflow{ImprovesStep::SetIntellectBracket};
    }
    result.intellectBracket = *bracket;

    std::int16_t levelSum = 0;
    for (const auto& school : input.schools) {
        const auto sum = add(levelSum, school.schoolLevel);
        if (!sum) {
            return Overflow{ImprovesStep::RequiredPoints};
        }
        levelSum = *sum;
    }
    result.levelSum = levelSum;

    const auto required = requiredPoints(result.intellectBracket, levelSum);
    if (!required) {
        return Overflow{ImprovesStep::RequiredPoints};
    }

    const auto percentPoints = sumPercents(input);
    if (!percentPoints) {
        return Overflow{ImprovesStep::SumPercents};
    }
    result.percentPoints = *percentPoints;

    result.levelOneCount = otherSchoolsAtLevelOne(input);
    const auto raised = applyLevelOneRule(*required, result.levelOneCount);
    if (!raised) {
        return Overflow{ImprovesStep::ApplyLevelOneRule};
    }
    result.requiredPoints = *raised;

    const auto needed = subtract(result.requiredPoints, result.percentPoints);
    if (!needed) {
        return Overflow{ImprovesStep::ImprovesNeeded};
    }
    result.improvesNeeded = *needed;
    result.verdict = verdictFor(result.improvesNeeded);
    return result;
}

}  // namespace korvane
