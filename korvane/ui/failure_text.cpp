#include "failure_text.h"

#include <variant>

using namespace Qt::StringLiterals;

namespace korvane {
namespace {

QString boxName(InputBox box)
{
    switch (box) {
    case InputBox::Intellect: return u"intellect box"_s;
    case InputBox::Percent1: return u"first percentage box"_s;
    case InputBox::Percent2: return u"second percentage box"_s;
    case InputBox::Percent3: return u"third percentage box"_s;
    }
    return {};
}

QString stepName(ImprovesStep step)
{
    switch (step) {
    case ImprovesStep::SetIntellectBracket:
    case ImprovesStep::RequiredPoints:
    case ImprovesStep::ApplyLevelOneRule: return u"The points the next level asks for"_s;
    case ImprovesStep::SumPercents: return u"The weighted total of the percentages"_s;
    case ImprovesStep::ImprovesNeeded: return u"The improves needed"_s;
    }
    return {};
}

}  // namespace

QString failureText(const RecalculateFailure& failure)
{
    if (const auto* input = std::get_if<InputFailure>(&failure)) {
        const QString box = boxName(input->box);
        const QString text = QString::fromStdString(input->text);
        if (input->error == ConversionError::OutOfRange) {
            return u"The %1 holds \"%2\", which is outside the range -32768 to 32767."_s.arg(box, text);
        }
        if (text.trimmed().isEmpty()) {
            return u"The %1 is empty. Enter a number, for example 27."_s.arg(box);
        }
        return u"The %1 holds \"%2\", which is not a number. Enter a number, for example 27."_s.arg(box, text);
    }
    return u"%1 came out outside the range -32768 to 32767, so nothing was calculated. "
           u"Check the percentages."_s.arg(stepName(std::get<Overflow>(failure).step));
}

}  // namespace korvane
