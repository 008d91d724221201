#include "keyboard_walker.h"

#include "pellan_app.h"
#include "solver_window.h"
#include "window_fonts.h"

#include <QApplication>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

class PellanKeyboardTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { quendrith::setUpFonts(); }
    void init() { app = std::make_unique<pellan::PellanApp>(); }
    void cleanup() { app.reset(); }

    void everyWindow_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("tabChain");
        QTest::newRow("solver") << u"PellanForm"_s
                                << QStringList{u"Light1Box"_s, u"Light2Box"_s, u"Light3Box"_s, u"Light4Box"_s,
                                               u"Light5Box"_s, u"MapButton"_s, u"ExitButton"_s};
        QTest::newRow("about") << u"Form1"_s << QStringList{u"Button1"_s};
        QTest::newRow("map") << u"UnderworldMap"_s << QStringList{u"DoneMap"_s};
        QTest::newRow("help") << u"HelpWindow"_s << QStringList{u"CloseHelp"_s};
    }

    void everyWindow()
    {
        QFETCH(QString, window);
        QFETCH(QStringList, tabChain);
        QWidget* shown = byName(window);
        QVERIFY(keyboard::activate(shown));
        const QStringList faults = keyboard::walkWindow(shown, tabChain);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
    }

    void menusOpenTheirWindows_data()
    {
        QTest::addColumn<char>("menu");
        QTest::addColumn<char>("item");
        QTest::addColumn<QString>("window");
        QTest::newRow("File, View Underworld Map") << 'F' << 'V' << u"UnderworldMap"_s;
        QTest::newRow("Help, Help") << 'H' << 'H' << u"HelpWindow"_s;
        QTest::newRow("Help, About") << 'H' << 'A' << u"Form1"_s;
    }

    // From the keyboard alone: the menu opens a window whose Done button has the focus and closes it on Space.
    void menusOpenTheirWindows()
    {
        QFETCH(char, menu);
        QFETCH(char, item);
        QFETCH(QString, window);
        QVERIFY(keyboard::activate(&app->solverWindow()));
        QTest::keyClick(&app->solverWindow(), static_cast<Qt::Key>(menu), Qt::AltModifier);
        QVERIFY(QTest::qWaitFor([&] { return QApplication::activePopupWidget() != nullptr; }));
        QTest::keyClick(QApplication::activePopupWidget(), static_cast<Qt::Key>(item));
        QWidget* opened = byName(window);
        QVERIFY(QTest::qWaitFor([&] { return opened->isVisible(); }));
        QVERIFY(keyboard::activate(opened));
        QWidget* done = opened->focusWidget();
        QVERIFY(done != nullptr);
        QTest::keyClick(done, Qt::Key_Space);
        QVERIFY(QTest::qWaitFor([&] { return !opened->isVisible(); }));
    }

    void spaceTicksTheFocusedLight()
    {
        QVERIFY(keyboard::activate(&app->solverWindow()));
        auto* box = app->solverWindow().findChild<QWidget*>(u"Light3Box"_s);
        box->setFocus(Qt::TabFocusReason);
        QTest::keyClick(box, Qt::Key_Space);
        QCOMPARE(app->solverWindow().findChild<QWidget*>(u"Light3Status"_s)->property("text").toString(), u"On"_s);
    }

private:
    // The window of that object name; the walk cannot go on without it.
    QWidget* byName(const QString& name) const
    {
        QWidget* window = app->window(name);
        if (window == nullptr)
            qFatal("no window %s", qPrintable(name));
        return window;
    }

    std::unique_ptr<pellan::PellanApp> app;
};

QTEST_MAIN(PellanKeyboardTest)
#include "keyboard_test.moc"
