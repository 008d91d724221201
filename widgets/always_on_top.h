// "Always on Top" for a program's main window: one checkable item, off at every start and never stored, that keeps
// the window, and the windows that follow it, above other windows. On Windows the item sits in the window's system
// menu, in a group of its own after Close; where the window manager owns that menu, in the window's context menu.
#pragma once

#include <QObject>

#include <functional>

class QAction;
class QMenu;
class QWidget;

namespace quendrith {

// Sets or clears the window's stay-on-top hint for the window system without re-creating its native window.
void setStaysOnTop(QWidget& window, bool on);

class AlwaysOnTop : public QObject {
    Q_OBJECT
public:
    // The item's command in the system menu: below the system's own commands, its low four bits clear.
    static constexpr unsigned systemCommand = 0x0020;

    // Owned by `window`.
    explicit AlwaysOnTop(QWidget& window);

    [[nodiscard]] bool isOn() const;

    // `follower` takes the window's choice now and at every change, for as long as it lives.
    void addFollower(QWidget& follower);

    // The window's context menu holding the item, made at its first use, with the window's own groups below it
    // from addGroups, and kept: a menu deleted as it closes takes its items with it, and Qt 6.8 triggers an item
    // chosen by its access key only after the menu has closed.
    QMenu* contextMenu(const std::function<void(QMenu&)>& addGroups = {});

#ifdef Q_OS_WIN
    // For the window's nativeEvent: answers the item's system command. The system menu sends it to the window
    // procedure, which application-wide native event filters do not see.
    bool handleSystemCommand(const QByteArray& eventType, void* message, qintptr* result);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
#endif

private:
    void apply(bool on);
#ifdef Q_OS_WIN
    void addToSystemMenu();
#endif

    QWidget& window;
    QAction* item = nullptr;
    QMenu* clientAreaMenu = nullptr;
};

}  // namespace quendrith
