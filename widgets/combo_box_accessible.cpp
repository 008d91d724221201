#include "combo_box_accessible.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace quendrith {
namespace {

// The list of a combo box as a screen reader uses it. While the list is closed its selected item is the box's
// current one, so that the items say which is chosen. A selection made other than by moving through the open list
// (the mouse and the arrow keys move the list's current item with the selection) comes from a screen reader
// picking an item; the box takes it through Enter on it, the way Qt itself takes an item from the list. It follows
// the view's selection model as the box has it when first asked: a box given another model or view later would
// need it made again.
class ListPicks : public QObject {
public:
    static constexpr QStringView name = u"quendrithListPicks";

    explicit ListPicks(QComboBox* box) : QObject(box), combo(box)
    {
        setObjectName(name.toString());
        connect(combo->view()->selectionModel(), &QItemSelectionModel::selectionChanged, this, &ListPicks::take);
        connect(combo, &QComboBox::currentIndexChanged, this, &ListPicks::showCurrent);
        showCurrent();
    }

private:
    QModelIndex current() const
    {
        return combo->model()->index(combo->currentIndex(), combo->modelColumn(), combo->rootModelIndex());
    }

    void showCurrent()
    {
        QAbstractItemView* list = combo->view();
        if (list->isVisible())
            return;
        if (const QModelIndex chosen = current(); chosen.isValid())
            list->selectionModel()->setCurrentIndex(chosen, QItemSelectionModel::ClearAndSelect);
        else
            list->selectionModel()->clearSelection();
    }

    void take()
    {
        QAbstractItemView* list = combo->view();
        const QModelIndexList selected = list->selectionModel()->selectedIndexes();
        if (selected.size() != 1)
            return;
        const QModelIndex picked = selected.front();
        if (picked == (list->isVisible() ? list->currentIndex() : current()))
            return;
        list->selectionModel()->setCurrentIndex(picked, QItemSelectionModel::NoUpdate);
        // Sent, not posted: the open list acts on the shortcut override that Qt makes first of a key press sent
        // to it.
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(list, &enter);
    }

    QComboBox* combo;
};

}  // namespace

ComboBoxAccessible::ComboBoxAccessible(QComboBox* combo) : QAccessibleWidget(combo, QAccessible::ComboBox) { }

QAccessibleInterface* ComboBoxAccessible::child(int index) const
{
    if (index == 0)
        return QAccessible::queryAccessibleInterface(list());
    if (index == 1 && combo()->isEditable())
        return QAccessible::queryAccessibleInterface(combo()->lineEdit());
    return nullptr;
}

int ComboBoxAccessible::childCount() const
{
    return combo()->isEditable() ? 2 : 1;
}

int ComboBoxAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    if (child == nullptr)
        return -1;
    if (child->object() == list())
        return 0;
    if (combo()->isEditable() && child->object() == combo()->lineEdit())
        return 1;
    return -1;
}

QAccessibleInterface* ComboBoxAccessible::childAt(int x, int y) const
{
    if (!combo()->isEditable())
        return nullptr;
    const QLineEdit* edit = combo()->lineEdit();
    return QRect(edit->mapToGlobal(QPoint(0, 0)), edit->size()).contains(x, y) ? child(1) : nullptr;
}

// The edit field never has the focus itself (the box is its focus proxy), but it is where typing goes.
QAccessibleInterface* ComboBoxAccessible::focusChild() const
{
    return combo()->isEditable() ? child(1) : nullptr;
}

QString ComboBoxAccessible::text(QAccessible::Text kind) const
{
    const QString value = combo()->isEditable() ? combo()->lineEdit()->text() : combo()->currentText();
    switch (kind) {
    case QAccessible::Value: return value;
    case QAccessible::Name: {
        const QString name = QAccessibleWidget::text(kind);
        return name.isEmpty() ? value : name;
    }
    case QAccessible::Accelerator: return QKeySequence(Qt::Key_Down).toString(QKeySequence::NativeText);
    default: return QAccessibleWidget::text(kind);
    }
}

QAccessible::State ComboBoxAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    const bool open = combo()->view()->isVisible();
    state.expandable = true;
    state.expanded = open;
    state.collapsed = !open;
    state.editable = combo()->isEditable();
    return state;
}

QStringList ComboBoxAccessible::actionNames() const
{
    return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
}

QString ComboBoxAccessible::localizedActionDescription(const QString& action) const
{
    if (action == showMenuAction() || action == pressAction())
        return QComboBox::tr("Open the combo box selection popup");
    return {};
}

void ComboBoxAccessible::doAction(const QString& action)
{
    if (action != showMenuAction() && action != pressAction())
        QAccessibleWidget::doAction(action);
    else if (combo()->view()->isVisible())
        combo()->hidePopup();
    else
        combo()->showPopup();
}

QStringList ComboBoxAccessible::keyBindingsForAction(const QString& action) const
{
    if (action == showMenuAction() || action == pressAction())
        return {};
    return QAccessibleWidget::keyBindingsForAction(action);
}

QComboBox* ComboBoxAccessible::combo() const
{
    return static_cast<QComboBox*>(widget());
}

// The box makes its list only when it is first needed, and so does this: a screen reader reaches the items
// through it, and picks them there.
QAbstractItemView* ComboBoxAccessible::list() const
{
    if (combo()->findChild<QObject*>(ListPicks::name.toString(), Qt::FindDirectChildrenOnly) == nullptr)
        new ListPicks(combo());
    return combo()->view();
}

}  // namespace quendrith
