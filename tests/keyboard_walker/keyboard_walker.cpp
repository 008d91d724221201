#include "keyboard_walker.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QMetaEnum>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <functional>
#include <utility>

using namespace Qt::StringLiterals;

namespace keyboard {
namespace {

// Polls instead of running an event loop: a program that quits on closing its main window would end any
// nested loop at once, and every later one too.
bool waitFor(const std::function<bool()>& done, int milliseconds = 1000)
{
    for (int waited = 0; !done(); waited += 10) {
        if (waited >= milliseconds)
            return false;
        QTest::qWait(10);
    }
    return true;
}

QString key(QChar letter)
{
    return u"Alt+"_s + letter.toUpper();
}

// Closes any modal dialog or message box that a trigger opens over the window, for as long as it lives.
class ModalCloser {
public:
    explicit ModalCloser(QWidget* window)
    {
        timer.setInterval(20);
        QObject::connect(&timer, &QTimer::timeout, &timer, [window] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal == nullptr || modal == window)
                return;
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
            else
                modal->close();
        });
        timer.start();
    }

private:
    QTimer timer;
};

void closePopups()
{
    while (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
}

QWidget* keyTarget(QWidget* window)
{
    QWidget* focus = QApplication::focusWidget();
    return focus != nullptr && focus->window() == window ? focus : window;
}

bool pressAlt(QWidget* window, QChar letter)
{
    if (!window->isVisible() || !window->isActiveWindow()) {
        if (!activate(window))
            return false;
    }
    const auto code = static_cast<Qt::Key>(letter.toUpper().unicode());
    QTest::keyClick(keyTarget(window), code, Qt::AltModifier);
    return true;
}

QStringList walk(QWidget* start, int limit, Qt::Key step)
{
    QStringList visited{nameOf(start)};
    start->setFocus(Qt::TabFocusReason);
    if (QApplication::focusWidget() != start)
        return {u"(%1 does not take the focus)"_s.arg(nameOf(start))};
    for (int i = 0; i < limit; ++i) {
        QWidget* focus = QApplication::focusWidget();
        if (focus == nullptr)
            return visited << u"(nothing)"_s;
        QTest::keyClick(focus, step);
        focus = QApplication::focusWidget();
        if (focus == start)
            return visited;
        visited << (focus != nullptr ? nameOf(focus) : u"(nothing)"_s);
    }
    return visited << u"(no way back)"_s;
}

bool takesTabFocus(const QWidget* widget, const QWidget* window)
{
    return (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && widget->focusProxy() == nullptr
        && widget->isVisibleTo(window) && widget->isEnabled();
}

QStringList checkButton(QWidget* window, QAbstractButton* button, QChar letter)
{
    QSignalSpy clicked(button, &QAbstractButton::clicked);
    const ModalCloser closer(window);
    if (!pressAlt(window, letter))
        return {u"%1 cannot be shown to press %2"_s.arg(nameOf(window), key(letter))};
    if (!waitFor([&] { return clicked.count() > 0; }))
        return {u"%1 does not click %2"_s.arg(key(letter), nameOf(button))};
    return {};
}

QStringList checkFocusMove(QWidget* window, QWidget* owner, QWidget* target, QChar letter)
{
    window->setFocus(Qt::OtherFocusReason);
    if (!pressAlt(window, letter))
        return {u"%1 cannot be shown to press %2"_s.arg(nameOf(window), key(letter))};
    const auto arrived = [&] {
        QWidget* focus = QApplication::focusWidget();
        return focus != nullptr && (focus == target || target->isAncestorOf(focus));
    };
    if (!waitFor(arrived))
        return {u"%1 of %2 does not move the focus to %3"_s.arg(key(letter), nameOf(owner), nameOf(target))};
    return {};
}

struct Claim {
    QString owner;
    QChar letter;
};

// Reports each key claimed more than once; pressing such a key only cycles between its owners, so the
// presses are checked for the others alone.
QStringList duplicates(const QList<Claim>& claims, const QString& where, const QString& modifier,
                       QList<QChar>& clashing)
{
    QMap<QChar, QStringList> owners;
    for (const Claim& claim : claims)
        owners[claim.letter.toLower()] << claim.owner;
    QStringList faults;
    for (auto it = owners.cbegin(); it != owners.cend(); ++it) {
        if (it.value().size() > 1) {
            clashing << it.key();
            faults << u"%1%2 is claimed by %3 in %4"_s.arg(modifier, it.key().toUpper(), it.value().join(u", "_s),
                                                           where);
        }
    }
    return faults;
}

QList<QAction*> menuItems(const QMenu* menu)
{
    QList<QAction*> items;
    for (QAction* action : menu->actions()) {
        if (!action->isSeparator() && action->isVisible() && action->isEnabled())
            items << action;
    }
    return items;
}

QString actionName(const QAction* action)
{
    return action->objectName().isEmpty() ? action->text() : action->objectName();
}

QAction* itemCaptioned(const QMenu* menu, const QString& caption)
{
    for (QAction* action : menuItems(menu)) {
        if (action->text() == caption)
            return action;
    }
    return nullptr;
}

// Menus made afresh at each opening (a context menu that deletes itself on closing) are read again each time.
QStringList checkItems(QWidget* window, const std::function<QMenu*()>& open, const QString& menuName)
{
    QMenu* menu = open();
    if (menu == nullptr)
        return {u"%1 does not open"_s.arg(menuName)};
    QList<Claim> claims;
    QStringList captions;
    for (const QAction* item : menuItems(menu)) {
        if (const QChar letter = accessKey(item->text()); !letter.isNull()) {
            claims.append({actionName(item), letter});
            captions << item->text();
        }
    }
    closePopups();

    QList<QChar> clashing;
    QStringList faults = duplicates(claims, menuName, QString(), clashing);
    for (const QString& caption : captions) {
        const QChar letter = accessKey(caption);
        if (clashing.contains(letter.toLower()))
            continue;
        const ModalCloser closer(window);
        QMenu* shown = open();
        QAction* item = shown != nullptr ? itemCaptioned(shown, caption) : nullptr;
        if (item == nullptr) {
            faults << u"%1 does not open again with %2"_s.arg(menuName, caption);
            break;
        }
        const QString name = actionName(item);
        QSignalSpy triggered(item, &QAction::triggered);
        QTest::keyClick(shown, static_cast<Qt::Key>(letter.toUpper().unicode()));
        if (!waitFor([&] { return triggered.count() > 0; }))
            faults << u"%1 in %2 does not trigger %3"_s.arg(QString(letter.toUpper()), menuName, name);
        closePopups();
    }
    return faults;
}

QString roleName(QAccessible::Role role)
{
    return QString::fromLatin1(QMetaEnum::fromType<QAccessible::Role>().valueToKey(role));
}

// A combo box's list and its items, which Qt's own interface puts beneath the box.
QStringList unlistedItems(QComboBox* combo, QAccessibleInterface* accessible)
{
    QAccessibleInterface* list = accessible->childCount() > 0 ? accessible->child(0) : nullptr;
    if (list == nullptr || list->role() != QAccessible::List)
        return {u"%1 does not show its list"_s.arg(nameOf(combo))};
    QStringList items;
    for (int i = 0; i < list->childCount(); ++i)
        items << list->child(i)->text(QAccessible::Name);
    QStringList expected;
    for (int i = 0; i < combo->count(); ++i)
        expected << combo->itemText(i);
    if (items != expected)
        return {u"%1 lists \"%2\", not \"%3\""_s.arg(nameOf(combo), items.join(u", "_s), expected.join(u", "_s))};
    return {};
}

// Each menu of the menu bar must lie beneath its title, and show its items.
QStringList unlistedMenus(QWidget* window)
{
    auto* menuBar = window->findChild<QMenuBar*>();
    if (menuBar == nullptr || !menuBar->isVisibleTo(window))
        return {};
    QStringList faults;
    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(menuBar);
    for (int i = 0; i < bar->childCount(); ++i) {
        QAccessibleInterface* title = bar->child(i);
        QMenu* menu = menuBar->actions().value(i) != nullptr ? menuBar->actions().value(i)->menu() : nullptr;
        if (menu == nullptr)
            continue;
        const QString name = title->text(QAccessible::Name);
        QAccessibleInterface* shown = title->childCount() == 1 ? title->child(0) : nullptr;
        if (shown == nullptr || shown->object() != menu || shown->role() != QAccessible::PopupMenu) {
            faults << u"menu %1 is not announced as a menu beneath its title"_s.arg(name);
            continue;
        }
        QStringList expected;
        for (const QAction* action : menu->actions()) {
            if (!action->isSeparator() && action->isVisible())
                expected << QString(action->text()).remove(u'&');
        }
        QStringList items;
        for (int j = 0; j < shown->childCount(); ++j) {
            if (shown->child(j)->role() != QAccessible::Separator)
                items << shown->child(j)->text(QAccessible::Name);
        }
        if (items != expected)
            faults << u"menu %1 lists \"%2\", not \"%3\""_s.arg(name, items.join(u", "_s), expected.join(u", "_s));
    }
    return faults;
}

}  // namespace

QString nameOf(const QWidget* widget)
{
    if (widget == nullptr)
        return u"(none)"_s;
    return widget->objectName().isEmpty() ? QString::fromLatin1(widget->metaObject()->className())
                                          : widget->objectName();
}

bool activate(QWidget* window)
{
    window->show();
    window->raise();
    window->activateWindow();
    // Not qWaitForWindowActive: with Qt 6.8 it also holds while the dialog's parent is still the active window.
    return QTest::qWaitFor([window] { return QApplication::activeWindow() == window; });
}

QChar accessKey(const QString& caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption.at(i) != u'&')
            continue;
        if (caption.at(i + 1) != u'&')
            return caption.at(i + 1);
        ++i;
    }
    return {};
}

