#pragma once
// Lights puzzle solver: sorts the lit pattern of the five-light ring into a
// shape, finds the shape's anchor light and writes the touch sequence.

#include <array>
#include <string>

namespace pellan {

// What the solver needs of the window: the five light boxes and the answer box.
class LightsView {
public:
    virtual ~LightsView() = default;
    // index 0 to 4 stands for Light 1 to Light 5
    [[nodiscard]] virtual bool checked(int index) const = 0;
    virtual void setOutputText(const std::string& text) = 0;
};

class Solver {
public:
    static constexpr int kLights = 5;

    explicit Solver(LightsView& view) : view_(view) {}

    // Entry point: copies the boxes into LightState and shows the answer.
    void ReadLights();
    void ShowSolution();

    [[nodiscard]] const std::array<std::string, kLights>& lightState() const { return LightState; }
    [[nodiscard]] int litCount() const { return LitCount; }

private:
    void SolveOneLit();
    void SolveTwoLit();
    void SolveThreeLit();
    void SolveFourLit();
    void SolveAdjacentPair();
    void SolveSplitPair();
    void SolveRunOfThree();
    void SolveSplitThree();

    [[nodiscard]] std::string RingNumber(int offset) const;
    [[nodiscard]] bool isOn(int offset) const;
    void BeginSearch();
    [[nodiscard]] bool Searching() const;
    void AddItem(const std::string& item);
    void Finish();

    LightsView& view_;
    std::array<std::string, kLights> LightState{"Off", "Off", "Off", "Off", "Off"};
    int LitCount = 0;
    int AnchorIndex = 0;
    bool AnchorFound = false;
    std::string SolutionText;
};

inline constexpr const char* kNoneLitAnswer = "4, 3, 1, 3, 5, 3, 2.";
inline constexpr const char* kSolvedAnswer = "The puzzle is solved.";

} // namespace pellan
