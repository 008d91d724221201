#include "accessible_interfaces.h"

#include "combo_box_accessible.h"
#include "radio_button_accessible.h"
#include "read_only_line_edit_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

namespace quendrith {
namespace {

constexpr const char* announcedAsWindow = "quendrithAnnouncedAsWindow";

class WindowAccessible : public QAccessibleWidget {
public:
    explicit WindowAccessible(QWidget* window) : QAccessibleWidget(window, QAccessible::Window) { }

    QAccessible::Role role() const override
    {
        if (!widget()->isWindow())
            return QAccessible::Client;
        return widget()->windowType() == Qt::Dialog ? QAccessible::Dialog : QAccessible::Window;
    }
};

QAccessibleInterface* factory(const QString& className, QObject* object)
{
    if (object == nullptr || !object->isWidgetType())
        return nullptr;
    // Asked once for each class from the object's own to QObject; answering at the first keeps
    // Qt's interfaces for everything this does not cover.
    if (className != QLatin1String(object->metaObject()->className()))
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    // Every radio button: Qt asks while constructing one, before it can be made not auto-exclusive.
    if (auto* radio = qobject_cast<QRadioButton*>(widget))
        return new RadioButtonAccessible(radio);
    if (auto* edit = qobject_cast<QLineEdit*>(widget); edit != nullptr && edit->isReadOnly())
        return new ReadOnlyLineEditAccessible(edit);
    if (auto* combo = qobject_cast<QComboBox*>(widget); combo != nullptr && !combo->accessibleName().isEmpty())
        return new ComboBoxAccessible(combo);
    // A property is looked up by name through the class's own first: only windows pay for it.
    if (widget->isWindow() && widget->property(announcedAsWindow).toBool())
        return new WindowAccessible(widget);
    return nullptr;
}

}  // namespace

void installAccessibleInterfaces()
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed);
}

void announceAsWindow(QWidget& window)
{
    installAccessibleInterfaces();
    window.setProperty(announcedAsWindow, true);
}

}  // namespace quendrith
