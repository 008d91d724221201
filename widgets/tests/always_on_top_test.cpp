// "Always on Top" in each program's main window, chosen as a user chooses it: with T in the menu of a right click on
// a free spot, or on Windows from the system menu of a real window (the Windows platform).
#include "always_on_top.h"
#include "calculator_window.h"
#include "converter_dialog.h"
#include "map_window.h"
#include "messages.h"
#include "pellan_app.h"
#include "scratch_store.h"
#include "solver_window.h"
#include "window_fonts.h"

#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QWindow>

#ifdef Q_OS_WIN
#include "windows_api.h"
#endif

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

struct Program {
    std::shared_ptr<void> owner;
    QWidget* main;
    std::function<QWidget*()> showFollower;  // a window that follows the main window, shown; null if none
};

Program makeProgram(const QString& name)
{
    if (name == u"pellan"_s) {
        auto app = std::make_shared<pellan::PellanApp>();
        return {app, &app->solverWindow(), [a = app.get()] {
                    a->mapWindow().show();
                    return &a->mapWindow();
                }};
    }
    if (name == u"korvane"_s) {
        auto calculator = std::make_shared<korvane::CalculatorWindow>();
        return {calculator, calculator.get(), [c = calculator.get()] {
                    c->showInfo();
                    return c->info();
                }};
    }
    struct Sorvex {
        sorvex::testing_support::ScratchStore store;
        sorvex::ConverterDialog dialog;
    };
    auto sorvex = std::make_shared<Sorvex>();
    return {sorvex, &sorvex->dialog, [] { return nullptr; }};
}

#ifdef Q_OS_WIN
HWND handle(QWidget* window)
{
    return reinterpret_cast<HWND>(window->winId());
}

bool isAbove(QWidget* window)
{
    return (GetWindowLongPtrW(handle(window), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

// Whether the item was checked before it was chosen; nothing when it is not there.
std::optional<bool> chooseItem(QWidget* window)
{
    const UINT state = GetMenuState(GetSystemMenu(handle(window), FALSE), quendrith::AlwaysOnTop::systemCommand, 0);
    if (state == static_cast<UINT>(-1))
        return std::nullopt;
    SendMessageW(handle(window), WM_SYSCOMMAND, quendrith::AlwaysOnTop::systemCommand, 0);
    return (state & static_cast<UINT>(MF_CHECKED)) != 0;
}
#else
bool isAbove(QWidget* window)
{
    return window->windowHandle() != nullptr && window->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint);
}

std::optional<bool> chooseItem(QWidget* window)
{
    QPoint spot(2, 2);  // on no control, so that the click reaches the window itself
    while (window->childAt(spot) != nullptr && window->childAt(spot)->metaObject() != &QWidget::staticMetaObject)
        spot.ry() += 5;
    QTest::mouseClick(window->windowHandle(), Qt::RightButton, {}, spot);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    const QList<QAction*> items = menu != nullptr ? menu->actions() : QList<QAction*>();
    const auto item
        = std::find_if(items.begin(), items.end(), [](QAction* a) { return a->text() == u"Always on &Top"_s; });
    if (item == items.end())
        return std::nullopt;
    const bool checked = (*item)->isChecked();
    QTest::keyClick(menu, Qt::Key_T);
    return QApplication::activePopupWidget() == nullptr ? std::optional<bool>(checked) : std::nullopt;
}
#endif

}  // namespace

class AlwaysOnTopTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        quendrith::setUpFonts();
        quendrith::setMessageResponder([](const quendrith::ShownMessage&) { });
    }
    void cleanup()
    {
        QVERIFY(QTest::qWaitFor([] { return QApplication::topLevelWidgets().isEmpty(); }));
    }

    void choosingSetsAndClearsTheAboveState_data()
    {
        QTest::addColumn<QString>("program");
        for (const QString& name : {u"pellan"_s, u"sorvex"_s, u"korvane"_s})
            QTest::newRow(qPrintable(name)) << name;
    }
    void choosingSetsAndClearsTheAboveState()
    {
        QFETCH(QString, program);
        const Program made = makeProgram(program);
        QWidget* window = made.main;
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        const Qt::WindowFlags flags = window->windowFlags();
        const QRect place = window->frameGeometry();
        QVERIFY(!isAbove(window));
#ifdef Q_OS_WIN
        // A group of its own after Close (Wine's About item may follow).
        const HMENU menu = GetSystemMenu(handle(window), FALSE);
        int at = 0;
        while (at < GetMenuItemCount(menu) && GetMenuItemID(menu, at) != quendrith::AlwaysOnTop::systemCommand)
            ++at;
        const QList<UINT> around{GetMenuItemID(menu, at - 2), GetMenuItemID(menu, at - 1)};
        QCOMPARE(around, (QList<UINT>{SC_CLOSE, 0}));
        QVERIFY(at + 1 == GetMenuItemCount(menu) || GetMenuItemID(menu, at + 1) == 0);
#endif

        // On, then off: kept where it was, shown all along (not made anew), with its focus and, off, its old flags.
        QWidget* follower = made.showFollower();
#ifdef Q_OS_WIN
        // Wine does not move a window with an owned window open (korvane's info window) into the topmost band.
        if (program == u"korvane"_s && GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version")) {
            follower->close();
            follower = nullptr;
        }
#endif
        for (const bool on : {true, false}) {
            QWidget* const focused = QApplication::focusWidget();
            QCOMPARE(chooseItem(window), std::optional<bool>(!on));
            QVERIFY(QTest::qWaitFor([&] { return isAbove(window) == on; }));
            QCOMPARE(window->windowFlags(), on ? flags | Qt::WindowStaysOnTopHint : flags);
            QVERIFY(window->isVisible());
            QCOMPARE(window->frameGeometry(), place);
            QVERIFY(QTest::qWaitFor([&] { return QApplication::focusWidget() == focused; }));
            if (follower == nullptr)
                continue;
            QVERIFY(QTest::qWaitFor([&] { return isAbove(follower) == on; }));
            if (on) {
                // Closed (korvane's then goes, as the event loop deletes it before the next click) and shown anew.
                follower->close();
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                follower = made.showFollower();
                QVERIFY(QTest::qWaitForWindowExposed(follower));
                QVERIFY(isAbove(follower));
            }
        }
    }
};

QTEST_MAIN(AlwaysOnTopTest)
#include "always_on_top_test.moc"
