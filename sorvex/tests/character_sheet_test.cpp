#include "character_sheet.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>

using namespace sorvex;

namespace {

CharacterSheet sheetWith(std::int32_t intel, std::array<std::int32_t, 7> levels, std::int32_t mode,
                         std::array<std::int32_t, 3> percent)
{
    CharacterSheet s;
    for (int i = 0; i < schoolCount; ++i)
        schoolLevel(s, i) = levels[static_cast<std::size_t>(i)];
    s.spellCount = mode;
    s.currentIntel = intel;
    s.spellP0 = percent[0];
    s.spellP1 = percent[1];
    s.spellP2 = percent[2];
    return s;
}

struct Example {
    const char* name;
    std::int32_t intel;
    std::array<std::int32_t, 7> levels;
    std::int32_t mode;
    std::array<std::int32_t, 3> percent;
    std::int32_t intellectBase, levelPoints, totalPoints, magicNumber;
    // "" with figure 0 and a disabled field for schools at level 0 or 6
    std::array<const char*, 7> captions;
    std::array<std::int32_t, 7> figures;
};

const char* const N = "Next Level";
const char* const U = "Unreachable";

const Example examples[] = {
    {"FirstRun",
     0,
     {0, 0, 0, 0, 1, 0, 0},
     2,
     {1, 1, 1},
     185,
     7,
     192,
     189,
     {"", "", "", "", N, "", ""},
     {0, 0, 0, 0, 196, 0, 0}},
    {"A",
     50,
     {6, 5, 3, 0, 0, 0, 0},
     0,
     {40, 0, 0},
     45,
     154,
     199,
     26,
     {"", N, N, "", "", "", ""},
     {0, 31, 31, 0, 0, 0, 0}},
    {"B",
     0,
     {5, 2, 2, 1, 1, 1, 0},
     2,
     {0, 0, 0},
     185,
     105,
     290,
     290,
     {U, U, U, N, N, N, ""},
     {304, 304, 304, 297, 297, 297, 0}},
    {"C", 50, {0, 0, 0, 0, 0, 0, 1}, 1, {10, 20, 0}, 45, 7, 52, 4, {"", "", "", "", "", "", N}, {0, 0, 0, 0, 0, 0, 28}},
    {"D",
     45,
     {4, 0, 0, 0, 0, 0, 0},
     0,
     {40, 0, 0},
     59,
     42,
     101,
     -6,
     {N, "", "", "", "", "", ""},
     {-2, 0, 0, 0, 0, 0, 0}},
    {"E",
     12,
     {1, 2, 3, 4, 5, 6, 0},
     1,
     {33, 33, 0},
     157,
     217,
     374,
     183,
     {U, U, U, U, U, "", ""},
     {188, 192, 192, 192, 192, 0, 0}},
};

class WorkedExample : public testing::TestWithParam<Example> { };

TEST_P(WorkedExample, GivesTheTableFigures)
{
    const Example& e = GetParam();
    CharacterSheet sheet = sheetWith(e.intel, e.levels, e.mode, e.percent);
    sheet.magicNumber = 12345;
    applySpellCountMode(sheet, e.mode);
    const Calculation c = calculate(sheet);
    EXPECT_EQ(c.intellectBase, e.intellectBase);
    EXPECT_EQ(c.levelPoints, e.levelPoints);
    EXPECT_EQ(c.totalPoints, e.totalPoints);
    EXPECT_EQ(sheet.magicNumber, e.magicNumber);

    const auto shown = nextLevels(sheet, c.totalPoints, c.percentSum);
    for (int s = 0; s < schoolCount; ++s) {
        const auto i = static_cast<std::size_t>(s);
        SCOPED_TRACE(schoolStoreNames[i]);
        EXPECT_EQ(shown[i].caption, e.captions[i]);
        EXPECT_EQ(shown[i].figure, e.figures[i]);
        EXPECT_EQ(nextLevelFigure(sheet, s), e.figures[i]);
        EXPECT_EQ(shown[i].enabled, std::string(e.captions[i]) != "");
    }
}

INSTANTIATE_TEST_SUITE_P(Table, WorkedExample, testing::ValuesIn(examples),
                         [](const auto& row) { return std::string(row.param.name); });

struct ModeRow {
    std::int32_t mode;
    double divisor;
    bool enabled1, enabled2;
    std::int32_t p1, p2;
};

class SpellMode : public testing::TestWithParam<ModeRow> { };

TEST_P(SpellMode, SetsFieldsSheetAndDivisor)
{
    const ModeRow& r = GetParam();
    CharacterSheet sheet = sheetWith(0, {}, r.mode, {11, 22, 33});
    EXPECT_EQ(sheet.spellDivisor, 0.0);
    EXPECT_EQ(applySpellCountMode(sheet, r.mode), (PercentFields{true, r.enabled1, r.enabled2}));
    EXPECT_EQ(sheet.spellP0, 11);
    EXPECT_EQ(sheet.spellP1, r.p1);
    EXPECT_EQ(sheet.spellP2, r.p2);
    EXPECT_EQ(sheet.spellDivisor, r.divisor);
}

INSTANTIATE_TEST_SUITE_P(Modes, SpellMode,
                         testing::Values(ModeRow{0, 3.0, false, false, 0, 0}, ModeRow{1, 1.5, true, false, 22, 0},
                                         ModeRow{2, 1.0, true, true, 22, 33}));

TEST(SpellMode, OutsideRangeKeepsPreviousDivisorAndTouchesNothing)
{
    for (const std::int32_t mode : {-1, 3, INT_MIN, INT_MAX}) {
        CharacterSheet sheet = sheetWith(0, {}, 1, {5, 6, 7});
        applySpellCountMode(sheet, 1);
        EXPECT_EQ(applySpellCountMode(sheet, mode), std::nullopt);
        EXPECT_EQ(sheet.spellDivisor, 1.5);
        EXPECT_EQ(sheet.spellP1, 6);
        EXPECT_EQ(sheet.spellP2, 0);
    }
}

TEST(ClearEntries, LeavesAnEmptySheetOfThreeSpellsAndTheDivisor)
{
    CharacterSheet s = sheetWith(120, {1, 2, 3, 4, 5, 6, -1}, 0, {10, 20, 30});
    s.magicNumber = 55;
    for (int school = 0; school < schoolCount; ++school)
        nextLevelFigure(s, school) = 100 + school;
    s.spellDivisor = 3.0;
    clearEntries(s);

    CharacterSheet empty;
    empty.spellCount = static_cast<std::int32_t>(SpellCountMode::ThreeSpells);
    empty.spellDivisor = 3.0;
    EXPECT_EQ(s, empty);
}

TEST(NextLevel, CaptionTurnsBetween297And298)
{
    CharacterSheet s = sheetWith(0, {0, 0, 0, 0, 3, 0, 0}, 2, {0, 0, 0});
    applySpellCountMode(s, 2);
    const NextLevel at297 = nextLevels(s, 283, 0)[Riija];
    EXPECT_EQ(at297.caption, "Next Level");
    EXPECT_EQ(at297.figure, 297);
    const NextLevel at298 = nextLevels(s, 284, 0)[Riija];
    EXPECT_EQ(at298.caption, "Unreachable");
    EXPECT_EQ(at298.figure, 298);
    EXPECT_TRUE(at298.enabled);
}

TEST(NextLevel, TargetBelow87IsRaisedTo87)
{
    CharacterSheet s = sheetWith(0, {0, 0, 0, 0, 1, 0, 0}, 0, {5, 0, 0});
    applySpellCountMode(s, 0);
    EXPECT_EQ(nextLevels(s, -500, 5)[Riija].caption, "Next Level");
    EXPECT_EQ(nextLevels(s, -500, 5)[Riija].figure, 29 - 5);
    EXPECT_EQ(nextLevels(s, 80, 0)[Riija].figure, 29);  // target 87 exactly
    EXPECT_EQ(nextLevels(s, 81, 0)[Riija].figure, 29);  // target 88: 29.33
    EXPECT_EQ(nextLevels(s, 83, 0)[Riija].figure, 30);  // target 90
}

TEST(Calculate, IntellectBaseBands)
{
    const std::pair<std::int32_t, std::int32_t> rows[]
        = {{INT_MIN, 185}, {-1, 185}, {4, 185}, {5, 171}, {9, 171}, {14, 157}, {15, 143}, {24, 129},    {25, 115},
           {34, 101},      {35, 87},  {44, 73}, {45, 59}, {49, 59}, {50, 45},  {297, 45}, {INT_MAX, 45}};
    for (const auto& [intel, base] : rows) {
        CharacterSheet s = sheetWith(intel, {}, 2, {0, 0, 0});
        EXPECT_EQ(calculate(s).intellectBase, base) << intel;
    }
}

TEST(Calculate, LevelOfMinusOneAddsMinus7AndGetsAFigure)
{
    CharacterSheet s = sheetWith(0, {-1, 0, 0, 0, 0, 0, 0}, 2, {0, 0, 0});
    applySpellCountMode(s, 2);
    const Calculation c = calculate(s);
    EXPECT_EQ(c.levelPoints, -7);
    EXPECT_EQ(c.totalPoints, 178);
    const NextLevel kraanan = nextLevels(s, c.totalPoints, c.percentSum)[Kraanan];
    EXPECT_EQ(kraanan.caption, "Next Level");
    EXPECT_EQ(kraanan.figure, 185);
    EXPECT_TRUE(kraanan.enabled);
}

TEST(Calculate, OutOfRangeLevelsFollowTheFormula)
{
    CharacterSheet s = sheetWith(0, {7, 10, -3, 0, 0, 0, 0}, 2, {0, 0, 0});
    EXPECT_EQ(calculate(s).levelPoints, 84 + 126 - 21);
}

TEST(Calculate, TruncationOrderDiffersBetweenMagicNumberAndFigure)
{
    // 101 / 3 = 33.67: magic number -6.33 -> -6; figure of target 115: 38 - 40 = -2.
    CharacterSheet s = sheetWith(45, {4, 0, 0, 0, 0, 0, 0}, 0, {40, 0, 0});
    applySpellCountMode(s, 0);
    const Calculation c = calculate(s);
    EXPECT_EQ(s.magicNumber, -6);
    EXPECT_EQ(nextLevels(s, c.totalPoints, c.percentSum)[Kraanan].figure, -2);
}

TEST(Calculate, ExtremeInputsSaturate)
{
    CharacterSheet high
        = sheetWith(0, {INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX}, 2, {INT_MAX, INT_MAX, INT_MAX});
    high.spellDivisor = 1.0;
    Calculation c = calculate(high);
    EXPECT_EQ(c.levelPoints, INT_MAX);
    EXPECT_EQ(c.totalPoints, INT_MAX);
    EXPECT_EQ(c.percentSum, INT_MAX);
    EXPECT_EQ(high.magicNumber, 0);
    const NextLevel highest = nextLevels(high, c.totalPoints, c.percentSum)[Kraanan];
    EXPECT_EQ(highest.caption, "Unreachable");
    EXPECT_EQ(highest.figure, 0);  // quotient saturates at INT_MAX, less INT_MAX

    CharacterSheet low = sheetWith(INT_MIN, {INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN}, 2,
                                   {INT_MIN, INT_MIN, INT_MIN});
    low.spellDivisor = 1.0;
    c = calculate(low);
    EXPECT_EQ(c.levelPoints, INT_MIN);
    EXPECT_EQ(c.totalPoints, INT_MIN + 185);
    EXPECT_EQ(c.percentSum, INT_MIN);
    EXPECT_EQ(low.magicNumber, 185);
    const NextLevel lowest = nextLevels(low, c.totalPoints, c.percentSum)[Kraanan];
    EXPECT_EQ(lowest.caption, "Next Level");
    EXPECT_EQ(lowest.figure, INT_MAX);  // 87 - INT_MIN saturates
    EXPECT_EQ(nextLevels(low, INT_MAX, INT_MIN)[Kraanan].figure, INT_MAX);

    CharacterSheet mixed = sheetWith(0, {1, 0, 0, 0, 0, 0, 0}, 2, {INT_MAX, 1, 0});
    mixed.spellDivisor = 1.0;
    EXPECT_EQ(calculate(mixed).percentSum, INT_MAX);
    EXPECT_EQ(mixed.magicNumber, 192 - INT_MAX);
}

TEST(Calculate, ZeroDivisorGivesDefinedFigures)
{
    CharacterSheet s = sheetWith(0, {1, 0, 0, 0, 0, 0, 0}, -1, {10, 0, 0});
    ASSERT_EQ(s.spellDivisor, 0.0);
    const Calculation c = calculate(s);
    EXPECT_EQ(s.magicNumber, INT_MAX);
    const NextLevel kraanan = nextLevels(s, c.totalPoints, c.percentSum)[Kraanan];
    EXPECT_EQ(kraanan.caption, "Next Level");
    EXPECT_EQ(kraanan.figure, INT_MAX - 10);

    CharacterSheet negative = sheetWith(0, {-100, 0, 0, 0, 0, 0, 0}, -1, {0, 0, 0});
    calculate(negative);
    EXPECT_EQ(negative.magicNumber, INT_MIN);
}

}  // namespace
