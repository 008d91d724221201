#include "accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QKeySequence>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionFrame>

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

// Qt announces a radio button that is not auto-exclusive as a check box; the dialog keeps the groups itself.
class RadioAccessible : public QAccessibleWidget {
public:
    explicit RadioAccessible(QRadioButton* radio) : QAccessibleWidget(radio, QAccessible::RadioButton) { }

    QString text(QAccessible::Text kind) const override
    {
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
        return state;
    }

    QStringList actionNames() const override { return QStringList{pressAction()} + QAccessibleWidget::actionNames(); }

    void doAction(const QString& action) override
    {
        if (action == pressAction())
            radio()->click();
        else
            QAccessibleWidget::doAction(action);
    }

    QStringList keyBindingsForAction(const QString& action) const override
    {
        if (action != pressAction())
            return QAccessibleWidget::keyBindingsForAction(action);
        const QKeySequence key = QKeySequence::mnemonic(radio()->text());
        return key.isEmpty() ? QStringList{} : QStringList{key.toString(QKeySequence::NativeText)};
    }

private:
    QRadioButton* radio() const { return static_cast<QRadioButton*>(widget()); }
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
    // Every radio button, since Qt asks while constructing one, before it can be made not auto-exclusive.
    if (auto* radio = qobject_cast<QRadioButton*>(widget))
        return new RadioAccessible(radio);
    if (auto* edit = qobject_cast<QLineEdit*>(widget); edit != nullptr && edit->isReadOnly())
        return new ReadOnlyLineEditAccessible(edit);
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

}  // namespace sorvex
