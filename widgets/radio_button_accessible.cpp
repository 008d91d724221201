#include "radio_button_accessible.h"

#include <QKeySequence>
#include <QRadioButton>

namespace quendrith {
namespace {

QString withoutAccessKey(const QString& caption)
{
    QString plain;
    plain.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == u'&' && i + 1 < caption.size())
            ++i;
        plain += caption.at(i);
    }
    return plain;
}

}  // namespace

RadioButtonAccessible::RadioButtonAccessible(QRadioButton* radio) : QAccessibleWidget(radio, QAccessible::RadioButton)
{ }

QString RadioButtonAccessible::text(QAccessible::Text kind) const
{
    if (kind == QAccessible::Accelerator)
        return accessKey();
    // Named by its own caption, as Qt names a button, not by the group box it stands in.
    if (kind == QAccessible::Name && radio()->accessibleName().isEmpty())
        return withoutAccessKey(radio()->text());
    return QAccessibleWidget::text(kind);
}

QAccessible::State RadioButtonAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.checkable = true;
    state.checked = radio()->isChecked();
    state.pressed = radio()->isDown();
    return state;
}

QStringList RadioButtonAccessible::actionNames() const
{
    // As Qt's own buttons: a disabled one offers nothing to press.
    if (!radio()->isEnabled())
        return QAccessibleWidget::actionNames();
    return QStringList{pressAction(), toggleAction()} + QAccessibleWidget::actionNames();
}

void RadioButtonAccessible::doAction(const QString& action)
{
    if (action == pressAction() || action == toggleAction())
        radio()->click();
    else
        QAccessibleWidget::doAction(action);
}

QStringList RadioButtonAccessible::keyBindingsForAction(const QString& action) const
{
    if (action != pressAction() && action != toggleAction())
        return QAccessibleWidget::keyBindingsForAction(action);
    const QString key = accessKey();
    return key.isEmpty() ? QStringList{} : QStringList{key};
}

QRadioButton* RadioButtonAccessible::radio() const
{
    return static_cast<QRadioButton*>(widget());
}

QString RadioButtonAccessible::accessKey() const
{
    return QKeySequence::mnemonic(radio()->text()).toString(QKeySequence::NativeText);
}

}  // namespace quendrith
