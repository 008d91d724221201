#include "random_events.h"

#include "keyboard_walker.h"
#include "random_input.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTest>
#include <QWindow>

#include <algorithm>
#include <tuple>
#include <utility>

using namespace Qt::StringLiterals;

namespace randominput {
namespace {

// The access keys shown in a window's captions and menu bar, lower case.
QList<QChar> accessKeys(const QWidget* window)
{
    QList<QChar> keys;
    if (window == nullptr)
        return keys;
    const auto add = [&keys](const QString& caption) {
        const QChar key = keyboard::accessKey(caption).toLower();
        if (key.unicode() < 0x80 && key.isLetterOrNumber())
            keys << key;
    };
    for (const QAbstractButton* button : window->findChildren<QAbstractButton*>())
        add(button->text());
    for (const QLabel* label : window->findChildren<QLabel*>())
        add(label->text());
    for (const QGroupBox* group : window->findChildren<QGroupBox*>())
        add(group->title());
    for (const QMenuBar* bar : window->findChildren<QMenuBar*>()) {
        for (const QAction* action : bar->actions())
            add(action->text());
    }
    if (const auto* menu = qobject_cast<const QMenu*>(window)) {
        for (const QAction* action : menu->actions())
            add(action->text());
    }
    return keys;
}

// The key a keyboard sends for a typed character.
int keyFor(QChar character)
{
    if (character == u'\t')
        return Qt::Key_Tab;
    if (character == u'\n' || character == u'\r')
        return Qt::Key_Return;
    return character.unicode() < 0x100 ? character.toUpper().unicode() : 0;
}

QString quoted(const QString& text)
{
    QString shown = text.left(40);
    shown.replace(u'\\', u"\\\\"_s).replace(u'\n', u"\\n"_s).replace(u'\r', u"\\r"_s).replace(u'\t', u"\\t"_s);
    return u"\"%1\"%2"_s.arg(shown, text.size() > 40 ? u"... (%1 characters)"_s.arg(text.size()) : QString());
}

QString focusName()
{
    if (QWidget* popup = QApplication::activePopupWidget())
        return keyboard::nameOf(popup->focusWidget() != nullptr ? popup->focusWidget() : popup);
    QWidget* focus = QApplication::focusWidget();
    return focus != nullptr ? keyboard::nameOf(focus) : u"no focus"_s;
}

// Whether a modal dialog or a popup keeps input from reaching the object. The platform drops keys and clicks for
// such a window by itself; an input method's text is sent straight to the object, so it is checked here.
bool blocked(QObject* focus)
{
    const auto* widget = qobject_cast<QWidget*>(focus);
    const QWidget* modal = QApplication::activeModalWidget();
    return QApplication::activePopupWidget() != nullptr || widget == nullptr
        || (modal != nullptr && widget->window() != modal);
}

}  // namespace

QList<QWidget*> visibleWindows()
{
    QList<QWidget*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && widget->windowType() != Qt::ToolTip && widget->windowHandle() != nullptr)
            windows << widget;
    }
    const auto order = [](const QWidget* window) {
        return std::tuple(QString::fromLatin1(window->metaObject()->className()), window->objectName(),
                          window->windowTitle(), window->x(), window->y(), window->width(), window->height());
    };
    std::stable_sort(windows.begin(), windows.end(),
                     [&](const QWidget* a, const QWidget* b) { return order(a) < order(b); });
    return windows;
}

EventSender::EventSender(quint64 seed, std::function<void(const QString&)> noteEvent,
                         std::function<void(QWidget*)> noteActivated)
    : random(seed), note(std::move(noteEvent)), activated(std::move(noteActivated))
{ }

void EventSender::escape()
{
    key(Qt::Key_Escape, Qt::NoModifier, u"\u001B"_s, u"Escape"_s);
}

