#include "solver.h"

namespace pellan {

void Solver::ReadLights()
{
    for (int i = 0; i < kLights; ++i)
        LightState[static_cast<std::size_t>(i)] = view_.checked(i) ? "On" : "Off";
    ShowSolution();
}

void Solver::ShowSolution()
{
    LitCount = 0;
    for (int i = 0; i < kLights; ++i) {
        if (view_.checked(i))
            ++LitCount;
    }
    if (LitCount == 0)
        view_.setOutputText(kNoneLitAnswer);
    if (LitCount == 1)
        SolveOneLit();
    if (LitCount == 2)
        SolveTwoLit();
    if (LitCount == 3)
        SolveThreeLit();
    if (LitCount == 4)
        SolveFourLit();
    if (LitCount == 5)
        view_.setOutputText(kSolvedAnswer);
}

std::string Solver::RingNumber(int offset) const
{
    const int rest = (AnchorIndex + offset) % kLights;
    return std::to_string(rest == 0 ? kLights : rest);
}

bool Solver::isOn(int offset) const
{
    // The search keeps AnchorIndex within 0 to 4, so offset 0 needs no wrapping.
    const int index = (AnchorIndex + offset) % kLights;
    return LightState[static_cast<std::size_t>(index)] == "On";
}

void Solver::BeginSearch()
{
    AnchorIndex = 0;
    AnchorFound = false;
    SolutionText.clear();
}

// The count and the states are read from the boxes separately, so a view that
// changed between the two reads could leave a search without an anchor; the
// search then stops at the last light and the answer box keeps its text.
bool Solver::Searching() const
{
    return !AnchorFound && AnchorIndex < kLights;
}

void Solver::AddItem(const std::string& item)
{
    if (!SolutionText.empty())
        SolutionText += ", ";
    SolutionText += item;
}

void Solver::Finish()
{
    SolutionText += ".";
    view_.setOutputText(SolutionText);
}

void Solver::SolveOneLit()
{
    BeginSearch();
    while (Searching()) {
        if (isOn(0))
            AnchorFound = true;
        else
            ++AnchorIndex;
    }
    if (!AnchorFound)
        return;
    AddItem(RingNumber(4));
    AddItem(RingNumber(3));
    Finish();
}

void Solver::SolveTwoLit()
{
    BeginSearch();
    while (Searching()) {
        if (isOn(0) && isOn(1)) {
            AnchorFound = true;
            SolveAdjacentPair();
        }
        if (isOn(0) && isOn(2)) {
            AnchorFound = true;
            SolveSplitPair();
        }
        ++AnchorIndex;
    }
}

void Solver::SolveThreeLit()
{
    BeginSearch();
    while (Searching()) {
        if (isOn(0) && isOn(1) && isOn(2)) {
            AnchorFound = true;
            SolveRunOfThree();
        }
        if (isOn(0) && isOn(1) && isOn(3)) {
            AnchorFound = true;
            SolveSplitThree();
        }
        ++AnchorIndex;
    }
}

void Solver::SolveFourLit()
{
    BeginSearch();
    while (Searching()) {
        if (!isOn(0))
            AnchorFound = true;
        else
            ++AnchorIndex;
    }
    if (!AnchorFound)
        return;
    AddItem(std::to_string(AnchorIndex + 1));
    AddItem(RingNumber(3));
    AddItem(RingNumber(5));
    AddItem(RingNumber(3));
    AddItem(RingNumber(2));
    Finish();
}

void Solver::SolveAdjacentPair()
{
    SolutionText.clear();
    AddItem(RingNumber(4));
    AddItem(RingNumber(2));
    AddItem(RingNumber(1));
    Finish();
}

void Solver::SolveSplitPair()
{
    SolutionText.clear();
    AddItem(RingNumber(2));
    Finish();
}

void Solver::SolveRunOfThree()
{
    SolutionText.clear();
    AddItem(RingNumber(4));
    AddItem(RingNumber(1));
    AddItem(RingNumber(4));
    AddItem(RingNumber(3));
    Finish();
}

void Solver::SolveSplitThree()
{
    SolutionText.clear();
    AddItem(RingNumber(3));
    AddItem(RingNumber(1));
    AddItem(RingNumber(3));
    AddItem(RingNumber(5));
    AddItem(RingNumber(3));
    AddItem(RingNumber(2));
    Finish();
}

} // namespace pellan
