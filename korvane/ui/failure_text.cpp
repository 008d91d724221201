#include "failure_text.h"

#include <variant>

namespace korvane {
namespace {

QString boxName(InputBox box)
{
    switch (box) {
    case InputBox::Intellect: return QStringLiteral("intellect box");
    case InputBox::Percent1: return QStringLiteral("first percentage box");
    case InputBox::Percent2: return QStringLiteral("second percentage box");
    case InputBox::Percent3: return QStringLiteral("third percentage box");
    }
    return {};
}

QString stepName(ImprovesStep step)
{
    switch (step) {
    case ImprovesStep::SetIntellectBracket:
    case ImprovesStep::RequiredPoints:
    case ImprovesStep::ApplyLevelOneRule: return QStringLiteral("The points the next level asks for");
    case ImprovesStep::SumPercents: return QStringLiteral("The weighted total of the percentages");
    case ImprovesStep::ImprovesNeeded: return QStringLiteral("The improves needed");
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
            return QStringLiteral("The %1 holds \"%2\", which is outside the range -32768 to 32767.").arg(box, text);
        }
        if (text.trimmed().isEmpty()) {
            return QStringLiteral("The %1 is empty. Enter a number, for example 27.").arg(box);
        }
        return QStringLiteral("The %1 holds \"%2\", which is not a number. Enter a number, for example 27.")
            .arg(box, text);
    }
    return QStringLiteral("%1 came out outside the range -32768 to 32767, so nothing was calculated. "
                          "Check the percentages.")
        .arg(stepName(std::get<Overflow>(failure).step));
}

}  // namespace korvane
