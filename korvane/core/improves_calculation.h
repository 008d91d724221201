// The calculation of korvane: how many improves the next level of a school still needs, in the 16-bit
// arithmetic of the figures, with every overflow reported instead of wrapped.
#pragma once

#include "expected.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace korvane {

inline constexpr int schoolCount = 7;

// The seven schools, in the order of the school selector's list.
enum class School : std::uint8_t { Kraanan, Shalille, Faren, WeaponClass, Riija, Qor, Jala };

// The exact text the school selector must show to choose each school.
inline constexpr std::array<std::string_view, schoolCount> schoolNames
    = {"Kraanan", "Shal'ille", "Faren", "Weapon Class", "Riija", "Qor", "Jala"};

struct SchoolLevelState {
    std::int16_t schoolLevel = 0;  // 0..5; "Level One" does not count here
    bool levelOneFlag = false;
};

using SchoolLevels = std::array<SchoolLevelState, schoolCount>;

// The state a level option with the given index (0 "None" .. 6 "Level Six") stands for.
[[nodiscard]] SchoolLevelState levelStateForOption(int optionIndex);

enum class SpellCount : std::int16_t { One = 1, Two = 2, Three = 3 };

struct ImprovesInput {
    std::int16_t intellect = 1;
    SchoolLevels schools{};
    std::string schoolName;
    SpellCount spellCount = SpellCount::Three;
    std::int16_t percent1 = 0;
    std::int16_t percent2 = 0;
    std::int16_t percent3 = 0;
};

struct ImprovesResult {
    std::int16_t intellectBracket = 0;
    std::int16_t levelSum = 0;
    std::int16_t requiredPoints = 0;
    std::int16_t percentPoints = 0;
    std::int16_t levelOneCount = 0;
    std::int16_t improvesNeeded = 0;
    std::string_view verdict;
};

// The step of the computation whose 16-bit arithmetic overflowed.
enum class ImprovesStep : std::uint8_t {
    SetIntellectBracket,
    RequiredPoints,
    SumPercents,
    ApplyLevelOneRule,
    ImprovesNeeded,
};

struct Overflow {
    ImprovesStep step;
    friend bool operator==(const Overflow&, const Overflow&) = default;
};

[[nodiscard]] Expected<ImprovesResult, Overflow> computeImproves(const ImprovesInput& input);

[[nodiscard]] std::string_view verdictFor(std::int16_t improvesNeeded);

}  // namespace korvane
