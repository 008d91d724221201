#include "recalculate.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace korvane;

namespace {

// Records every read and write, in order.
class FakeView final : public CalculatorView {
public:
    std::string intellect = "1";
    std::string percents[3] = {"1", "1", "1"};
    std::string school = "Select School";
    mutable std::vector<std::string> log;

    std::string intellectText() const override
    {
        log.push_back("read txtInt");
        return intellect;
    }
    void setIntellectText(std::string_view text) override
    {
        intellect = text;
        log.push_back("txtInt=" + intellect);
    }
    std::string percentText(int box) const override
    {
        log.push_back("read Spell" + std::to_string(box));
        return percents[box - 1];
    }
    std::string schoolName() const override
    {
        log.push_back("read Combo2");
        return school;
    }
    void setTotal(std::string_view text) override { log.push_back("lblTotal=" + std::string(text)); }
    void setCaption(std::string_view text) override { log.push_back("Form1=" + std::string(text)); }
    void setVerdict(std::string_view text) override { log.push_back("Label1=" + std::string(text)); }
};

using Log = std::vector<std::string>;

TEST(Recalculate, StartUpValuesReadInOrderAndWriteThreeOutputs)
{
    FakeView view;
    const auto outcome = recalculate(view, SchoolLevels{}, SpellCount::Three, ".");
    ASSERT_TRUE(outcome.hasValue());
    EXPECT_EQ(view.log,
              (Log{"read txtInt", "read Spell1", "read Spell2", "read Spell3", "read Combo2", "lblTotal=196",
                   "Form1=196 How many improves for my next level?", "Label1=Drastically Further"}));
}

struct ClampRow {
    const char* typed;
    const char* boxAfter;
    bool rewritten;
    const char* total;
};

class IntellectClamp : public testing::TestWithParam<ClampRow> { };

TEST_P(IntellectClamp, RewritesTheBoxOnlyAboveFiftyAndBelowZero)
{
    const ClampRow& row = GetParam();
    FakeView view;
    view.intellect = row.typed;
    view.percents[0] = view.percents[1] = view.percents[2] = "0";
    ASSERT_TRUE(recalculate(view, SchoolLevels{}, SpellCount::Three, ".").hasValue());
    EXPECT_EQ(view.intellect, row.boxAfter);
    Log expected{"read txtInt"};
    if (row.rewritten) {
        expected.push_back(std::string("txtInt=") + row.boxAfter);
    }
    expected.insert(expected.end(), {"read Spell1", "read Spell2", "read Spell3", "read Combo2"});
    EXPECT_EQ(Log(view.log.begin(), view.log.begin() + static_cast<std::ptrdiff_t>(expected.size())), expected);
    EXPECT_EQ(view.log.at(expected.size()), std::string("lblTotal=") + row.total);
}

INSTANTIATE_TEST_SUITE_P(Recalculate, IntellectClamp,
                         testing::Values(ClampRow{"0", "0", false, "199"}, ClampRow{"-3", "1", true, "199"},
                                         ClampRow{"-32768", "1", true, "199"}, ClampRow{"1", "1", false, "199"},
                                         ClampRow{"50", "50", false, "75"}, ClampRow{"52", "50", true, "75"},
                                         ClampRow{"75", "50", true, "75"}, ClampRow{"49.6", "49.6", false, "75"},
                                         ClampRow{"50.5", "50.5", false, "75"}, ClampRow{"50.6", "50", true, "75"},
                                         ClampRow{" 50 ", " 50 ", false, "75"}));

TEST(Recalculate, UnusedPercentBoxesAreNotRead)
{
    FakeView one;
    one.percents[1] = one.percents[2] = "X";
    one.percents[0] = "30";
    ASSERT_TRUE(recalculate(one, SchoolLevels{}, SpellCount::One, ".").hasValue());
    EXPECT_EQ(one.log,
              (Log{"read txtInt", "read Spell1", "read Combo2", "lblTotal=109",
                   "Form1=109 How many improves for my next level?", "Label1=Drastically Further"}));

    FakeView two;
    two.percents[2] = "X";
    two.percents[0] = "50";
    two.percents[1] = "33";
    ASSERT_TRUE(recalculate(two, SchoolLevels{}, SpellCount::Two, ".").hasValue());
    EXPECT_EQ(two.log,
              (Log{"read txtInt", "read Spell1", "read Spell2", "read Combo2", "lblTotal=99",
                   "Form1=99 How many improves for my next level?", "Label1=Drastically Further"}));
}

TEST(Recalculate, NegativeTotalCarriesItsSign)
{
    FakeView view;
    view.intellect = "50";
    view.percents[0] = view.percents[1] = view.percents[2] = "100";
    ASSERT_TRUE(recalculate(view, SchoolLevels{}, SpellCount::Three, ".").hasValue());
    EXPECT_EQ(view.log.at(5), "lblTotal=-225");
    EXPECT_EQ(view.log.at(6), "Form1=-225 How many improves for my next level?");
    EXPECT_EQ(view.log.at(7), "Label1=Congratulations!");
}

TEST(Recalculate, SchoolNameIsReadAfterThePercentages)
{
    FakeView view;
    view.intellect = "10";
    view.school = "Qor";
    view.percents[0] = view.percents[1] = view.percents[2] = "10";
    SchoolLevels schools{};
    schools[static_cast<std::size_t>(School::Qor)].levelOneFlag = true;
    schools[static_cast<std::size_t>(School::Jala)].levelOneFlag = true;
    const auto outcome = recalculate(view, schools, SpellCount::Three, ".");
    ASSERT_TRUE(outcome.hasValue());
    EXPECT_EQ(outcome.value().improvesNeeded, 148);
    EXPECT_EQ(view.log.at(4), "read Combo2");
}

struct FailureRow {
    const char* name;
    SpellCount count;
    const char* intellect;
    const char* p1;
    const char* p2;
    const char* p3;
    Log log;  // everything that happened before it stopped
    std::variant<InputFailure, Overflow> failure;
};

bool sameFailure(const RecalculateFailure& a, const RecalculateFailure& b)
{
    if (a.index() != b.index()) {
        return false;
    }
    if (const auto* input = std::get_if<InputFailure>(&a)) {
        const auto& other = std::get<InputFailure>(b);
        return input->box == other.box && input->error == other.error && input->text == other.text;
    }
    return std::get<Overflow>(a) == std::get<Overflow>(b);
}

const FailureRow failures[] = {
    {"intellect_not_a_number",
     SpellCount::Three,
     "abc",
     "1",
     "1",
     "1",
     {"read txtInt"},
     InputFailure{InputBox::Intellect, ConversionError::NotANumber, "abc"}},
    {"intellect_empty",
     SpellCount::Three,
     "",
     "1",
     "1",
     "1",
     {"read txtInt"},
     InputFailure{InputBox::Intellect, ConversionError::NotANumber, ""}},
    {"intellect_out_of_range",
     SpellCount::Three,
     "40000",
     "1",
     "1",
     "1",
     {"read txtInt"},
     InputFailure{InputBox::Intellect, ConversionError::OutOfRange, "40000"}},
    {"spell1_after_clamp",
     SpellCount::Three,
     "75",
     "x",
     "1",
     "1",
     {"read txtInt", "txtInt=50", "read Spell1"},
     InputFailure{InputBox::Percent1, ConversionError::NotANumber, "x"}},
    {"spell2_empty",
     SpellCount::Three,
     "1",
     "1",
     "",
     "1",
     {"read txtInt", "read Spell1", "read Spell2"},
     InputFailure{InputBox::Percent2, ConversionError::NotANumber, ""}},
    {"spell2_x_with_two_spells",
     SpellCount::Two,
     "1",
     "1",
     "X",
     "1",
     {"read txtInt", "read Spell1", "read Spell2"},
     InputFailure{InputBox::Percent2, ConversionError::NotANumber, "X"}},
    {"spell3_out_of_range",
     SpellCount::Three,
     "1",
     "1",
     "1",
     "-40000",
     {"read txtInt", "read Spell1", "read Spell2", "read Spell3"},
     InputFailure{InputBox::Percent3, ConversionError::OutOfRange, "-40000"}},
    {"tripled_percent_overflows",
     SpellCount::One,
     "1",
     "20000",
     "X",
     "X",
     {"read txtInt", "read Spell1", "read Combo2"},
     Overflow{ImprovesStep::SumPercents}},
    {"percent_sum_overflows",
     SpellCount::Three,
     "1",
     "20000",
     "10000",
     "3000",
     {"read txtInt", "read Spell1", "read Spell2", "read Spell3", "read Combo2"},
     Overflow{ImprovesStep::SumPercents}},
    {"subtraction_overflows",
     SpellCount::Three,
     "1",
     "-32768",
     "0",
     "0",
     {"read txtInt", "read Spell1", "read Spell2", "read Spell3", "read Combo2"},
     Overflow{ImprovesStep::ImprovesNeeded}},
};

class RecalculateFailureTest : public testing::TestWithParam<FailureRow> { };

TEST_P(RecalculateFailureTest, StopsAtTheFailingStepAndNamesIt)
{
    const FailureRow& row = GetParam();
    FakeView view;
    view.intellect = row.intellect;
    view.percents[0] = row.p1;
    view.percents[1] = row.p2;
    view.percents[2] = row.p3;
    const auto outcome = recalculate(view, SchoolLevels{}, row.count, ".");
    ASSERT_FALSE(outcome.hasValue());
    EXPECT_TRUE(sameFailure(outcome.error(), row.failure));
    EXPECT_EQ(view.log, row.log);
}

INSTANTIATE_TEST_SUITE_P(Recalculate, RecalculateFailureTest, testing::ValuesIn(failures),
                         [](const testing::TestParamInfo<FailureRow>& row) { return std::string(row.param.name); });

}  // namespace
