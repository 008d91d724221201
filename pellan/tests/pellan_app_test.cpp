// The program's windows together: the solver window opens the other three, and its close ends the program.
#include "window_fonts.h"
#include "windows_fixture.h"

#include <QTimer>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// Counts the events that would bring a window to the front again.
class RaiseWatcher : public QObject {
public:
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        const auto type = event->type();
        if (type == QEvent::Show || type == QEvent::ZOrderChange || type == QEvent::WindowActivate)
            ++count;
        return false;
    }
};

}  // namespace

class PellanAppTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void windowsInStartUpOrder();
    void startShowsTheSolverWindowAlone();
    void secondaryShowAndHide_data();
    void secondaryShowAndHide();
    void shownAgainIsNotRaised();
    void aboutOpensWithDoneFocused();
    void lightsWorkWithMapOpen();
    void exitClosesMain_data();
    void exitClosesMain();
    void closingMainEndsTheProgram();
};

void PellanAppTest::initTestCase()
{
    quendrith::setUpFonts();
}

void PellanAppTest::cleanup()
{
    QCOMPARE(ownerlessWindows().size(), 0);
}

void PellanAppTest::secondaryShowAndHide_data()
{
    QTest::addColumn<QString>("trigger");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("done");
    QTest::newRow("map button") << u"MapButton"_s << u"UnderworldMap"_s << u"DoneMap"_s;
    QTest::newRow("map menu") << u"ViewUnderworldMap1"_s << u"UnderworldMap"_s << u"DoneMap"_s;
    QTest::newRow("help menu") << u"Help2"_s << u"HelpWindow"_s << u"CloseHelp"_s;
    QTest::newRow("about menu") << u"About1"_s << u"Form1"_s << u"Button1"_s;
}

void PellanAppTest::secondaryShowAndHide()
{
    QFETCH(QString, trigger);
    QFETCH(QString, window);
    QFETCH(QString, done);
    Windows w;
    w.solver.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.solver));
    QWidget* secondary = w.window(window);
    const auto open = [&] {
        if (auto* button = w.solver.findChild<QPushButton*>(trigger))
            QTest::mouseClick(button, Qt::LeftButton);
        else
            w.action(trigger)->trigger();
    };

    open();
    QVERIFY(secondary->isVisible());
    QCOMPARE(secondary->pos(), w.window(window)->pos());
    QTest::mouseClick(w.button(secondary, done), Qt::LeftButton);
    QVERIFY(!secondary->isVisible());
    QVERIFY(w.solver.isVisible());

    open();
    QVERIFY(secondary->isVisible());
    QVERIFY(secondary->close());
    QVERIFY(!secondary->isVisible());
    QVERIFY(w.solver.isVisible());

    // All three can be open beside the solver window.
    w.solver.findChild<QPushButton*>(u"MapButton"_s)->click();
    w.action(u"Help2"_s)->trigger();
    w.action(u"About1"_s)->trigger();
    QVERIFY(w.map.isVisible() && w.help.isVisible() && w.about.isVisible());
    QCOMPARE(w.map.pos(), QPoint(258, 102));
    QCOMPARE(w.help.pos(), QPoint(219, 194));
    QCOMPARE(w.about.pos(), QPoint(262, 140));
}

void PellanAppTest::shownAgainIsNotRaised()
{
    Windows w;
    w.solver.show();
    w.action(u"ViewUnderworldMap1"_s)->trigger();
    w.action(u"Help2"_s)->trigger();
    w.action(u"About1"_s)->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(&w.about));
    QCoreApplication::processEvents();
    RaiseWatcher watcher;
    for (QWidget* secondary :
         {static_cast<QWidget*>(&w.map), static_cast<QWidget*>(&w.help), static_cast<QWidget*>(&w.about)})
        secondary->installEventFilter(&watcher);
    w.solver.findChild<QPushButton*>(u"MapButton"_s)->click();
    w.action(u"ViewUnderworldMap1"_s)->trigger();
    w.action(u"Help2"_s)->trigger();
    w.action(u"About1"_s)->trigger();
    QCoreApplication::processEvents();
    QCOMPARE(watcher.count, 0);
    QVERIFY(w.map.isVisible() && w.help.isVisible() && w.about.isVisible());
}

