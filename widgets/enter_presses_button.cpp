#include "enter_presses_button.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace quendrith {
namespace {

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

void enterPressesFocusedButton(QWidget* window)
{
    // One filter per window, so that a second call cannot make Enter click twice.
    const QString name = u"enterClicksButton"_s;
    auto* filter = window->findChild<QObject*>(name, Qt::FindDirectChildrenOnly);
    if (filter == nullptr) {
        filter = new EnterClicksButton(window);
        filter->setObjectName(name);
    }
    for (QPushButton* button : window->findChildren<QPushButton*>())
        button->installEventFilter(filter);
}

}  // namespace quendrith
