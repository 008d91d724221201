// Character sheet of the selected character and the arithmetic of the next-level figures.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace sorvex {

struct CharacterSheet {
    std::int32_t levelFaren = 0;
    std::int32_t levelJala = 0;
    std::int32_t levelRiija = 0;
    std::int32_t levelKraanan = 0;
    std::int32_t levelQor = 0;
    std::int32_t levelShalille = 0;
    std::int32_t levelWeaponCraft = 0;
    std::int32_t spellCount = 0;
    std::int32_t currentIntel = 0;
    std::int32_t magicNumber = 0;
    std::int32_t spellP0 = 0;
    std::int32_t spellP1 = 0;
    std::int32_t spellP2 = 0;
    std::int32_t nextKraanan = 0;
    std::int32_t nextShalille = 0;
    std::int32_t nextFaren = 0;
    std::int32_t nextWeaponCraft = 0;
    std::int32_t nextRiija = 0;
    std::int32_t nextQor = 0;
    std::int32_t nextJala = 0;
    // Set by applySpellCountMode and not stored; 0.0 until a mode has been applied.
    double spellDivisor = 0.0;

    bool operator==(const CharacterSheet&) const = default;
};

// Number of spells or skills in the current level, as stored in CharacterSheet::spellCount.
enum class SpellCountMode : std::int32_t { OneSpell = 0, TwoSpells = 1, ThreeSpells = 2 };

inline constexpr int schoolCount = 7;

// Schools in store order.
enum School : int { Kraanan, Shalille, Faren, WeaponCraft, Riija, Qor, Jala };

inline constexpr std::array<std::string_view, schoolCount> schoolStoreNames
    = {"Kraanan", "Shalille", "Faren", "WeaponCraft", "Riija", "Qor", "Jala"};

std::int32_t& schoolLevel(CharacterSheet& sheet, int school);
std::int32_t schoolLevel(const CharacterSheet& sheet, int school);
std::int32_t& nextLevelFigure(CharacterSheet& sheet, int school);
std::int32_t nextLevelFigure(const CharacterSheet& sheet, int school);

// Which of the three percentage fields (spellP0..spellP2) take an entry under a spell count mode; the
// others show 0.
using PercentFields = std::array<bool, 3>;

// Sets the divisor and zeroes the percentages the mode leaves out. Modes outside 0..2 change nothing, the
// divisor included, and leave the fields as they are.
std::optional<PercentFields> applySpellCountMode(CharacterSheet& sheet, std::int32_t mode);

// "Clear Entry": every level, figure and percentage back to 0, three spells. The divisor stays until the
// mode is applied.
void clearEntries(CharacterSheet& sheet);

struct Calculation {
    std::int32_t intellectBase = 0;
    std::int32_t levelPoints = 0;
    std::int32_t totalPoints = 0;
    std::int32_t percentSum = 0;
};

// Sets sheet.magicNumber. Sums saturate at the 32-bit limits; a quotient that does not
// fit (or a divisor of 0.0) saturates as well, and a quotient without value counts as 0.
Calculation calculate(CharacterSheet& sheet);

inline constexpr std::string_view nextLevelCaption = "Next Level";
inline constexpr std::string_view unreachableCaption = "Unreachable";

// What a school's result box shows: its caption, and its figure in a field that is enabled or not.
struct NextLevel {
    std::string_view caption;
    std::int32_t figure = 0;
    bool enabled = false;
};

// The next-level figure of every school, in store order; the sheet's figures are set to them.
std::array<NextLevel, schoolCount> nextLevels(CharacterSheet& sheet, std::int32_t totalPoints, std::int32_t percentSum);

}  // namespace sorvex
