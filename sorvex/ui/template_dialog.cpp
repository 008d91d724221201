#include "template_dialog.h"

#include "accessible_interfaces.h"
#include "fixed_window.h"
#include "whole_box_buttons.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QValidator>
#include <QWindow>

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace sorvex {

namespace {

constexpr int baseUnitX = 6;
constexpr int baseUnitY = 13;

// Rounds halves away from zero, as MulDiv does.
int mulDiv(int number, int numerator, int denominator)
{
    const long long product = static_cast<long long>(number) * numerator;
    const long long magnitude = (std::llabs(product) + denominator / 2) / denominator;
    return static_cast<int>(product < 0 ? -magnitude : magnitude);
}

TemplateDialog::OpenedHook& openedHook()
{
    static TemplateDialog::OpenedHook installed;
    return installed;
}

// An automatic radio button checks itself on every click; the dialog unchecks the rest of its group.
class AutoRadioButton : public quendrith::RadioButton {
public:
    using quendrith::RadioButton::RadioButton;

protected:
    void nextCheckState() override { setChecked(true); }
};

// An edit without automatic horizontal scrolling takes no more typing than it can show. Text
// set by the program is shown whole, and stays editable, as Qt validates only typed changes.
class FitsWidthValidator : public QValidator {
public:
    explicit FitsWidthValidator(QLineEdit* lineEdit) : QValidator(lineEdit), edit(lineEdit) { }

    State validate(QString& input, int&) const override
    {
        QStyleOptionFrame option;
        option.initFrom(edit);
        QStyle* style = edit->style();
        option.lineWidth = edit->hasFrame() ? style->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit) : 0;
        const QRect contents = style->subElementRect(QStyle::SE_LineEditContents, &option, edit);
        constexpr int textMargins = 2 * 2 + 1;  // Qt's horizontal margin on each side, and the cursor
        const bool fits = edit->fontMetrics().horizontalAdvance(input) <= contents.width() - textMargins;
        return fits ? Acceptable : Invalid;
    }

private:
    QLineEdit* edit;
};

QLineEdit* createEdit(const QString& text, unsigned styles, QWidget* parent)
{
    auto* edit = new QLineEdit(text, parent);
    edit->setAlignment(styles & Centred ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
    edit->setFrame(styles & Border);
    if (styles & ReadOnly) {
        edit->setReadOnly(true);
        QPalette palette = edit->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Window));
        edit->setPalette(palette);
    }
    if (!(styles & AutoHScroll))
        edit->setValidator(new FitsWidthValidator(edit));
    return edit;
}

QLabel* createLabel(ControlKind kind, const QString& text, unsigned styles, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    if (kind == ControlKind::Static) {
        label->setText(text);
        label->setWordWrap(true);
        label->setAlignment(styles & Centred ? Qt::AlignHCenter | Qt::AlignTop : Qt::AlignLeft | Qt::AlignTop);
    }
    if (styles & SunkenEdge)
        label->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    return label;
}

// The substitute font runs wider than the one the template was laid out for: a one-line text grows its
// control rather than lose its end.
QRect fittedToText(QLabel* label, const QString& text, unsigned styles, QRect place)
{
    const QFontMetrics metrics = label->fontMetrics();
    const int needed = metrics.horizontalAdvance(text) + 2 * label->frameWidth() + 1;
    if (place.height() < 2 * metrics.height() && needed > place.width()) {
        label->setWordWrap(false);
        if (styles & Centred)
            place.adjust(-(needed - place.width()) / 2, 0, 0, 0);
        place.setWidth(needed);
    }
    return place;
}

}  // namespace

int dialogUnitsToPixelsX(int units)
{
    return mulDiv(units, baseUnitX, 4);
}

int dialogUnitsToPixelsY(int units)
{
    return mulDiv(units, baseUnitY, 8);
}

QRect dialogUnitsToPixels(const DialogUnits& place)
{
    return {dialogUnitsToPixelsX(place.x), dialogUnitsToPixelsY(place.y), dialogUnitsToPixelsX(place.width),
            dialogUnitsToPixelsY(place.height)};
}

