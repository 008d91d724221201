// Walks a window the way a keyboard user and a screen reader meet it: which controls take the focus,
// what they are called, where Tab goes, and whether every access key in a caption does its job.
// Each function returns the faults it found, one line each; an empty list means none.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QMenu;
class QWidget;

namespace keyboard {

// The object name, or the class name of a control that has none.
QString nameOf(const QWidget* widget);

// Shows the window and makes it the active one, so that shortcuts and Tab reach it.
bool activate(QWidget* window);

// Every control that can take the focus and has neither a visible caption nor an accessible name.
QStringList unnamedControls(QWidget* window);

// The controls Tab visits from `start` until it comes back to it (at most `limit` steps), `start` first.
QStringList tabChain(QWidget* start, int limit = 200);
// The same with Shift+Tab.
QStringList backtabChain(QWidget* start, int limit = 200);

// Compares both directions of the walk from the first enabled control of `expected` with `expected`;
// controls of `expected` that are disabled or hidden are left out of it, as Tab skips them.
QStringList checkTabChain(QWidget* window, const QStringList& expected);

// Presses Alt plus the access key of every visible, enabled control of the window and of every menu of its
// menu bar, and then the access key of each item in each menu. A key must be unique where it is pressed, a
// button's must click it, a label's or group's must move the focus into its control, a menu title's must
// open its menu and an item's must trigger it. Modal dialogs a trigger opens are closed again.
QStringList checkAccessKeys(QWidget* window);

// The access keys of the items of a menu that `open` shows and returns (a context menu, say): each must be
// unique in the menu and pressing it while the menu is open must trigger its item.
QStringList checkMenuAccessKeys(QWidget* window, const std::function<QMenu*()>& open, const QString& menuName);

// What a screen reader is told that is not so: a window not announced as a window or dialog, a radio button
// or check box announced as something else, a read-only box that claims to be editable, a combo box named by
// its current text rather than by its accessible name; and what it is not told: a combo box's list and its
// items, a menu's items.
QStringList misannounced(QWidget* window);

// The window and each of its controls that has an object name, as a screen reader meets them:
// "objectName Role name", in the order of the window's children. Qt's own parts of controls are left out.
QStringList announced(QWidget* window);

// Each item of a menu as a screen reader meets it: "name (access key)", or "name" where it has no key.
QStringList menuItems(QMenu* menu);

// Enter and the keypad Enter on each push button that takes the focus must click it.
QStringList checkEnterPressesButtons(QWidget* window);

// All the walks of a window: unnamed and misannounced controls, the Tab chain against `expected`, the
// access keys, and Enter on the buttons.
QStringList walkWindow(QWidget* window, const QStringList& expected);

// The letter after the single '&' of a caption, or a null QChar when it has none ("&&" is a plain '&').
QChar accessKey(const QString& caption);

}  // namespace keyboard
