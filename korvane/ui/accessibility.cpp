#include "accessibility.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QPushButton>

namespace korvane {
namespace {

// Qt announces a top-level plain widget as a client area, which screen readers skip, title and all.
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

// Qt names an editable combo box by its current text, which says nothing of what it is for.
class ComboAccessible : public QAccessibleWidget {
public:
    explicit ComboAccessible(QComboBox* combo) : QAccessibleWidget(combo, QAccessible::ComboBox) { }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value)
            return combo()->currentText();
        QString said = QAccessibleWidget::text(kind);
        if (kind == QAccessible::Name && said.isEmpty())
            said = combo()->currentText();
        return said;
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        const bool open = combo()->view()->isVisible();
        state.expandable = true;
        state.expanded = open;
        state.collapsed = !open;
        state.editable = combo()->isEditable();
        return state;
    }

    QStringList actionNames() const override
    {
        return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override
    {
        if (action == showMenuAction() || action == pressAction()) {
            if (combo()->view()->isVisible())
                combo()->hidePopup();
            else
                combo()->showPopup();
        } else {
            QAccessibleWidget::doAction(action);
        }
    }

private:
    QComboBox* combo() const { return static_cast<QComboBox*>(widget()); }
};

bool isPlainWidgetClass(const QMetaObject* type)
{
    return type == &QWidget::staticMetaObject || type->superClass() == &QWidget::staticMetaObject;
}

QAccessibleInterface* factory(const QString& className, QObject* object)
{
    if (object == nullptr || !object->isWidgetType())
        return nullptr;
    // Asked once for each class from the object's own to QObject; answering at the first keeps
    // Qt's interfaces for everything this does not cover.
    const QMetaObject* type = object->metaObject();
    if (className != QLatin1String(type->className()))
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (auto* combo = qobject_cast<QComboBox*>(widget); combo != nullptr && !combo->accessibleName().isEmpty())
        return new ComboAccessible(combo);
    if (widget->isWindow() && isPlainWidgetClass(type))
        return new WindowAccessible(widget);
    return nullptr;
}

class EnterClicksButton : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        auto* button = qobject_cast<QPushButton*>(watched);
        if (!enter || (key->modifiers() & ~Qt::KeypadModifier) || button == nullptr || !button->isEnabled())
            return QObject::eventFilter(watched, event);
        button->click();
        return true;
    }
};

}  // namespace

void installAccessibleInterfaces()
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed);
}

void enterPressesFocusedButton(QWidget* window)
{
    auto* filter = new EnterClicksButton(window);
    for (QPushButton* button : window->findChildren<QPushButton*>())
        button->installEventFilter(filter);
}

}  // namespace korvane
