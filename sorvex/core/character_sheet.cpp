#include "character_sheet.h"

#include <cmath>
#include <limits>

namespace sorvex {

namespace {

constexpr std::int64_t int32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t int32Max = std::numeric_limits<std::int32_t>::max();

std::int32_t saturate(std::int64_t value)
{
    if (value < int32Min)
        return std::numeric_limits<std::int32_t>::min();
    if (value > int32Max)
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value);
}

std::int32_t truncateSaturated(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<double>(int32Max))
        return std::numeric_limits<std::int32_t>::max();
    if (value <= static_cast<double>(int32Min))
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

// Division by 0.0 is written out so that it never depends on the floating-point mode.
double quotient(double numerator, double divisor)
{
    if (divisor == 0.0) {
        if (numerator == 0.0 || std::isnan(numerator))
            return std::numeric_limits<double>::quiet_NaN();
        return numerator > 0.0 ? std::numeric_limits<double>::infinity() : -std::numeric_limits<double>::infinity();
    }
    return numerator / divisor;
}

std::int64_t pointsForLevel(std::int64_t level)
{
    return level < 3 ? 7 * level : 14 * level - 14;
}

using SchoolFields = std::array<std::int32_t CharacterSheet::*, schoolCount>;
using S = CharacterSheet;
constexpr SchoolFields levelFields = {&S::levelKraanan, &S::levelShalille, &S::levelFaren, &S::levelWeaponCraft,
                                      &S::levelRiija,   &S::levelQor,      &S::levelJala};
constexpr SchoolFields nextFields
    = {&S::nextKraanan, &S::nextShalille, &S::nextFaren, &S::nextWeaponCraft, &S::nextRiija, &S::nextQor, &S::nextJala};

// In store order; an index outside the seven is Jala's, as the last school.
std::int32_t CharacterSheet::* schoolField(const SchoolFields& fields, int school)
{
    return school >= 0 && school < schoolCount ? fields[static_cast<std::size_t>(school)] : fields.back();
}

}  // namespace

std::int32_t& schoolLevel(CharacterSheet& sheet, int school)
{
    return sheet.*schoolField(levelFields, school);
}

std::int32_t schoolLevel(const CharacterSheet& sheet, int school)
{
    return schoolLevel(const_cast<CharacterSheet&>(sheet), school);
}

std::int32_t& nextLevelFigure(CharacterSheet& sheet, int school)
{
    return sheet.*schoolField(nextFields, school);
}

std::int32_t nextLevelFigure(const CharacterSheet& sheet, int school)
{
    return nextLevelFigure(const_cast<CharacterSheet&>(sheet), school);
}

std::optional<PercentFields> applySpellCountMode(CharacterSheet& sheet, std::int32_t mode)
{
    if (mode < 0 || mode > 2)
        return std::nullopt;
    if (mode < 1)
        sheet.spellP1 = 0;
    if (mode < 2)
        sheet.spellP2 = 0;
    static constexpr double divisors[] = {3.0, 1.5, 1.0};
    sheet.spellDivisor = divisors[mode];
    return PercentFields{true, mode >= 1, mode >= 2};
}

void clearEntries(CharacterSheet& sheet)
{
    for (int school = 0; school < schoolCount; ++school) {
        schoolLevel(sheet, school) = 0;
        nextLevelFigure(sheet, school) = 0;
    }
    sheet.spellCount = static_cast<std::int32_t>(SpellCountMode::ThreeSpells);
    sheet.currentIntel = 0;
    sheet.magicNumber = 0;
    sheet.spellP0 = 0;
    sheet.spellP1 = 0;
    sheet.spellP2 = 0;
}

Calculation calculate(CharacterSheet& sheet)
{
    Calculation result;
    const std::int32_t intel = sheet.currentIntel;
    result.intellectBase = intel < 5 ? 185 : 185 - 14 * (intel >= 50 ? 10 : intel / 5);

    std::int64_t levels = 0;
    for (int school = 0; school < schoolCount; ++school)
        levels += pointsForLevel(schoolLevel(sheet, school));
    result.levelPoints = saturate(levels);
    result.totalPoints = saturate(std::int64_t{result.intellectBase} + result.levelPoints);
    result.percentSum = saturate(std::int64_t{sheet.spellP0} + sheet.spellP1 + sheet.spellP2);

    sheet.magicNumber
        = truncateSaturated(quotient(result.totalPoints, sheet.spellDivisor) - static_cast<double>(result.percentSum));
    return result;
}

std::array<NextLevel, schoolCount> nextLevels(CharacterSheet& sheet, std::int32_t totalPoints, std::int32_t percentSum)
{
    std::array<NextLevel, schoolCount> shown;
    for (int school = 0; school < schoolCount; ++school) {
        const std::int32_t level = schoolLevel(sheet, school);
        if (level == 0 || level == 6) {
            nextLevelFigure(sheet, school) = 0;
            continue;
        }
        std::int64_t target = std::int64_t{totalPoints} + (level < 2 ? 7 : 14);
        const std::string_view caption = target <= 297 ? nextLevelCaption : unreachableCaption;
        if (target < 87)
            target = 87;
        const std::int32_t divided = truncateSaturated(quotient(static_cast<double>(target), sheet.spellDivisor));
        const std::int32_t figure = saturate(std::int64_t{divided} - percentSum);
        nextLevelFigure(sheet, school) = figure;
        shown[static_cast<std::size_t>(school)] = {caption, figure, true};
    }
    return shown;
}

}  // namespace sorvex
