#include "always_on_top.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QWidget>
#include <QWindow>

#ifdef Q_OS_WIN
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>
#endif

using namespace Qt::StringLiterals;

namespace quendrith {

void setStaysOnTop(QWidget& window, bool on)
{
    // setWindowFlags would re-create a shown window's native window, which vanishes, comes back and loses the
    // focus. The widget learns its flags unseen, and the window system only the hint's change: the window manager's
    // above state on X11, HWND_TOPMOST on Windows, with place, size and focus kept.
    Qt::WindowFlags flags = window.windowFlags();
    window.overrideWindowFlags(flags.setFlag(Qt::WindowStaysOnTopHint, on));
    if (QWindow* handle = window.windowHandle()) {
        Qt::WindowFlags shown = handle->flags();
        handle->setFlags(shown.setFlag(Qt::WindowStaysOnTopHint, on));
    }
}

AlwaysOnTop::AlwaysOnTop(QWidget& mainWindow) : QObject(&mainWindow), window(mainWindow)
{
    item = new QAction(u"Always on &Top"_s, this);
    item->setObjectName(u"alwaysOnTop"_s);
    item->setCheckable(true);
    connect(item, &QAction::toggled, this, &AlwaysOnTop::apply);
#ifdef Q_OS_WIN
    window.installEventFilter(this);
#endif
}

bool AlwaysOnTop::isOn() const
{
    return item->isChecked();
}

void AlwaysOnTop::addFollower(QWidget& follower)
{
    setStaysOnTop(follower, isOn());
    connect(item, &QAction::toggled, &follower, [&follower](bool on) { setStaysOnTop(follower, on); });
}

QMenu* AlwaysOnTop::contextMenu(const std::function<void(QMenu&)>& addGroups)
{
    if (clientAreaMenu == nullptr) {
        clientAreaMenu = new QMenu(&window);
        clientAreaMenu->addAction(item);
        if (addGroups)
            addGroups(*clientAreaMenu);
    }
    return clientAreaMenu;
}

void AlwaysOnTop::apply(bool on)
{
    setStaysOnTop(window, on);
#ifdef Q_OS_WIN
    if (const WId id = window.internalWinId()) {
        if (HMENU menu = GetSystemMenu(reinterpret_cast<HWND>(id), FALSE))
            CheckMenuItem(menu, systemCommand, static_cast<UINT>(MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED)));
    }
#endif
}

#ifdef Q_OS_WIN
bool AlwaysOnTop::eventFilter(QObject* watched, QEvent* event)
{
    // At every showing: a native window made anew comes with the system's own menu.
    if (watched == &window && event->type() == QEvent::Show)
        addToSystemMenu();
    return QObject::eventFilter(watched, event);
}

void AlwaysOnTop::addToSystemMenu()
{
    HMENU menu = GetSystemMenu(reinterpret_cast<HWND>(window.winId()), FALSE);
    if (menu == nullptr || GetMenuState(menu, systemCommand, static_cast<UINT>(MF_BYCOMMAND)) != static_cast<UINT>(-1))
        return;
    // Right after Close, so that the group stands above whatever the program appends, now or before.
    const int count = GetMenuItemCount(menu);
    UINT position = count < 0 ? 0 : static_cast<UINT>(count);
    for (int i = 0; i < count; ++i) {
        if (GetMenuItemID(menu, i) == SC_CLOSE) {
            position = static_cast<UINT>(i) + 1;
            break;
        }
    }
    const std::wstring text = item->text().toStdWString();
    InsertMenuW(menu, position, static_cast<UINT>(MF_BYPOSITION | MF_SEPARATOR), 0, nullptr);
    InsertMenuW(menu, position + 1, static_cast<UINT>(MF_BYPOSITION | MF_STRING | (isOn() ? MF_CHECKED : MF_UNCHECKED)),
                static_cast<UINT_PTR>(systemCommand), text.c_str());
}

bool AlwaysOnTop::handleSystemCommand(const QByteArray& eventType, void* message, qintptr* result)
{
    if (eventType != "windows_generic_MSG")
        return false;
    const MSG* msg = static_cast<const MSG*>(message);
    const WId id = window.internalWinId();
    if (id == 0 || msg->hwnd != reinterpret_cast<HWND>(id) || msg->message != WM_SYSCOMMAND
        || (msg->wParam & 0xFFF0u) != static_cast<WPARAM>(systemCommand))
        return false;
    item->trigger();
    *result = 0;
    return true;
}
#endif

}  // namespace quendrith
