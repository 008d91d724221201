#include "solver.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct FakeView final : pellan::LightsView {
    std::array<bool, 5> lights{};
    std::optional<std::string> output;
    int writes = 0;

    bool checked(int index) const override { return lights.at(static_cast<std::size_t>(index)); }
    void setAnswerText(const std::string& text) override
    {
        output = text;
        ++writes;
    }
};

struct Row {
    std::vector<int> lit;
    const char* text;
};

const Row kTable[] = {
    {{}, "4, 3, 1, 3, 5, 3, 2."},
    {{1}, "4, 3."},
    {{2}, "5, 4."},
    {{3}, "1, 5."},
    {{4}, "2, 1."},
    {{5}, "3, 2."},
    {{1, 2}, "4, 2, 1."},
    {{1, 3}, "2."},
    {{1, 4}, "5."},
    {{1, 5}, "3, 1, 5."},
    {{2, 3}, "5, 3, 2."},
    {{2, 4}, "3."},
    {{2, 5}, "1."},
    {{3, 4}, "1, 4, 3."},
    {{3, 5}, "4."},
    {{4, 5}, "2, 5, 4."},
    {{1, 2, 3}, "4, 1, 4, 3."},
    {{1, 2, 4}, "3, 1, 3, 5, 3, 2."},
    {{1, 2, 5}, "3, 5, 3, 2."},
    {{1, 3, 4}, "5, 3, 5, 2, 5, 4."},
    {{1, 3, 5}, "2, 5, 2, 4, 2, 1."},
    {{1, 4, 5}, "2, 4, 2, 1."},
    {{2, 3, 4}, "5, 2, 5, 4."},
    {{2, 3, 5}, "4, 2, 4, 1, 4, 3."},
    {{2, 4, 5}, "1, 4, 1, 3, 1, 5."},
    {{3, 4, 5}, "1, 3, 1, 5."},
    {{1, 2, 3, 4}, "5, 2, 4, 2, 1."},
    {{1, 2, 3, 5}, "4, 1, 3, 1, 5."},
    {{1, 2, 4, 5}, "3, 5, 2, 5, 4."},
    {{1, 3, 4, 5}, "2, 4, 1, 4, 3."},
    {{2, 3, 4, 5}, "1, 3, 5, 3, 2."},
    {{1, 2, 3, 4, 5}, "The puzzle is solved."},
};

std::array<bool, 5> pattern(const std::vector<int>& lit)
{
    std::array<bool, 5> lights{};
    for (const int light : lit)
        lights.at(static_cast<std::size_t>(light - 1)) = true;
    return lights;
}

std::string name(const std::vector<int>& lit)
{
    std::string out = lit.empty() ? "none" : "lit";
    for (const int light : lit)
        out += std::to_string(light);
    return out;
}

// Parses "a, b, c." strictly; nullopt when the text is not such a list.
std::optional<std::vector<int>> parseMoves(const std::string& text)
{
    std::vector<int> moves;
    std::size_t pos = 0;
    while (true) {
        if (pos >= text.size() || text[pos] < '1' || text[pos] > '5')
            return std::nullopt;
        moves.push_back(text[pos] - '0');
        ++pos;
        if (text.compare(pos, std::string::npos, ".") == 0)
            return moves;
        if (text.compare(pos, 2, ", ") != 0)
            return std::nullopt;
        pos += 2;
    }
}

// The puzzle itself: touching light n toggles n and the two lights that are
// not its neighbours.
void touch(std::array<bool, 5>& lights, int light)
{
    for (const int step : {0, 2, 3}) {
        const auto index = static_cast<std::size_t>((light - 1 + step) % 5);
        lights.at(index) = !lights.at(index);
    }
}

class PatternTest : public ::testing::TestWithParam<Row> { };

TEST_P(PatternTest, WritesTheExactAnswer)
{
    FakeView view;
    view.lights = pattern(GetParam().lit);
    pellan::Solver solver(view);
    solver.readLights();
    ASSERT_TRUE(view.output.has_value());
    EXPECT_EQ(*view.output, GetParam().text);
    EXPECT_EQ(view.writes, 1);
    EXPECT_EQ(solver.litCount(), static_cast<int>(GetParam().lit.size()));
}