void TemplateDialog::setOpenedHook(OpenedHook hook)
{
    openedHook() = std::move(hook);
}

TemplateDialog::TemplateDialog(const DialogTemplate& dialogTemplate, QWidget* owner)
    : QDialog(owner), sourceTemplate(dialogTemplate), ownerWidget(owner)
{
    quendrith::installAccessibleInterfaces();
    Qt::WindowFlags flags = (owner ? Qt::Dialog : Qt::Window) | Qt::CustomizeWindowHint | Qt::WindowTitleHint
        | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;
    if (dialogTemplate.minimizeBox)
        flags |= Qt::WindowMinimizeButtonHint;
    quendrith::setUpFixedWindow(
        *this, flags, QSize(dialogUnitsToPixelsX(dialogTemplate.width), dialogUnitsToPixelsY(dialogTemplate.height)));
    setWindowTitle(QString::fromUtf16(dialogTemplate.caption));

    QPushButton* defaultButton = nullptr;
    for (const ControlTemplate& entry : dialogTemplate.controls) {
        QWidget* widget = createControl(entry);
        createdControls.push_back(widget);
        if (entry.styles & TabStop)
            tabStopControls.push_back(widget);
        if (entry.kind == ControlKind::PushButton && (entry.styles & DefaultButton))
            defaultButton = static_cast<QPushButton*>(widget);
    }
    // Group boxes are only frames: they stay behind the controls they surround and take no clicks.
    for (auto it = createdControls.rbegin(); it != createdControls.rend(); ++it) {
        if (qobject_cast<QGroupBox*>(*it))
            (*it)->lower();
    }
    if (defaultButton)
        defaultButton->setDefault(true);
    for (std::size_t i = 1; i < tabStopControls.size(); ++i)
        QWidget::setTabOrder(tabStopControls[i - 1], tabStopControls[i]);
}

QWidget* TemplateDialog::createControl(const ControlTemplate& entry)
{
    const QString text = QString::fromUtf16(entry.text);
    QWidget* widget = nullptr;
    switch (entry.kind) {
    case ControlKind::PushButton: {
        auto* button = new QPushButton(text, this);
        button->setAutoDefault(true);
        widget = button;
        break;
    }
    case ControlKind::GroupBox: {
        auto* box = new QGroupBox(text, this);
        box->setAttribute(Qt::WA_TransparentForMouseEvents);
        box->setFocusPolicy(Qt::NoFocus);
        widget = box;
        break;
    }
    case ControlKind::Edit: widget = createEdit(text, entry.styles, this); break;
    case ControlKind::AutoRadioButton: {
        auto* radio = new AutoRadioButton(text, this);
        radio->setAutoExclusive(false);
        radio->installEventFilter(this);
        connect(radio, &QRadioButton::clicked, this, [this, radio] { checkExclusively(radio); });
        widget = radio;
        break;
    }
    case ControlKind::Static:
    case ControlKind::Icon: widget = createLabel(entry.kind, text, entry.styles, this); break;
    }
    if (entry.kind != ControlKind::GroupBox && entry.kind != ControlKind::Static && entry.kind != ControlKind::Icon)
        widget->setFocusPolicy(entry.styles & TabStop ? Qt::StrongFocus : Qt::ClickFocus);
    QRect place = dialogUnitsToPixels(entry.place);
    if (entry.kind == ControlKind::Static)
        place = fittedToText(static_cast<QLabel*>(widget), text, entry.styles, place);
    widget->setGeometry(place);
    if (entry.name)
        widget->setObjectName(QString::fromLatin1(entry.name));
    else if (entry.id != noId)
        widget->setObjectName(QString::number(entry.id));
    if (entry.accessibleName)
        widget->setAccessibleName(QString::fromUtf8(entry.accessibleName));
    return widget;
}

QWidget* TemplateDialog::control(int id) const
{
    if (id == noId)
        return nullptr;
    const auto controls = sourceTemplate.controls;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (controls[i].id == id)
            return createdControls[i];
    }
    return nullptr;
}

