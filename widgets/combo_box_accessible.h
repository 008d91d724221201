// A combo box announced by its accessible name, with what Qt's own interface gives beneath it.
#pragma once

#include <QAccessibleWidget>

class QAbstractItemView;
class QComboBox;

namespace quendrith {

// Qt's own interface names a combo box by its current text, which says nothing of what the box is for. This one
// takes the accessible name and keeps the rest of what Qt's offers: Qt's interfaces of the list and of the edit
// field as its children, the current text as its value, the expanded state, opening and closing the list. An item
// a screen reader selects in the list is taken as the user's pick, as Enter on it in the open list would take it.
class ComboBoxAccessible : public QAccessibleWidget {
public:
    explicit ComboBoxAccessible(QComboBox* combo);

    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    QString text(QAccessible::Text kind) const override;
    QAccessible::State state() const override;

    QStringList actionNames() const override;
    QString localizedActionDescription(const QString& action) const override;
    void doAction(const QString& action) override;
    QStringList keyBindingsForAction(const QString& action) const override;

private:
    QComboBox* combo() const;
    QAbstractItemView* list() const;
};

}  // namespace quendrith
