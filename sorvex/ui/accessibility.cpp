#include "accessibility.h"

#include "accessible_interfaces.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeySequence>
#include <QRadioButton>

namespace sorvex {
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

// Qt announces a radio button that is not auto-exclusive as a check box. Pressing or toggling one checks it, as a
// click does: the dialog then unchecks the rest of its group.
class RadioAccessible : public QAccessibleWidget {
public:
    explicit RadioAccessible(QRadioButton* radio) : QAccessibleWidget(radio, QAccessible::RadioButton) { }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Accelerator)
            return accessKey();
        QString said = QAccessibleWidget::text(kind);
        if (kind == QAccessible::Name && said.isEmpty())
            said = withoutAccessKey(radio()->text());
        return said;
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.checked = radio()->isChecked();
        state.pressed = radio()->isDown();
        return state;
    }

    QStringList actionNames() const override
    {
        return QStringList{pressAction(), toggleAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override
    {
        if (action == pressAction() || action == toggleAction())
            radio()->click();
        else
            QAccessibleWidget::doAction(action);
    }

    QStringList keyBindingsForAction(const QString& action) const override
    {
        if (action != pressAction() && action != toggleAction())
            return QAccessibleWidget::keyBindingsForAction(action);
        const QString key = accessKey();
        return key.isEmpty() ? QStringList{} : QStringList{key};
    }

private:
    QRadioButton* radio() const { return static_cast<QRadioButton*>(widget()); }
    QString accessKey() const { return QKeySequence::mnemonic(radio()->text()).toString(QKeySequence::NativeText); }
};

QAccessibleInterface* factory(const QString& className, QObject* object)
{
    // Every radio button, and only at its own class: Qt asks while constructing one, before it can be made not
    // auto-exclusive, and all of sorvex's are the dialogs' own.
    auto* radio = qobject_cast<QRadioButton*>(object);
    if (radio == nullptr || className != QLatin1String(object->metaObject()->className()))
        return nullptr;
    return new RadioAccessible(radio);
}

}  // namespace

void installAccessibleInterfaces()
{
    static const bool installed = [] {
        quendrith::installAccessibleInterfaces();
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed);
}

}  // namespace sorvex