void EventSender::sendRandom(QWidget* popup, QWidget* dialog)
{
    const int roll = random.below(100);
    if (roll < 32) {
        clickSomewhere(popup, dialog);
    } else if (roll < 38) {
        key(Qt::Key_Tab, Qt::NoModifier, u"\t"_s, u"Tab"_s);
    } else if (roll < 42) {
        key(Qt::Key_Backtab, Qt::ShiftModifier, {}, u"Shift+Tab"_s);
    } else if (roll < 47) {
        key(Qt::Key_Space, Qt::NoModifier, u" "_s, u"Space"_s);
    } else if (roll < 53) {
        if (random.percent(70))
            key(Qt::Key_Return, Qt::NoModifier, u"\r"_s, u"Enter"_s);
        else
            key(Qt::Key_Enter, Qt::KeypadModifier, u"\r"_s, u"keypad Enter"_s);
    } else if (roll < 56) {
        key(Qt::Key_Escape, Qt::NoModifier, u"\u001B"_s, u"Escape"_s);
    } else if (roll < 65) {
        const int arrows[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down};
        const QString names[] = {u"Left"_s, u"Right"_s, u"Up"_s, u"Down"_s};
        const int which = random.below(4);
        key(arrows[which], Qt::NoModifier, {}, names[which]);
    } else if (roll < 71) {
        pressAccessKey(popup);
    } else if (roll < 73) {
        key(Qt::Key_F1, Qt::NoModifier, {}, u"F1"_s);
    } else if (roll < 75) {
        const int digit = random.below(10);
        key(Qt::Key_0 + digit, Qt::ControlModifier, {}, u"Ctrl+%1"_s.arg(digit));
    } else if (roll < 79) {
        editingKey();
    } else if (roll < 93) {
        typeText();
    } else if (roll < 95) {
        activateAWindow(dialog);
    } else if (roll < 96) {
        closeAWindow(popup, dialog);
    } else if (roll < 98) {
        hover();
    } else {
        otherKey();
    }
}

// Enter, Escape or a click on one of the dialog's buttons.
void EventSender::answer(QWidget* dialog)
{
    QList<QAbstractButton*> buttons;
    for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
        if (button->isVisibleTo(dialog) && button->isEnabled())
            buttons << button;
    }
    const int how = random.below(3);
    if (how == 0 || (how == 2 && buttons.isEmpty())) {
        key(Qt::Key_Return, Qt::NoModifier, u"\r"_s, u"Enter to answer"_s);
    } else if (how == 1) {
        key(Qt::Key_Escape, Qt::NoModifier, u"\u001B"_s, u"Escape to answer"_s);
    } else {
        QAbstractButton* button = random.pick(buttons);
        const QPoint centre = button->mapTo(dialog, button->rect().center());
        note(u"click %1 to answer %2"_s.arg(keyboard::nameOf(button), keyboard::nameOf(dialog)));
        click(dialog, centre, Qt::LeftButton, false);
    }
}

void EventSender::clickSomewhere(QWidget* popup, QWidget* dialog)
{
    const QList<QWidget*> windows = visibleWindows();
    if (windows.isEmpty())
        return;
    QWidget* window = random.pick(windows);
    if (popup != nullptr && random.percent(70))
        window = popup;
    else if (dialog != nullptr && random.percent(85))
        window = dialog;
    QPoint at = random.pointIn(window->rect());
    QList<QWidget*> parts;
    for (QWidget* child : window->findChildren<QWidget*>()) {
        if (!child->isWindow() && child->isVisibleTo(window))
            parts << child;
    }
    if (!parts.isEmpty() && random.percent(60)) {
        const QWidget* part = random.pick(parts);
        const QRect area = QRect(part->mapTo(window, QPoint(0, 0)), part->size()) & window->rect();
        if (!area.isEmpty())
            at = random.pointIn(area);
    }
    const int kind = random.below(100);
    const Qt::MouseButton button = kind < 85 ? Qt::LeftButton : Qt::RightButton;
    const bool twice = kind >= 78 && kind < 85;
    // The window manager activates a window clicked, unless a popup or a modal dialog holds the input.
    if (popup == nullptr && dialog == nullptr && window->windowType() != Qt::Popup
        && window != QApplication::activeWindow()) {
        window->activateWindow();
        activated(window);
    }
    QWidget* under = window->childAt(at);
    note(u"%1 %2 at %3,%4 of %5, on %6"_s
             .arg(button == Qt::LeftButton ? u"click"_s : u"right click"_s, twice ? u"twice"_s : u"once"_s)
             .arg(at.x())
             .arg(at.y())
             .arg(keyboard::nameOf(window), keyboard::nameOf(under != nullptr ? under : window)));
    click(window, at, button, twice);
}