QStringList unnamedControls(QWidget* window)
{
    QStringList unnamed;
    const QList<QWidget*> widgets = window->findChildren<QWidget*>();
    for (QWidget* widget : widgets) {
        if (widget->focusPolicy() == Qt::NoFocus || widget->focusProxy() != nullptr || !widget->isVisibleTo(window))
            continue;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        if (accessible == nullptr || accessible->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << nameOf(widget);
    }
    return unnamed;
}

QStringList tabChain(QWidget* start, int limit)
{
    return walk(start, limit, Qt::Key_Tab);
}

QStringList backtabChain(QWidget* start, int limit)
{
    return walk(start, limit, Qt::Key_Backtab);
}

QStringList checkTabChain(QWidget* window, const QStringList& expected)
{
    QStringList faults;
    QStringList reachable;
    for (const QString& name : expected) {
        const QList<QWidget*> found = window->findChildren<QWidget*>(name);
        if (found.size() != 1)
            faults << u"%1 controls are named %2"_s.arg(found.size()).arg(name);
        else if (found.front()->isVisibleTo(window) && found.front()->isEnabled())
            reachable << name;
    }
    if (!faults.isEmpty())
        return faults;
    if (!activate(window))
        return {u"%1 does not become the active window"_s.arg(nameOf(window))};

    if (reachable.isEmpty()) {
        for (QWidget* widget : window->findChildren<QWidget*>()) {
            if (takesTabFocus(widget, window))
                faults << u"Tab reaches %1"_s.arg(nameOf(widget));
        }
        return faults;
    }

    QWidget* start = window->findChild<QWidget*>(reachable.front());
    const QStringList forward = tabChain(start);
    if (forward != reachable)
        faults << u"Tab goes %1, not %2"_s.arg(forward.join(u' '), reachable.join(u' '));
    QStringList backward{reachable.front()};
    for (qsizetype i = reachable.size() - 1; i > 0; --i)
        backward << reachable.at(i);
    const QStringList back = backtabChain(start);
    if (back != backward)
        faults << u"Shift+Tab goes %1, not %2"_s.arg(back.join(u' '), backward.join(u' '));
    return faults;
}

QStringList checkAccessKeys(QWidget* window)
{
    if (!activate(window))
        return {u"%1 does not become the active window"_s.arg(nameOf(window))};

    QList<Claim> claims;
    QList<std::pair<QChar, std::function<QStringList()>>> checks;
    QStringList faults;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(window) || !widget->isEnabled())
            continue;
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            if (const QChar letter = accessKey(button->text()); !letter.isNull()) {
                claims.append({nameOf(button), letter});
                checks.append({letter, [=] { return checkButton(window, button, letter); }});
            }
        } else if (auto* label = qobject_cast<QLabel*>(widget)) {
            const QChar letter = accessKey(label->text());
            if (letter.isNull() || label->textFormat() == Qt::RichText)
                continue;
            if (label->buddy() == nullptr) {
                faults << u"%1 shows an access key but has no control to move to"_s.arg(nameOf(label));
                continue;
            }
            claims.append({nameOf(label), letter});
            QWidget* buddy = label->buddy();
            checks.append({letter, [=] { return checkFocusMove(window, label, buddy, letter); }});
        } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
            if (const QChar letter = accessKey(group->title()); !letter.isNull()) {
                claims.append({nameOf(group), letter});
                checks.append({letter, [=] { return checkFocusMove(window, group, group, letter); }});
            }
        }
    }

    auto* menuBar = window->findChild<QMenuBar*>();
    if (menuBar != nullptr && menuBar->isVisibleTo(window)) {
        for (QAction* title : menuBar->actions()) {
            QMenu* menu = title->menu();
            const QChar letter = accessKey(title->text());
            if (menu == nullptr || letter.isNull() || !title->isVisible() || !title->isEnabled())
                continue;
            claims.append({actionName(title), letter});
            const QPointer<QMenu> guarded(menu);
            const auto open = [=]() -> QMenu* {
                closePopups();
                if (!pressAlt(window, letter))
                    return nullptr;
                if (!waitFor([&] { return guarded && QApplication::activePopupWidget() == guarded; }))
                    return nullptr;
                return guarded;
            };
            const QString name = actionName(title);
            checks.append({letter, [=] { return checkItems(window, open, u"menu %1 (%2)"_s.arg(name, key(letter))); }});
        }
    }

    QList<QChar> clashing;
    faults << duplicates(claims, nameOf(window), u"Alt+"_s, clashing);
    for (const auto& [letter, check] : checks) {
        if (!clashing.contains(letter.toLower()))
            faults << check();
    }
    closePopups();
    return faults;
}

