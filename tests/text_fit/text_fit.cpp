#include "text_fit.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QStyleOptionGroupBox>
#include <QTextDocument>
#include <QTextEdit>

#include <cmath>
#include <optional>

using namespace Qt::StringLiterals;

namespace textfit {

namespace {

// How a control lays out its caption: the room it gives it, how it aligns it there, and where it clips it,
// all in the control's logical pixels.
struct Caption {
    QString text;
    QRectF room;
    int flags = 0;
    QRect clip;
};

QString nameOf(const QWidget& control)
{
    return control.objectName().isEmpty() ? QString::fromLatin1(control.metaObject()->className())
                                          : control.objectName();
}

// What a control draws of its text when Qt::TextShowMnemonic marks an access key.
QString withoutMnemonics(QString text)
{
    text.replace(u"&&"_s, u"\u0001"_s);
    text.remove(u'&');
    text.replace(u'\u0001', u'&');
    return text;
}

// The ink of the caption, in the control's logical pixels: each line's glyph outlines, placed as drawText
// places them in the room.
QRectF inkOf(const QWidget& control, const Caption& caption)
{
    const QFontMetricsF metrics(control.font(), &control);
    const QString shown = caption.flags & Qt::TextShowMnemonic ? withoutMnemonics(caption.text) : caption.text;
    const QRectF laidOut = metrics.boundingRect(caption.room, caption.flags, caption.text);
    if (shown.contains(u'\n') || (caption.flags & Qt::TextWordWrap))
        return laidOut;  // the advances of the lines: a little wider than their ink
    QPainterPath outlines;
    outlines.addText(laidOut.left(), laidOut.top() + metrics.ascent(), control.font(), shown);
    return outlines.boundingRect();
}

// A rectangle in the window's logical pixels as the painter's clip gives it in device pixels.
QRect deviceClip(const QRectF& logical, double ratio)
{
    const auto edge = [ratio](double value) { return static_cast<int>(std::lround(value * ratio)); };
    return QRect(QPoint(edge(logical.left()), edge(logical.top())),
                 QPoint(edge(logical.right()) - 1, edge(logical.bottom()) - 1));
}

std::optional<QString> checkCaption(const QWidget& control, const Caption& caption)
{
    if (caption.text.isEmpty())
        return {};
    const QWidget* window = control.window();
    const QPointF offset = control.mapTo(window, QPoint(0, 0));
    // A child is clipped by every parent on the way to the window too.
    QRectF clip = QRectF(caption.clip).translated(offset);
    for (const QWidget* parent = control.parentWidget(); parent != nullptr && parent != window;
         parent = parent->parentWidget())
        clip &= QRectF(parent->mapTo(window, QPoint(0, 0)), parent->size());
    const double ratio = control.devicePixelRatioF();
    const QRect device = deviceClip(clip, ratio);
    const QRectF ink = inkOf(control, caption).translated(offset);
    const QRectF inkDevice(ink.topLeft() * ratio, ink.size() * ratio);
    // The 100 % layouts have glyph edges that reach a third of a pixel past their clip, losing no visible
    // stroke; half a logical pixel is allowed at every scale.
    const double slack = 0.5 * ratio;
    if (inkDevice.left() >= device.left() - slack && inkDevice.right() <= device.right() + 1 + slack
        && inkDevice.top() >= device.top() - slack && inkDevice.bottom() <= device.bottom() + 1 + slack)
        return {};
    return u"%1 \"%2\": ink %3..%4 x %5..%6, clip %7..%8 x %9..%10"_s.arg(nameOf(control), caption.text)
        .arg(inkDevice.left(), 0, 'f', 2)
        .arg(inkDevice.right(), 0, 'f', 2)
        .arg(inkDevice.top(), 0, 'f', 2)
        .arg(inkDevice.bottom(), 0, 'f', 2)
        .arg(device.left())
        .arg(device.right() + 1)
        .arg(device.top())
        .arg(device.bottom() + 1);
}

// The room QLabel gives its text: inside the frame and margin, and the indent a framed label keeps.
QRect labelRoom(const QLabel& label)
{
    QRect room = label.contentsRect().adjusted(label.margin(), label.margin(), -label.margin(), -label.margin());
    int indent = label.indent();
    if (indent < 0 && label.frameWidth() > 0)
        indent = label.fontMetrics().horizontalAdvance(u'x') / 2 - label.margin();
    if (indent > 0) {
        const Qt::Alignment align = label.alignment();
        room.adjust(align & Qt::AlignLeft ? indent : 0, align & Qt::AlignTop ? indent : 0,
                    align & Qt::AlignRight ? -indent : 0, align & Qt::AlignBottom ? -indent : 0);
    }
    return room;
}

Caption labelCaption(const QLabel& label)
{
    int flags = static_cast<int>(label.alignment());
    if (label.wordWrap())
        flags |= Qt::TextWordWrap;
    if (label.buddy() != nullptr)
        flags |= Qt::TextShowMnemonic;
    return {label.text(), labelRoom(label), flags, label.rect()};
}

Caption buttonCaption(const QAbstractButton& button)
{
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    QStyle::SubElement contents = QStyle::SE_PushButtonContents;
    int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic;
    if (qobject_cast<const QCheckBox*>(&button)) {
        contents = QStyle::SE_CheckBoxContents;
    } else if (qobject_cast<const QRadioButton*>(&button)) {
        contents = QStyle::SE_RadioButtonContents;
    } else {
        flags = Qt::AlignCenter | Qt::TextShowMnemonic;
        if (const auto* push = qobject_cast<const QPushButton*>(&button); push && push->isDefault())
            option.features |= QStyleOptionButton::DefaultButton;
    }
    return {button.text(), button.style()->subElementRect(contents, &option, &button), flags, button.rect()};
}

Caption groupBoxCaption(const QGroupBox& box)
{
    QStyleOptionGroupBox option;
    option.initFrom(&box);
    option.text = box.title();
    option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    option.lineWidth = 1;
    option.textAlignment = box.alignment();
    const QRect label = box.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &box);
    return {box.title(), label, Qt::TextShowMnemonic | Qt::AlignLeft | static_cast<int>(box.alignment()), box.rect()};
}

// A line edit draws its text within its contents less the text margins, keeping two pixels beside it, and
// scrolls what is wider than that; it clips to the contents.
std::optional<QString> checkLineEdit(const QLineEdit& edit)
{
    const QString text = edit.displayText();
    if (text.isEmpty())
        return {};
    QStyleOptionFrame option;
    option.initFrom(&edit);
    option.lineWidth = edit.hasFrame() ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &edit) : 0;
    const QRect contents
        = edit.style()->subElementRect(QStyle::SE_LineEditContents, &option, &edit).marginsRemoved(edit.textMargins());
    constexpr int horizontalMargin = 2;
    const QRectF room = QRectF(contents).adjusted(horizontalMargin, 0, -horizontalMargin, 0);
    const QFontMetricsF metrics(edit.font(), &edit);
    if (metrics.horizontalAdvance(text) > room.width()) {
        return u"%1 \"%2\": %3 wide, scrolled in %4"_s.arg(nameOf(edit), text)
            .arg(metrics.horizontalAdvance(text), 0, 'f', 2)
            .arg(room.width(), 0, 'f', 2);
    }
    const int align = static_cast<int>(edit.alignment() & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter;
    return checkCaption(edit, {text, room, align, contents});
}

std::optional<QString> checkComboBox(const QComboBox& combo)
{
    if (combo.isEditable())
        return {};  // its line edit shows the text
    QStyleOptionComboBox option;
    option.initFrom(&combo);
    option.currentText = combo.currentText();
    option.frame = combo.hasFrame();
    const QRect field
        = combo.style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &combo);
    return checkCaption(combo, {combo.currentText(), field, Qt::AlignLeft | Qt::AlignVCenter, field});
}