void PellanAppTest::aboutOpensWithDoneFocused()
{
    Windows w;
    w.solver.show();
    w.action(u"About1"_s)->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(&w.about));
    QCOMPARE(w.about.focusWidget(), w.button(&w.about, u"Button1"_s));
    for (const QString& memo : {u"AboutIt"_s, u"Memo1"_s})
        QCOMPARE(w.about.findChild<QWidget*>(memo)->focusPolicy(), Qt::NoFocus);
    QCOMPARE(w.help.findChild<QWidget*>(u"Memo1"_s)->focusPolicy(), Qt::NoFocus);
}

void PellanAppTest::lightsWorkWithMapOpen()
{
    Windows w;
    w.solver.show();
    QTest::mouseClick(w.solver.findChild<QPushButton*>(u"MapButton"_s), Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowExposed(&w.map));
    QTest::mouseClick(w.box(2), Qt::LeftButton);
    QCOMPARE(w.output(), u"5, 4."_s);
    QVERIFY(w.map.isVisible());
}

void PellanAppTest::exitClosesMain_data()
{
    QTest::addColumn<QString>("trigger");
    QTest::newRow("button") << u"ExitButton"_s;
    QTest::newRow("menu") << u"Exit1"_s;
}

void PellanAppTest::exitClosesMain()
{
    QFETCH(QString, trigger);
    Windows w;
    w.solver.show();
    w.action(u"Help2"_s)->trigger();
    if (auto* button = w.solver.findChild<QPushButton*>(trigger))
        QTest::mouseClick(button, Qt::LeftButton);
    else
        w.action(trigger)->trigger();
    QVERIFY(!w.solver.isVisible());
    QVERIFY(!w.help.isVisible());
}

void PellanAppTest::closingMainEndsTheProgram()
{
    // With every secondary window showing, the title bar's close still ends the loop.
    Windows w;
    w.solver.show();
    w.action(u"ViewUnderworldMap1"_s)->trigger();
    w.action(u"Help2"_s)->trigger();
    w.action(u"About1"_s)->trigger();
    QTimer::singleShot(0, &w.solver, &QWidget::close);
    QTimer::singleShot(5000, &w.solver, [] { QCoreApplication::exit(7); });
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(!w.solver.isVisible());
    QVERIFY(!w.map.isVisible() && !w.help.isVisible() && !w.about.isVisible());
}

void PellanAppTest::windowsInStartUpOrder()
{
    Windows w;
    QStringList names;
    for (QWidget* window : w.app.windows()) {
        names << window->objectName();
        QVERIFY(!window->isVisible());
    }
    QCOMPARE(names, (QStringList{u"PellanForm"_s, u"Form1"_s, u"UnderworldMap"_s, u"HelpWindow"_s}));
    QCOMPARE(w.window(u"Form1"_s), static_cast<QWidget*>(&w.about));
    QVERIFY(w.window(u"Image1"_s) == nullptr);
}

void PellanAppTest::startShowsTheSolverWindowAlone()
{
    const auto program = pellan::PellanApp::start();
    const QList<QWidget*> windows = program->windows();
    QCOMPARE(windows.size(), 4);
    QVERIFY(windows.front()->isVisible());
    for (QWidget* hidden : windows.mid(1))
        QVERIFY2(!hidden->isVisible(), qPrintable(hidden->objectName()));
    QVERIFY(!QApplication::windowIcon().isNull());
    QTimer::singleShot(0, windows.front(), &QWidget::close);
    QCOMPARE(QCoreApplication::exec(), 0);
}

QTEST_MAIN(PellanAppTest)
#include "pellan_app_test.moc"