TEST_P(PatternTest, StateMirrorsTheBoxes)
{
    FakeView view;
    view.lights = pattern(GetParam().lit);
    pellan::Solver solver(view);
    solver.readLights();
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_EQ(solver.lightState()[i], view.lights[i] ? "On" : "Off") << "index " << i;
}

TEST_P(PatternTest, AnswerLightsTheWholeRing)
{
    FakeView view;
    view.lights = pattern(GetParam().lit);
    pellan::Solver solver(view);
    solver.readLights();
    ASSERT_TRUE(view.output.has_value());
    if (GetParam().lit.size() == 5) {
        EXPECT_EQ(*view.output, "The puzzle is solved.");
        return;
    }
    const auto moves = parseMoves(*view.output);
    ASSERT_TRUE(moves.has_value()) << *view.output;
    auto lights = view.lights;
    for (const int light : *moves)
        touch(lights, light);
    EXPECT_EQ(lights, (std::array<bool, 5>{true, true, true, true, true})) << *view.output;
}

INSTANTIATE_TEST_SUITE_P(AllPatterns, PatternTest, ::testing::ValuesIn(kTable),
                         [](const ::testing::TestParamInfo<Row>& row) { return name(row.param.lit); });

TEST(Solver, TableCoversEveryPatternOnce)
{
    std::array<int, 32> seen{};
    for (const Row& row : kTable) {
        int bits = 0;
        for (const int light : row.lit)
            bits |= 1 << (light - 1);
        ++seen.at(static_cast<std::size_t>(bits));
    }
    for (const int count : seen)
        EXPECT_EQ(count, 1);
}

TEST(Solver, NothingCarriesOverBetweenEvaluations)
{
    // One solver walks through every pattern, a light toggled at a time.
    FakeView view;
    pellan::Solver solver(view);
    for (int step = 1; step < 64; ++step) {
        const int gray = (step ^ (step >> 1)) & 31;
        std::vector<int> lit;
        for (int light = 1; light <= 5; ++light) {
            if ((gray >> (light - 1)) & 1)
                lit.push_back(light);
        }
        view.lights = pattern(lit);
        solver.readLights();
        bool found = false;
        for (const Row& row : kTable) {
            if (row.lit == lit) {
                ASSERT_TRUE(view.output.has_value());
                EXPECT_EQ(*view.output, row.text) << name(lit);
                found = true;
            }
        }
        EXPECT_TRUE(found);
    }
}

// A view whose boxes change between the state copy and the count: the search
// then finds no anchor and must stop inside the five lights.
struct ShiftingView final : pellan::LightsView {
    std::array<bool, 5> first{};
    std::array<bool, 5> later{};
    mutable int reads = 0;
    int writes = 0;

    bool checked(int index) const override
    {
        const auto& lights = reads++ < 5 ? first : later;
        return lights.at(static_cast<std::size_t>(index));
    }
    void setAnswerText(const std::string&) override { ++writes; }
};

struct Mismatch {
    std::vector<int> copied;
    std::vector<int> counted;
};

class MismatchTest : public ::testing::TestWithParam<Mismatch> { };

TEST_P(MismatchTest, SearchStopsWithinTheRingAndWritesNothing)
{
    ShiftingView view;
    view.first = pattern(GetParam().copied);
    view.later = pattern(GetParam().counted);
    pellan::Solver solver(view);
    solver.readLights();
    EXPECT_EQ(view.writes, 0);
    EXPECT_EQ(view.reads, 10);
}

INSTANTIATE_TEST_SUITE_P(Shapes, MismatchTest,
                         ::testing::Values(Mismatch{{}, {1}}, Mismatch{{}, {1, 2}}, Mismatch{{1}, {1, 2, 3}},
                                           Mismatch{{1, 2, 3, 4, 5}, {1, 2, 3, 4}}, Mismatch{{2, 4}, {1, 2, 3}}));

}  // namespace