// A text box without scroll bars must hold its whole text: each line wrapped, if it wraps, within the
// viewport less the document's margin.
std::optional<QString> checkTextBox(const QWidget& box, const QWidget& viewport, const QTextDocument& document,
                                    const QString& text, bool wraps)
{
    const QFontMetricsF metrics(box.font(), &box);
    const double margin = document.documentMargin();
    const QSizeF room(viewport.width() - 2 * margin, viewport.height() - 2 * margin);
    QSizeF needed(0, 0);
    for (const QString& line : text.split(u'\n')) {
        const QRectF lines
            = metrics.boundingRect(QRectF(0, 0, wraps ? room.width() : 1e6, 1e6), wraps ? Qt::TextWordWrap : 0, line);
        needed = QSizeF(std::max(needed.width(), lines.width()),
                        needed.height() + std::max(lines.height(), metrics.lineSpacing()));
    }
    if (needed.width() <= room.width() && needed.height() <= room.height())
        return {};
    return u"%1 \"%2...\": needs %3 x %4, has %5 x %6"_s.arg(nameOf(box), text.left(30))
        .arg(needed.width(), 0, 'f', 2)
        .arg(needed.height(), 0, 'f', 2)
        .arg(room.width(), 0, 'f', 2)
        .arg(room.height(), 0, 'f', 2);
}

std::optional<QString> check(const QWidget& control)
{
    if (const auto* label = qobject_cast<const QLabel*>(&control))
        return checkCaption(*label, labelCaption(*label));
    if (const auto* button = qobject_cast<const QAbstractButton*>(&control))
        return checkCaption(*button, buttonCaption(*button));
    if (const auto* box = qobject_cast<const QGroupBox*>(&control))
        return checkCaption(*box, groupBoxCaption(*box));
    if (const auto* edit = qobject_cast<const QLineEdit*>(&control))
        return checkLineEdit(*edit);
    if (const auto* combo = qobject_cast<const QComboBox*>(&control))
        return checkComboBox(*combo);
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(&control);
        plain && plain->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOff) {
        return checkTextBox(*plain, *plain->viewport(), *plain->document(), plain->toPlainText(),
                            plain->lineWrapMode() != QPlainTextEdit::NoWrap);
    }
    if (const auto* rich = qobject_cast<const QTextEdit*>(&control);
        rich && rich->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOff) {
        return checkTextBox(*rich, *rich->viewport(), *rich->document(), rich->toPlainText(),
                            rich->lineWrapMode() != QTextEdit::NoWrap);
    }
    return {};
}

}  // namespace

QStringList clippedTexts(const QWidget& window)
{
    QStringList found;
    for (const QWidget* control : window.findChildren<QWidget*>()) {
        if (!control->isVisible())
            continue;
        if (const std::optional<QString> fault = check(*control))
            found.append(*fault);
    }
    return found;
}

}  // namespace textfit