// Through the window system, as the platform delivers it: to the widget under the point, unless a popup or a
// modal dialog holds the input. QTest's own functions would run the event loop after each event, and with it
// the next step inside this one.
void EventSender::click(QWidget* window, QPoint at, Qt::MouseButton button, bool twice)
{
    const QPointer<QWindow> target = window->windowHandle();
    if (target == nullptr)
        return;
    const QPointF local(at);
    const QPointF global(target->mapToGlobal(at));
    for (int i = 0; i < (twice ? 2 : 1) && target != nullptr; ++i) {
        // Presses far apart in time, unless they are meant as a double click.
        timestamp += i == 0 ? 1000 : 20;
        qt_handleMouseEvent(target, local, global, button, button, QEvent::MouseButtonPress, Qt::NoModifier, timestamp);
        if (target != nullptr) {
            qt_handleMouseEvent(target, local, global, Qt::NoButton, button, QEvent::MouseButtonRelease, Qt::NoModifier,
                                timestamp + 10);
        }
    }
}

void EventSender::hover()
{
    const QList<QWidget*> windows = visibleWindows();
    if (windows.isEmpty())
        return;
    QWidget* window = random.pick(windows);
    const QPoint at = random.pointIn(window->rect());
    note(u"move the mouse to %1,%2 of %3"_s.arg(at.x()).arg(at.y()).arg(keyboard::nameOf(window)));
    if (QWindow* target = window->windowHandle()) {
        timestamp += 100;
        qt_handleMouseEvent(target, QPointF(at), QPointF(target->mapToGlobal(at)), Qt::NoButton, Qt::NoButton,
                            QEvent::MouseMove, Qt::NoModifier, timestamp);
    }
}

// To the window with the keyboard focus, as the platform delivers it: shortcuts first, then an open popup, then
// the focused widget.
void EventSender::key(int code, Qt::KeyboardModifiers modifiers, const QString& text, const QString& name)
{
    if (!name.isEmpty())
        note(u"%1 to %2"_s.arg(name, focusName()));
    QWindow* window = QGuiApplication::focusWindow();
    if (QWidget* popup = QApplication::activePopupWidget(); window == nullptr && popup != nullptr)
        window = popup->windowHandle();
    const QPointer<QWindow> target = window;
    if (target == nullptr)
        return;
    qt_handleKeyEvent(target, QEvent::KeyPress, code, modifiers, text);
    if (target != nullptr)
        qt_handleKeyEvent(target, QEvent::KeyRelease, code, modifiers, text);
}

void EventSender::pressAccessKey(QWidget* popup)
{
    // In an open menu an item's own letter chooses it; elsewhere Alt goes with the letter.
    if (popup != nullptr && qobject_cast<QMenu*>(popup) != nullptr && random.percent(70)) {
        const QList<QChar> items = accessKeys(popup);
        if (!items.isEmpty()) {
            const QChar letter = random.pick(items);
            key(letter.toUpper().unicode(), Qt::NoModifier, QString(letter), QString(letter.toUpper()));
            return;
        }
    }
    const QList<QChar> shown = accessKeys(QApplication::activeWindow());
    const QChar letter = !shown.isEmpty() && random.percent(50) ? random.pick(shown) : QChar(u'a' + random.below(26));
    key(letter.toUpper().unicode(), Qt::AltModifier, QString(letter), u"Alt+"_s + letter.toUpper());
}

