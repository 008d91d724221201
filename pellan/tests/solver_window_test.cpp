// The solver window's own behaviour: the lights, their states and the answer, the keyboard, and what it asks
// of the program.
#include "window_fonts.h"
#include "windows_fixture.h"

#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;

class SolverWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void startState();
    void clickingLights_data();
    void clickingLights();
    void spaceBarTogglesLikeAClick();
    void tabVisitsOnlyTheControls();
    void readOnlyBoxesIgnoreTyping();
    void requestsGoOut_data();
    void requestsGoOut();
};

void SolverWindowTest::initTestCase()
{
    quendrith::setUpFonts();
}

void SolverWindowTest::cleanup()
{
    QCOMPARE(ownerlessWindows().size(), 0);
}

void SolverWindowTest::startState()
{
    Windows w;
    w.solver.show();
    for (int light = 1; light <= 5; ++light) {
        QVERIFY(!w.box(light)->isChecked());
        QCOMPARE(w.status(light)->text(), u"Off"_s);
    }
    QCOMPARE(w.output(), u"4, 3, 1, 3, 5, 3, 2."_s);
    QVERIFY(w.solver.isVisible());
    QVERIFY(!w.about.isVisible());
    QVERIFY(!w.map.isVisible());
    QVERIFY(!w.help.isVisible());
}

void SolverWindowTest::clickingLights_data()
{
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<QString>("statuses");
    QTest::addColumn<QString>("answer");
    QTest::newRow("light 1") << QList<int>{1} << u"On Off Off Off Off"_s << u"4, 3."_s;
    QTest::newRow("light 1 twice") << QList<int>{1, 1} << u"Off Off Off Off Off"_s << u"4, 3, 1, 3, 5, 3, 2."_s;
    QTest::newRow("split pair 2, 5") << QList<int>{5, 2} << u"Off On Off Off On"_s << u"1."_s;
    QTest::newRow("split three 1, 3, 4") << QList<int>{4, 1, 3} << u"On Off On On Off"_s << u"5, 3, 5, 2, 5, 4."_s;
    QTest::newRow("all five") << QList<int>{1, 2, 3, 4, 5} << u"On On On On On"_s << u"The puzzle is solved."_s;
    QTest::newRow("all five, then 3 off")
        << QList<int>{1, 2, 3, 4, 5, 3} << u"On On Off On On"_s << u"3, 5, 2, 5, 4."_s;
    QTest::newRow("all five, then 5 off")
        << QList<int>{5, 4, 3, 2, 1, 5} << u"On On On On Off"_s << u"5, 2, 4, 2, 1."_s;
}

void SolverWindowTest::clickingLights()
{
    QFETCH(QList<int>, clicks);
    QFETCH(QString, statuses);
    QFETCH(QString, answer);
    Windows w;
    w.solver.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.solver));
    for (const int light : clicks)
        QTest::mouseClick(w.box(light), Qt::LeftButton);
    QStringList shown;
    for (int light = 1; light <= 5; ++light)
        shown << w.status(light)->text();
    QCOMPARE(shown.join(u' '), statuses);
    QCOMPARE(w.output(), answer);
}

void SolverWindowTest::spaceBarTogglesLikeAClick()
{
    Windows w;
    w.solver.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.solver));
    w.box(3)->setFocus();
    QTest::keyClick(w.box(3), Qt::Key_Space);
    QVERIFY(w.box(3)->isChecked());
    QCOMPARE(w.status(3)->text(), u"On"_s);
    QCOMPARE(w.output(), u"1, 5."_s);
    QTest::mouseClick(w.box(4), Qt::LeftButton);
    QCOMPARE(w.output(), u"1, 4, 3."_s);
    QTest::keyClick(w.box(3), Qt::Key_Space);
    QCOMPARE(w.status(3)->text(), u"Off"_s);
    QCOMPARE(w.output(), u"2, 1."_s);
}

void SolverWindowTest::tabVisitsOnlyTheControls()
{
    Windows w;
    w.solver.show();
    w.solver.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w.solver));
    w.box(1)->setFocus(Qt::TabFocusReason);
    const QStringList expected{u"Light2Box"_s, u"Light3Box"_s,  u"Light4Box"_s, u"Light5Box"_s,
                               u"MapButton"_s, u"ExitButton"_s, u"Light1Box"_s};
    QStringList visited;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, expected);
    for (QLineEdit* edit : w.solver.findChildren<QLineEdit*>())
        QCOMPARE(edit->focusPolicy(), Qt::NoFocus);
}

void SolverWindowTest::readOnlyBoxesIgnoreTyping()
{
    Windows w;
    w.solver.show();
    for (QLineEdit* edit : w.solver.findChildren<QLineEdit*>()) {
        const QString before = edit->text();
        QTest::keyClicks(edit, u"12"_s);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->text(), before);
        QVERIFY(edit->isReadOnly());
    }
}

void SolverWindowTest::requestsGoOut_data()
{
    QTest::addColumn<QString>("trigger");
    QTest::addColumn<int>("request");
    QTest::newRow("map button") << u"MapButton"_s << 0;
    QTest::newRow("map menu") << u"ViewUnderworldMap1"_s << 0;
    QTest::newRow("help menu") << u"Help2"_s << 1;
    QTest::newRow("about menu") << u"About1"_s << 2;
    QTest::newRow("exit button") << u"ExitButton"_s << 3;
    QTest::newRow("exit menu") << u"Exit1"_s << 3;
}

void SolverWindowTest::requestsGoOut()
{
    QFETCH(QString, trigger);
    QFETCH(int, request);
    // On its own, with nobody to open the other windows: each trigger asks once, and for one thing only.
    pellan::SolverWindow solver;
    solver.show();
    QVERIFY(QTest::qWaitForWindowExposed(&solver));
    QSignalSpy map(&solver, &pellan::SolverWindow::mapRequested);
    QSignalSpy help(&solver, &pellan::SolverWindow::helpRequested);
    QSignalSpy about(&solver, &pellan::SolverWindow::aboutRequested);
    QSignalSpy closing(&solver, &pellan::SolverWindow::closing);
    if (auto* button = solver.findChild<QPushButton*>(trigger))
        QTest::mouseClick(button, Qt::LeftButton);
    else
        solver.findChild<QAction*>(trigger)->trigger();
    QList<qsizetype> expected(4, 0);
    expected[request] = 1;
    QCOMPARE((QList<qsizetype>{map.count(), help.count(), about.count(), closing.count()}), expected);
    QCOMPARE(solver.isVisible(), request != 3);
}

QTEST_MAIN(SolverWindowTest)
#include "solver_window_test.moc"