QStringList checkMenuAccessKeys(QWidget* window, const std::function<QMenu*()>& open, const QString& menuName)
{
    if (!activate(window))
        return {u"%1 does not become the active window"_s.arg(nameOf(window))};
    QStringList faults = checkItems(window, open, menuName);
    closePopups();
    return faults;
}

QStringList misannounced(QWidget* window)
{
    QStringList faults;
    const auto roleOf = [](QWidget* widget) {
        const QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        return accessible != nullptr ? accessible->role() : QAccessible::NoRole;
    };
    const auto wrongRole = [&](QWidget* widget, QAccessible::Role role, const QString& expected) {
        faults << u"%1 is announced with role %2, not as %3"_s.arg(nameOf(widget)).arg(role).arg(expected);
    };
    if (const QAccessible::Role role = roleOf(window); role != QAccessible::Window && role != QAccessible::Dialog)
        wrongRole(window, role, u"a window"_s);

    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(window))
            continue;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        if (accessible == nullptr)
            continue;
        const QAccessible::Role role = accessible->role();
        if (qobject_cast<QRadioButton*>(widget) != nullptr && role != QAccessible::RadioButton)
            wrongRole(widget, role, u"a radio button"_s);
        if (qobject_cast<QCheckBox*>(widget) != nullptr && role != QAccessible::CheckBox)
            wrongRole(widget, role, u"a check box"_s);
        if (auto* button = qobject_cast<QAbstractButton*>(widget); button != nullptr && button->isCheckable()) {
            if (accessible->state().checked != button->isChecked())
                faults << u"%1 is announced as %2checked"_s.arg(nameOf(widget),
                                                                button->isChecked() ? u"not "_s : QString());
        }
        const QAccessible::State state = accessible->state();
        if (state.readOnly && state.editable)
            faults << u"%1 is announced as editable and read only"_s.arg(nameOf(widget));
        if (auto* combo = qobject_cast<QComboBox*>(widget); combo != nullptr && !combo->accessibleName().isEmpty()) {
            if (accessible->text(QAccessible::Name) != combo->accessibleName())
                faults << u"%1 is announced as \"%2\", not by its name"_s.arg(nameOf(widget),
                                                                              accessible->text(QAccessible::Name));
            if (accessible->text(QAccessible::Value) != combo->currentText())
                faults << u"%1 does not give its current text as its value"_s.arg(nameOf(widget));
        }
        if (auto* combo = qobject_cast<QComboBox*>(widget))
            faults << unlistedItems(combo, accessible);
    }
    return faults << unlistedMenus(window);
}

