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
    virtual void setAnswerText(const std::string& text) = 0;
};

class Solver {
public:
    static constexpr int lightCount = 5;

    explicit Solver(LightsView& view) : lightsView(view) { }

    // Entry point: copies the boxes into the light states and shows the answer.
    void readLights();
    void showSolution();

    [[nodiscard]] const std::array<std::string, lightCount>& lightState() const { return currentStates; }
    [[nodiscard]] int litCount() const { return currentLitCount; }

private:
    void solveOneLit();
    void solveTwoLit();
    void solveThreeLit();
    void solveFourLit();
    void solveAdjacentPair();
    void solveSplitPair();
    void solveRunOfThree();
    void solveSplitThree();

    [[nodiscard]] std::string ringNumber(int offset) const;
    [[nodiscard]] bool isOn(int offset) const;
    void beginSearch();
    [[nodiscard]] bool searching() const;
    void addItem(const std::string& item);
    void finish();

    LightsView& lightsView;
    std::array<std::string, lightCount> currentStates{"Off", "Off", "Off", "Off", "Off"};
    int currentLitCount = 0;
    int anchorIndex = 0;
    bool anchorFound = false;
    std::string solutionText;
};

inline constexpr const char* noneLitAnswer = "4, 3, 1, 3, 5, 3, 2.";
inline constexpr const char* solvedAnswer = "The puzzle is solved.";

}  // namespace pellan
