#include "solver.h"

namespace pellan {

void Solver::readLights()
{
    for (int i = 0; i < lightCount; ++i)
        lightState_[static_cast<std::size_t>(i)] = view_.checked(i) ? "On" : "Off";
    showSolution();
}

void Solver::showSolution()
{
    litCount_ = 0;
    for (int i = 0; i < lightCount; ++i) {
        if (view_.checked(i))
            ++litCount_;
    }
    if (litCount_ == 0)
        view_.setAnswerText(noneLitAnswer);
    if (litCount_ == 1)
        solveOneLit();
    if (litCount_ == 2)
        solveTwoLit();
    if (litCount_ == 3)
        solveThreeLit();
    if (litCount_ == 4)
        solveFourLit();
    if (litCount_ == 5)
        view_.setAnswerText(solvedAnswer);
}

std::string Solver::ringNumber(int offset) const
{
    const int rest = (anchorIndex_ + offset) % lightCount;
    return std::to_string(rest == 0 ? lightCount : rest);
}

bool Solver::isOn(int offset) const
{
    // The search keeps the anchor within 0 to 4, so offset 0 needs no wrapping.
    const int index = (anchorIndex_ + offset) % lightCount;
    return lightState_[static_cast<std::size_t>(index)] == "On";
}

void Solver::beginSearch()
{
    anchorIndex_ = 0;
    anchorFound_ = false;
    solutionText_.clear();
}

// The count and the states are read from the boxes separately, so a view that
// changed between the two reads could leave a search without an anchor; the
// search then stops at the last light and the answer box keeps its text.
bool Solver::searching() const
{
    return !anchorFound_ && anchorIndex_ < lightCount;
}

void Solver::addItem(const std::string& item)
{
    if (!solutionText_.empty())
        solutionText_ += ", ";
    solutionText_ += item;
}

void Solver::finish()
{
    solutionText_ += ".";
    view_.setAnswerText(solutionText_);
}

void Solver::solveOneLit()
{
    beginSearch();
    while (searching()) {
        if (isOn(0))
            anchorFound_ = true;
        else
            ++anchorIndex_;
    }
    if (!anchorFound_)
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
            anchorFound_ = true;
            solveAdjacentPair();
        }
        if (isOn(0) && isOn(2)) {
            anchorFound_ = true;
            solveSplitPair();
        }
        ++anchorIndex_;
    }
}

void Solver::solveThreeLit()
{
    beginSearch();
    while (searching()) {
        if (isOn(0) && isOn(1) && isOn(2)) {
            anchorFound_ = true;
            solveRunOfThree();
        }
        if (isOn(0) && isOn(1) && isOn(3)) {
            anchorFound_ = true;
            solveSplitThree();
        }
        ++anchorIndex_;
    }
}

void Solver::solveFourLit()
{
    beginSearch();
    while (searching()) {
        if (!isOn(0))
            anchorFound_ = true;
        else
            ++anchorIndex_;
    }
    if (!anchorFound_)
        return;
    addItem(std::to_string(anchorIndex_ + 1));
    addItem(ringNumber(3));
    addItem(ringNumber(5));
    addItem(ringNumber(3));
    addItem(ringNumber(2));
    finish();
}

void Solver::solveAdjacentPair()
{
    solutionText_.clear();
    addItem(ringNumber(4));
    addItem(ringNumber(2));
    addItem(ringNumber(1));
    finish();
}

void Solver::solveSplitPair()
{
    solutionText_.clear();
    addItem(ringNumber(2));
    finish();
}

void Solver::solveRunOfThree()
{
    solutionText_.clear();
    addItem(ringNumber(4));
    addItem(ringNumber(1));
    addItem(ringNumber(4));
    addItem(ringNumber(3));
    finish();
}

void Solver::solveSplitThree()
{
    solutionText_.clear();
    addItem(ringNumber(3));
    addItem(ringNumber(1));
    addItem(ringNumber(3));
    addItem(ringNumber(5));
    addItem(ringNumber(3));
    addItem(ringNumber(2));
    finish();
}

} // namespace pellan
