#include "read_only_line_edit_accessible.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

namespace quendrith {

ReadOnlyLineEditAccessible::ReadOnlyLineEditAccessible(QLineEdit* edit)
    : QAccessibleWidget(edit, QAccessible::EditableText)
{ }

void* ReadOnlyLineEditAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString ReadOnlyLineEditAccessible::text(QAccessible::Text kind) const
{
    if (kind == QAccessible::Value)
        return shown();
    return QAccessibleWidget::text(kind);
}

QAccessible::State ReadOnlyLineEditAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = edit()->isReadOnly();
    state.editable = !edit()->isReadOnly();
    state.selectableText = true;
    return state;
}

void ReadOnlyLineEditAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const
{
    *startOffset = *endOffset = 0;
    if (selectionIndex == 0 && edit()->hasSelectedText()) {
        *startOffset = edit()->selectionStart();
        *endOffset = edit()->selectionEnd();
    }
}

int ReadOnlyLineEditAccessible::selectionCount() const
{
    return edit()->hasSelectedText() ? 1 : 0;
}

void ReadOnlyLineEditAccessible::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void ReadOnlyLineEditAccessible::removeSelection(int)
{
    edit()->deselect();
}

void ReadOnlyLineEditAccessible::setSelection(int, int startOffset, int endOffset)
{
    edit()->setSelection(startOffset, endOffset - startOffset);
}

int ReadOnlyLineEditAccessible::cursorPosition() const
{
    return edit()->cursorPosition();
}

void ReadOnlyLineEditAccessible::setCursorPosition(int position)
{
    edit()->setCursorPosition(position);
}

QString ReadOnlyLineEditAccessible::text(int startOffset, int endOffset) const
{
    if (startOffset < 0 || endOffset < startOffset)
        return {};
    return shown().mid(startOffset, endOffset - startOffset);
}

int ReadOnlyLineEditAccessible::characterCount() const
{
    return static_cast<int>(shown().size());
}

// Where the character is drawn, placed as the edit places a line that fits: inside its margins, aligned with room
// for the cursor after the text.
QRect ReadOnlyLineEditAccessible::characterRect(int offset) const
{
    const QString line = shown();
    if (offset < 0 || offset >= line.size())
        return {};
    QStyleOptionFrame option;
    option.initFrom(edit());
    option.lineWidth
        = edit()->hasFrame() ? edit()->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit()) : 0;
    const QRect inner = edit()->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit());
    const QFontMetrics metrics = edit()->fontMetrics();
    constexpr int margin = 2;  // Qt's horizontal text margin on each side
    const QRect row(inner.left() + margin, inner.top() + (inner.height() - metrics.height() + 1) / 2,
                    inner.width() - 2 * margin, metrics.height());
    const int widthUsed = metrics.horizontalAdvance(line) + 1;
    const Qt::Alignment alignment = QStyle::visualAlignment(edit()->layoutDirection(), edit()->alignment());
    int scroll = 0;
    if (widthUsed <= row.width() && (alignment & Qt::AlignRight))
        scroll = widthUsed - row.width() + 1;
    else if (widthUsed <= row.width() && (alignment & Qt::AlignHCenter))
        scroll = (widthUsed - row.width()) / 2;
    const QRect local(row.left() - scroll + metrics.horizontalAdvance(line.left(offset)), row.top(),
                      metrics.horizontalAdvance(line.at(offset)), metrics.height());
    return QRect(edit()->mapToGlobal(local.topLeft()), local.size());
}

int ReadOnlyLineEditAccessible::offsetAtPoint(const QPoint& point) const
{
    return edit()->cursorPositionAt(edit()->mapFromGlobal(point));
}

void ReadOnlyLineEditAccessible::scrollToSubstring(int startIndex, int)
{
    edit()->setCursorPosition(startIndex);
}

QString ReadOnlyLineEditAccessible::attributes(int, int* startOffset, int* endOffset) const
{
    // One font and colour for the whole line.
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

QLineEdit* ReadOnlyLineEditAccessible::edit() const
{
    return static_cast<QLineEdit*>(widget());
}

QString ReadOnlyLineEditAccessible::shown() const
{
    return edit()->echoMode() == QLineEdit::Normal ? edit()->text() : edit()->displayText();
}

}  // namespace quendrith
