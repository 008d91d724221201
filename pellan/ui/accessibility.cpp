#include "accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>

namespace pellan {
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

// Qt reports every line edit as editable, read-only ones too; this one keeps the text readable and
// navigable for a screen reader and says it cannot be changed.
class ReadOnlyLineEditAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ReadOnlyLineEditAccessible(QLineEdit* edit) : QAccessibleWidget(edit, QAccessible::EditableText) { }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value)
            return shown();
        return QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = edit()->isReadOnly();
        state.editable = !edit()->isReadOnly();
        state.selectableText = true;
        return state;
    }

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override
    {
        *startOffset = *endOffset = 0;
        if (selectionIndex == 0 && edit()->hasSelectedText()) {
            *startOffset = edit()->selectionStart();
            *endOffset = edit()->selectionEnd();
        }
    }
    int selectionCount() const override { return edit()->hasSelectedText() ? 1 : 0; }
    void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
    void removeSelection(int) override { edit()->deselect(); }
    void setSelection(int, int startOffset, int endOffset) override
    {
        edit()->setSelection(startOffset, endOffset - startOffset);
    }
    int cursorPosition() const override { return edit()->cursorPosition(); }
    void setCursorPosition(int position) override { edit()->setCursorPosition(position); }
    QString text(int startOffset, int endOffset) const override
    {
        if (startOffset < 0 || endOffset < startOffset)
            return {};
        return shown().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(shown().size()); }

    // Where the character would be drawn, as the edit lays out a line that fits: from the aligned
    // start of the text inside the edit's margins.
    QRect characterRect(int offset) const override
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
        const int width = metrics.horizontalAdvance(line);
        const Qt::Alignment alignment = QStyle::visualAlignment(edit()->layoutDirection(), edit()->alignment());
        int left = inner.left() + margin;
        if (alignment & Qt::AlignHCenter)
            left = inner.left() + (inner.width() - width) / 2;
        else if (alignment & Qt::AlignRight)
            left = inner.right() - margin - width;
        const QRect local(left + metrics.horizontalAdvance(line.left(offset)),
                          inner.center().y() - metrics.height() / 2, metrics.horizontalAdvance(line.at(offset)),
                          metrics.height());
        return QRect(edit()->mapToGlobal(local.topLeft()), local.size());
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        return edit()->cursorPositionAt(edit()->mapFromGlobal(point));
    }
    void scrollToSubstring(int startIndex, int) override { edit()->setCursorPosition(startIndex); }
    QString attributes(int, int* startOffset, int* endOffset) const override
    {
        // One font and colour for the whole line.
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

private:
    QLineEdit* edit() const { return static_cast<QLineEdit*>(widget()); }
    QString shown() const { return edit()->echoMode() == QLineEdit::Normal ? edit()->text() : edit()->displayText(); }
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
    if (auto* edit = qobject_cast<QLineEdit*>(widget); edit != nullptr && edit->isReadOnly())
        return new ReadOnlyLineEditAccessible(edit);
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

}  // namespace pellan