QStringList announced(QWidget* window)
{
    QStringList controls;
    const auto add = [&controls](QWidget* widget) {
        const QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        const QString role = accessible != nullptr ? roleName(accessible->role()) : u"(none)"_s;
        const QString name = accessible != nullptr ? accessible->text(QAccessible::Name) : QString();
        controls << u"%1 %2 %3"_s.arg(widget->objectName(), role, name).trimmed();
    };
    add(window);
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (!widget->objectName().isEmpty() && !widget->objectName().startsWith(u"qt_"_s) && !widget->isWindow())
            add(widget);
    }
    return controls;
}

QStringList menuItems(QMenu* menu)
{
    QStringList items;
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(menu);
    for (int i = 0; i < accessible->childCount(); ++i) {
        const QAccessibleInterface* item = accessible->child(i);
        if (item->role() == QAccessible::Separator)
            continue;
        const QString key = item->text(QAccessible::Accelerator);
        items << (key.isEmpty() ? item->text(QAccessible::Name) : u"%1 (%2)"_s.arg(item->text(QAccessible::Name), key));
    }
    return items;
}

QStringList checkEnterPressesButtons(QWidget* window)
{
    QStringList faults;
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        QString name;
    } presses[]
        = {{Qt::Key_Return, Qt::NoModifier, u"Enter"_s}, {Qt::Key_Enter, Qt::KeypadModifier, u"Keypad Enter"_s}};
    for (QPushButton* button : window->findChildren<QPushButton*>()) {
        if (!takesTabFocus(button, window))
            continue;
        for (const auto& press : presses) {
            if (!activate(window))
                return faults << u"%1 does not become the active window"_s.arg(nameOf(window));
            button->setFocus(Qt::TabFocusReason);
            if (QApplication::focusWidget() != button) {
                faults << u"%1 does not take the focus"_s.arg(nameOf(button));
                break;
            }
            QSignalSpy clicked(button, &QAbstractButton::clicked);
            const ModalCloser closer(window);
            QTest::keyClick(button, press.key, press.modifiers);
            if (!waitFor([&] { return clicked.count() > 0; }))
                faults << u"%1 on %2 does not click it"_s.arg(press.name, nameOf(button));
            else if (clicked.count() > 1)
                faults << u"%1 on %2 clicks it %3 times"_s.arg(press.name, nameOf(button)).arg(clicked.count());
        }
    }
    return faults;
}

QStringList walkWindow(QWidget* window, const QStringList& expected)
{
    QStringList faults;
    const QStringList unnamed = unnamedControls(window);
    if (!unnamed.isEmpty())
        faults << u"without a name: "_s + unnamed.join(u", "_s);
    faults << misannounced(window) << checkTabChain(window, expected) << checkAccessKeys(window)
           << checkEnterPressesButtons(window);
    return faults;
}

}  // namespace keyboard