std::vector<QRadioButton*> TemplateDialog::radioGroupAt(std::size_t first) const
{
    std::vector<QRadioButton*> group;
    const auto controls = sourceTemplate.controls;
    for (std::size_t i = first; i < controls.size(); ++i) {
        if (i > first && (controls[i].styles & Group))
            break;
        if (controls[i].kind == ControlKind::AutoRadioButton)
            group.push_back(static_cast<QRadioButton*>(createdControls[i]));
    }
    return group;
}

std::vector<QRadioButton*> TemplateDialog::radioGroup(int firstId) const
{
    const auto controls = sourceTemplate.controls;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (controls[i].id == firstId)
            return radioGroupAt(i);
    }
    return {};
}

void TemplateDialog::checkExclusively(QRadioButton* clicked)
{
    const auto it = std::find(createdControls.begin(), createdControls.end(), clicked);
    if (it == createdControls.end())
        return;
    std::size_t first = static_cast<std::size_t>(it - createdControls.begin());
    while (first > 0 && !(sourceTemplate.controls[first].styles & Group))
        --first;
    for (QRadioButton* radio : radioGroupAt(first)) {
        if (radio != clicked)
            radio->setChecked(false);
    }
}

bool TemplateDialog::moveInRadioGroup(QRadioButton* from, int step)
{
    const auto it = std::find(createdControls.begin(), createdControls.end(), from);
    if (it == createdControls.end())
        return false;
    std::size_t first = static_cast<std::size_t>(it - createdControls.begin());
    while (first > 0 && !(sourceTemplate.controls[first].styles & Group))
        --first;
    const std::vector<QRadioButton*> group = radioGroupAt(first);
    const auto at = std::find(group.begin(), group.end(), from);
    if (at == group.end())
        return false;
    const auto count = static_cast<std::ptrdiff_t>(group.size());
    std::ptrdiff_t index = at - group.begin();
    for (std::ptrdiff_t tried = 1; tried < count; ++tried) {
        index = ((index + step) % count + count) % count;
        QRadioButton* next = group[static_cast<std::size_t>(index)];
        if (next->isEnabled() && !next->isHidden()) {
            next->setFocus(Qt::TabFocusReason);
            next->click();
            return true;
        }
    }
    return true;
}

bool TemplateDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        if (auto* radio = qobject_cast<QRadioButton*>(watched)) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->modifiers() & ~Qt::KeypadModifier)
                return QDialog::eventFilter(watched, event);
            switch (key->key()) {
            case Qt::Key_Up:
            case Qt::Key_Left: return moveInRadioGroup(radio, -1);
            case Qt::Key_Down:
            case Qt::Key_Right: return moveInRadioGroup(radio, +1);
            default: break;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TemplateDialog::placeOnOpening()
{
    // Whole windows are centred, frames included, as the dialog manager does.
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    const QSize outer = size().grownBy(frame);
    QScreen* screen = ownerWidget ? ownerWidget->screen() : QGuiApplication::primaryScreen();
    const QRect workArea = screen ? screen->availableGeometry() : QRect();
    const QRect area = ownerWidget ? ownerWidget->window()->frameGeometry() : workArea;
    QPoint topLeft(area.x() + (area.width() - outer.width()) / 2, area.y() + (area.height() - outer.height()) / 2);
    if (!workArea.isEmpty()) {
        topLeft.setX(std::max(workArea.left(), std::min(topLeft.x(), workArea.right() + 1 - outer.width())));
        topLeft.setY(std::max(workArea.top(), std::min(topLeft.y(), workArea.bottom() + 1 - outer.height())));
    }
    move(topLeft);

    for (QWidget* stop : tabStopControls) {
        if (stop->isEnabled()) {
            stop->setFocus(Qt::TabFocusReason);
            break;
        }
    }
}

void TemplateDialog::showEvent(QShowEvent* event)
{
    if (!hasOpened) {
        hasOpened = true;
        initDialog();
        placeOnOpening();
    }
    QDialog::showEvent(event);
}

int TemplateDialog::run()
{
    if (const OpenedHook hook = openedHook()) {
        QMetaObject::invokeMethod(
            this,
            [this, hook] {
                hook(*this);
                if (isVisible())
                    reject();
            },
            Qt::QueuedConnection);
    }
    return exec();
}

}  // namespace sorvex
