#include "solver.h"

namespace pellan {

void Solver::readLights()
{
    for (int i = 0; i < lightCount; ++i)
        currentStates[static_cast<std::size_t>(i)] = lightsView.checked(i) ? "On" : "Off";
    showSolution();
}

void Solver::showSolution()
{
    currentLitCount = 0;
    for (int i = 0; i < lightCount; ++i) {
        if (lightsView.checked(i))
            ++currentLitCount;
    }
    if (currentLitCount == 0)
        lightsView.setAnswerText(noneLitAnswer);
    if (currentLitCount == 1)
        solveOneLit();
    if (currentLitCount == 2)
        solveTwoLit();
    if (currentLitCount == 3)
        solveThreeLit();
    if (currentLitCount == 4)
        solveFourLit();
    if (currentLitCount == 5)
        lightsView.setAnswerText(solvedAnswer);
}

std::string Solver::ringNumber(int offset) const
{
    const int rest = (anchorIndex + offset) % lightCount;
    return std::to_string(rest == 0 ? lightCount : rest);
}

bool Solver::isOn(int offset) const
{
    // The search keeps the anchor within 0 to 4, so offset 0 needs no wrapping.
    const int index = (anchorIndex + offset) % lightCount;
    return currentStates[static_cast<std::size_t>(index)] == "On";
}

void Solver::beginSearch()
{
    anchorIndex = 0;
    anchorFound = false;
    solutionText.clear();
}

// The count and the states are read from the boxes separately, so a view that
// changed between the two reads could leave a search without an anchor; the
// search then stops at the last light and the answer box keeps its text.
bool Solver::searching() const
{
    return !anchorFound && anchorIndex < lightCount;
}

void Solver::addItem(const std::string& item)
{
    if (!solutionText.empty())
        solutionText += ", ";
    solutionText += item;
}

void Solver::finish()
{
    solutionText += ".";
    lightsView.setAnswerText(solutionText);
}

void Solver::solveOneLit()
{
    beginSearch();
    while (searching()) {
        if (isOn(0))
            anchorFound = true;
        else
            ++anchorIndex;
    }
    if (!anchorFound)
        return;
    addItem(ringNumber(4));
    addItem(ringNumber(3));
    finish();
}

void Solver::solveTwoLit()
{
    beginSearch();
    while (searching()) {
        if (isOn(0) && isOn(1)) {
            anchorFound = true;
            solveAdjacentPair();
        }
        if (isOn(0) && isOn(2)) {
            anchorFound = true;
            solveSplitPair();
        }
        ++anchorIndex;
    }
}

void Solver::solveThreeLit()
{
    beginSearch();
    while (searching()) {
        if (isOn(0) && isOn(1) && isOn(2)) {
            anchorFound = true;
            solveRunOfThree();
        }
        if (isOn(0) && isOn(1) && isOn(3)) {
            anchorFound = true;
            solveSplitThree();
        }
        ++anchorIndex;
    }
}

void Solver::solveFourLit()
{
    beginSearch();
    while (searching()) {
        if (!isOn(0))
            anchorFound = true;
        else
            ++anchorIndex;
    }
    if (!anchorFound)
        return;
    addItem(std::to_string(anchorIndex + 1));
    addItem(ringNumber(3));
    addItem(ringNumber(5));
    addItem(ringNumber(3));
    addItem(ringNumber(2));
    finish();
}

void Solver::solveAdjacentPair()
{
    solutionText.clear();
    addItem(ringNumber(4));
    addItem(ringNumber(2));
    addItem(ringNumber(1));
    finish();
}

void Solver::solveSplitPair()
{
    solutionText.clear();
    addItem(ringNumber(2));
    finish();
}

void Solver::solveRunOfThree()
{
    solutionText.clear();
    addItem(ringNumber(4));
    addItem(ringNumber(1));
    addItem(ringNumber(4));
    addItem(ringNumber(3));
    finish();
}

void Solver::solveSplitThree()
{
    solutionText.clear();
    addItem(ringNumber(3));
    addItem(ringNumber(1));
    addItem(ringNumber(3));
    addItem(ringNumber(5));
    addItem(ringNumber(3));
    addItem(ringNumber(2));
    finish();
}

}  // namespace pellan
