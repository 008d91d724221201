#include "improves_calculation.h"

#include <gtest/gtest.h>

#include <string>

using namespace korvane;

namespace {

// Level options per school as the player clicks them: 0 "None", 1 "Level One", 2 "Leven Two", ...
using Options = std::array<int, schoolCount>;

ImprovesInput makeInput(std::int16_t intellect, const Options& options, std::string schoolName, SpellCount count,
                        std::int16_t p1, std::int16_t p2 = 0, std::int16_t p3 = 0)
{
    ImprovesInput input;
    input.intellect = intellect;
    for (std::size_t i = 0; i < options.size(); ++i) {
        input.schools[i] = levelStateForOption(options[i]);
    }
    input.schoolName = std::move(schoolName);
    input.spellCount = count;
    input.percent1 = p1;
    input.percent2 = p2;
    input.percent3 = p3;
    return input;
}

struct Example {
    const char* name;
    ImprovesInput input;
    std::int16_t bracket, levelSum, levelOneCount, required, percentPoints, needed;
    const char* verdict;
};

//                      Kraanan, Shal'ille, Faren, WC, Riija, Qor, Jala
constexpr Options none{0, 0, 0, 0, 0, 0, 0};

const Example examples[] = {
    {"startup", makeInput(1, none, "Select School", SpellCount::Three, 1, 1, 1), 0, 0, 0, 199, 3, 196,
     "Drastically Further"},
    {"highest_intellect", makeInput(50, none, "Select School", SpellCount::Three, 100, 100, 100), 50, 0, 0, 75, 300,
     -225, "Congratulations!"},
    {"mid_intellect", makeInput(27, {3, 0, 2, 0, 0, 0, 0}, "Kraanan", SpellCount::Three, 40, 35, 30), 25, 3, 0, 171,
     105, 66, "Significantly Further"},
    {"two_spells_tie_below", makeInput(12, none, "Kraanan", SpellCount::Two, 50, 33), 10, 0, 0, 171, 100, 71,
     "Significantly Further"},
    {"two_spells_tie_above", makeInput(12, none, "Kraanan", SpellCount::Two, 51, 33), 10, 0, 0, 171, 100, 71,
     "Significantly Further"},
    {"two_spells_first_unweighted", makeInput(12, none, "Kraanan", SpellCount::Two, 40, 20), 10, 0, 0, 171, 70, 101,
     "Drastically Further"},
    {"one_spell_tripled", makeInput(12, none, "Kraanan", SpellCount::One, 40, 999, 999), 10, 0, 0, 171, 120, 51,
     "Much Further"},
    {"level_one_rule_above_75", makeInput(45, {1, 1, 0, 0, 0, 0, 2}, "Jala", SpellCount::One, 30), 45, 1, 2, 101, 90,
     11, "Little Further"},
    {"level_one_rule_at_75", makeInput(50, {1, 0, 0, 0, 0, 0, 0}, "Faren", SpellCount::One, 25), 50, 0, 1, 80, 75, 5,
     "Little Further"},
    {"level_one_rule_at_75_five", makeInput(50, {0, 1, 1, 1, 1, 1, 0}, "Kraanan", SpellCount::One, 0), 50, 0, 5, 108, 0,
     108, "Drastically Further"},
    {"floor_then_rule", makeInput(50, {0, 0, 0, 0, 2, 1, 1}, "Riija", SpellCount::Three, 20, 20, 20), 50, 1, 2, 87, 60,
     27, "Further"},
    {"no_floor_at_87", makeInput(48, {0, 0, 0, 0, 2, 0, 0}, "Riija", SpellCount::Three, 20, 20, 20), 45, 1, 0, 87, 60,
     27, "Further"},
    {"no_floor_below_45", makeInput(44, none, "Riija", SpellCount::Three, 0, 0, 0), 40, 0, 0, 87, 0, 87,
     "Drastically Further"},
    {"bracket_50_level_sum_2", makeInput(50, {3, 0, 0, 0, 0, 0, 0}, "Riija", SpellCount::Three, 0, 0, 0), 50, 2, 0, 87,
     0, 87, "Drastically Further"},
    {"bracket_5", makeInput(9, none, "Riija", SpellCount::Three, 0, 0, 0), 5, 0, 0, 185, 0, 185, "Drastically Further"},
    {"bracket_0_at_4", makeInput(4, none, "Riija", SpellCount::Three, 0, 0, 0), 0, 0, 0, 199, 0, 199,
     "Drastically Further"},
    {"own_school_not_counted", makeInput(10, {0, 0, 0, 0, 0, 1, 1}, "Qor", SpellCount::Three, 10, 10, 10), 10, 0, 1,
     178, 30, 148, "Drastically Further"},
    {"six_at_level_one", makeInput(10, {1, 1, 1, 1, 1, 0, 1}, "Qor", SpellCount::Three, 10, 10, 10), 10, 0, 6, 171, 30,
     141, "Drastically Further"},
    {"name_not_matched", makeInput(10, {0, 0, 0, 0, 0, 1, 1}, "qor", SpellCount::Three, 10, 10, 10), 10, 0, 0, 171, 30,
     141, "Drastically Further"},
    {"name_trailing_blank", makeInput(10, {0, 0, 0, 0, 0, 1, 1}, "Qor ", SpellCount::Three, 10, 10, 10), 10, 0, 0, 171,
     30, 141, "Drastically Further"},
    {"apostrophe_name", makeInput(10, {1, 0, 0, 0, 0, 0, 0}, "Shal'ille", SpellCount::Three, 10, 10, 10), 10, 0, 1, 178,
     30, 148, "Drastically Further"},
    {"intellect_zero_computed_as_one", makeInput(1, none, "Faren", SpellCount::Three, 0, 0, 0), 0, 0, 0, 199, 0, 199,
     "Drastically Further"},
    {"weapon_class_level_six", makeInput(50, {0, 0, 0, 6, 0, 0, 0}, "Weapon Class", SpellCount::Three, 90, 90, 90), 50,
     5, 0, 129, 270, -141, "Congratulations!"},
    {"negative_percentages_subtract", makeInput(1, none, "Faren", SpellCount::Three, -10, 5, 0), 0, 0, 0, 199, -5, 204,
     "Drastically Further"},
    {"highest_possible_required", makeInput(1, {6, 6, 6, 6, 6, 6, 6}, "Faren", SpellCount::Three, 0, 0, 0), 0, 35, 0,
     689, 0, 689, "Drastically Further"},
};

class WorkedExample : public testing::TestWithParam<Example> { };

TEST_P(WorkedExample, GivesEveryIntermediateAndVerdict)
{
    const Example& e = GetParam();
    const auto outcome = computeImproves(e.input);
    ASSERT_TRUE(outcome.hasValue());
    const ImprovesResult& r = outcome.value();
    EXPECT_EQ(r.intellectBracket, e.bracket);
    EXPECT_EQ(r.levelSum, e.levelSum);
    EXPECT_EQ(r.levelOneCount, e.levelOneCount);
    EXPECT_EQ(r.requiredPoints, e.required);
    EXPECT_EQ(r.percentPoints, e.percentPoints);
    EXPECT_EQ(r.improvesNeeded, e.needed);
    EXPECT_EQ(r.verdict, e.verdict);
}

INSTANTIATE_TEST_SUITE_P(Improves, WorkedExample, testing::ValuesIn(examples),
                         [](const testing::TestParamInfo<Example>& row) { return std::string(row.param.name); });

TEST(Verdict, ChangesExactlyAtItsBoundaries)
{
    const std::pair<std::int16_t, const char*> rows[] = {
        {-32768, "Congratulations!"},
        {0, "Congratulations!"},
        {1, "Little Further"},
        {14, "Little Further"},
        {15, "Further"},
        {29, "Further"},
        {30, "Some Further"},
        {44, "Some Further"},
        {45, "Much Further"},
        {59, "Much Further"},
        {60, "Significantly Further"},
        {74, "Significantly Further"},
        {75, "Drastically Further"},
        {32767, "Drastically Further"},
    };
    for (const auto& [needed, text] : rows) {
        EXPECT_EQ(verdictFor(needed), text) << needed;
    }
}

TEST(LevelOption, SetsLevelAndFlagByIndex)
{
    const std::pair<std::int16_t, bool> expected[]
        = {{0, false}, {0, true}, {1, false}, {2, false}, {3, false}, {4, false}, {5, false}};
    for (int index = 0; index < 7; ++index) {
        const auto state = levelStateForOption(index);
        EXPECT_EQ(state.schoolLevel, expected[index].first) << index;
        EXPECT_EQ(state.levelOneFlag, expected[index].second) << index;
    }
}

struct OverflowCase {
    const char* name;
    ImprovesInput input;
    std::optional<ImprovesStep> failingStep;  // none: the edge still fits
    std::int16_t needed = 0;
};

const OverflowCase overflows[] = {
    {"one_spell_largest_fitting", makeInput(1, none, "", SpellCount::One, 10922), std::nullopt, 199 - 32766},
    {"one_spell_tripled_too_large", makeInput(1, none, "", SpellCount::One, 10923), ImprovesStep::SumPercents},
    {"one_spell_tripled_too_small", makeInput(1, none, "", SpellCount::One, -10923), ImprovesStep::SumPercents},
    {"one_spell_example", makeInput(1, none, "", SpellCount::One, 20000), ImprovesStep::SumPercents},
    {"two_spells_half_rounds_into_range", makeInput(1, none, "", SpellCount::Two, 32765, 1), std::nullopt, 199 - 32766},
    {"two_spells_half_rounds_out_of_range", makeInput(1, none, "", SpellCount::Two, 32766, 1),
     ImprovesStep::SumPercents},
    {"two_spells_too_small", makeInput(1, none, "", SpellCount::Two, -32768, -1), ImprovesStep::SumPercents},
    {"three_spells_first_addition", makeInput(1, none, "", SpellCount::Three, 30000, 30000, -30000),
     ImprovesStep::SumPercents},
    {"three_spells_second_addition", makeInput(1, none, "", SpellCount::Three, 20000, 10000, 3000),
     ImprovesStep::SumPercents},
    {"three_spells_negative", makeInput(1, none, "", SpellCount::Three, -20000, -10000, -3000),
     ImprovesStep::SumPercents},
    {"subtraction_largest_fitting", makeInput(50, none, "", SpellCount::Three, -32692, 0, 0), std::nullopt, 32767},
    {"subtraction_too_large", makeInput(50, none, "", SpellCount::Three, -32693, 0, 0), ImprovesStep::ImprovesNeeded},
    {"subtraction_after_tie_to_even", makeInput(1, none, "", SpellCount::Two, -32767, -1),
     ImprovesStep::ImprovesNeeded},
    {"intellect_beyond_clamp", makeInput(32767, none, "", SpellCount::Three, 0, 0, 0), ImprovesStep::RequiredPoints},
};

class OverflowEdge : public testing::TestWithParam<OverflowCase> { };

TEST_P(OverflowEdge, IsReportedWithItsStepNeverWrapped)
{
    const OverflowCase& c = GetParam();
    const auto outcome = computeImproves(c.input);
    if (c.failingStep) {
        ASSERT_FALSE(outcome.hasValue());
        EXPECT_EQ(outcome.error().step, *c.failingStep);
    } else {
        ASSERT_TRUE(outcome.hasValue());
        EXPECT_EQ(outcome.value().improvesNeeded, c.needed);
    }
}

INSTANTIATE_TEST_SUITE_P(Improves, OverflowEdge, testing::ValuesIn(overflows),
                         [](const testing::TestParamInfo<OverflowCase>& row) { return std::string(row.param.name); });

TEST(Overflow, LevelSumOutsideTheOptionsIsReported)
{
    ImprovesInput input = makeInput(1, none, "", SpellCount::Three, 0, 0, 0);
    input.schools[0].schoolLevel = 32767;
    input.schools[1].schoolLevel = 1;
    const auto outcome = computeImproves(input);
    ASSERT_FALSE(outcome.hasValue());
    EXPECT_EQ(outcome.error().step, ImprovesStep::RequiredPoints);
}

}  // namespace
