// A read-only line edit as screen readers should meet it: its text readable and navigable, and not editable.
#pragma once

#include <QAccessibleWidget>

class QLineEdit;

namespace quendrith {

// Qt's own interface announces every line edit as editable, read-only ones too, and lets a screen reader
// change their text.
class ReadOnlyLineEditAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ReadOnlyLineEditAccessible(QLineEdit* edit);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text kind) const override;
    QAccessible::State state() const override;

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

private:
    QLineEdit* edit() const;
    QString shown() const;
};

}  // namespace quendrith