void EventSender::editingKey()
{
    struct Editing {
        int code;
        Qt::KeyboardModifiers modifiers;
        QString text;
        QString name;
    };
    const QList<Editing> keys{
        {Qt::Key_Backspace, Qt::NoModifier, u"\b"_s, u"Backspace"_s},
        {Qt::Key_Delete, Qt::NoModifier, u"\u007F"_s, u"Delete"_s},
        {Qt::Key_Home, Qt::NoModifier, {}, u"Home"_s},
        {Qt::Key_End, Qt::NoModifier, {}, u"End"_s},
        {Qt::Key_A, Qt::ControlModifier, {}, u"Ctrl+A"_s},
        {Qt::Key_Z, Qt::ControlModifier, {}, u"Ctrl+Z"_s},
        {Qt::Key_X, Qt::ControlModifier, {}, u"Ctrl+X"_s},
    };
    const Editing chosen = random.pick(keys);
    key(chosen.code, chosen.modifiers, chosen.text, chosen.name);
}

void EventSender::otherKey()
{
    switch (random.below(4)) {
    case 0: key(Qt::Key_Down, Qt::AltModifier, {}, u"Alt+Down"_s); break;
    case 1: key(Qt::Key_F4, Qt::NoModifier, {}, u"F4"_s); break;
    case 2: key(Qt::Key_Menu, Qt::NoModifier, {}, u"Menu"_s); break;
    default: key(Qt::Key_Alt, Qt::AltModifier, {}, u"Alt"_s); break;
    }
}

// An odd text, sometimes two run together, typed key by key, pasted, or committed by an input method.
void EventSender::typeText()
{
    QString text = random.pick(oddTexts());
    if (random.percent(20))
        text += random.pick(oddTexts());
    const int how = random.below(10);
    if (how < 5) {
        if (random.percent(50))
            key(Qt::Key_A, Qt::ControlModifier, {}, u"Ctrl+A"_s);
        note(u"type %1 into %2"_s.arg(quoted(text), focusName()));
        for (qsizetype i = 0; i < text.size();) {
            const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
            const QString character = text.mid(i, length);
            i += length;
            key(keyFor(character.at(0)), Qt::NoModifier, character, {});
        }
    } else if (how < 8) {
        note(u"paste %1 into %2"_s.arg(quoted(text), focusName()));
        QGuiApplication::clipboard()->setText(text);
        key(Qt::Key_V, Qt::ControlModifier, {}, {});
    } else if (QObject* focus = QGuiApplication::focusObject(); focus != nullptr && !blocked(focus)) {
        QInputMethodQueryEvent query(Qt::ImEnabled);
        QCoreApplication::sendEvent(focus, &query);
        if (!query.value(Qt::ImEnabled).toBool())
            return;
        note(u"input method commits %1 to %2"_s.arg(quoted(text), focusName()));
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QCoreApplication::sendEvent(focus, &commit);
    }
}

// As the window manager does on a click on a title bar or Alt+Tab; only the modal dialog, while one is open.
void EventSender::activateAWindow(QWidget* dialog)
{
    QList<QWidget*> candidates;
    if (dialog != nullptr) {
        candidates << dialog;
    } else {
        for (QWidget* window : visibleWindows()) {
            if (window->windowType() != Qt::Popup)
                candidates << window;
        }
    }
    if (candidates.isEmpty())
        return;
    QWidget* chosen = random.pick(candidates);
    note(u"activate %1"_s.arg(keyboard::nameOf(chosen)));
    chosen->activateWindow();
    activated(chosen);
}

// The title bar's close button: of the modal dialog while one is open, else of any window.
void EventSender::closeAWindow(QWidget* popup, QWidget* dialog)
{
    if (popup != nullptr) {
        key(Qt::Key_Escape, Qt::NoModifier, u"\u001B"_s, u"Escape"_s);
        return;
    }
    QList<QWidget*> candidates;
    if (dialog != nullptr)
        candidates << dialog;
    else
        candidates = visibleWindows();
    if (candidates.isEmpty())
        return;
    QWidget* chosen = random.pick(candidates);
    note(u"close %1 from its title bar"_s.arg(keyboard::nameOf(chosen)));
    chosen->close();
}

}  // namespace randominput
