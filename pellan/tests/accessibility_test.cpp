// What a screen reader meets in the four windows: every control's role and name, and the menus' items with their
// access keys, also once Alt+F has opened the File menu.
#include "keyboard_walker.h"
#include "window_fonts.h"
#include "windows_fixture.h"

#include <QAccessible>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

using namespace Qt::StringLiterals;

class PellanAccessibilityTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { quendrith::setUpFonts(); }
    void cleanup() { QCOMPARE(ownerlessWindows().size(), 0); }

    void everyControl()
    {
        QStringList solver{u"PellanForm Window Brannoc's Pellan 95 - By Ellis Marrow"_s, u"client Client"_s,
                           u"Bevel1 Border"_s, u"Bevel2 Border"_s};
        for (int light = 1; light <= 5; ++light)
            solver << u"Light%1Label StaticText Light %1"_s.arg(light);
        solver << u"Label1 StaticText The Solution is:"_s << u"Image1 Graphic Star of the five lights"_s;
        for (int light = 1; light <= 5; ++light)
            solver << u"Light%1Box CheckBox Light %1"_s.arg(light);
        for (int light = 1; light <= 5; ++light)
            solver << u"Light%1Status EditableText Light %1 status"_s.arg(light);
        solver << u"OutputText EditableText Solution"_s << u"MapButton Button View Underworld Map"_s
               << u"ExitButton Button Exit"_s << u"MainMenu1 MenuBar"_s;
        Windows w;
        const std::pair<QWidget*, QStringList> windows[] = {
            {&w.solver, solver},
            {&w.about,
             {u"Form1 Window About Pellan 95"_s, u"Bevel1 Border"_s, u"Bevel2 Border"_s,
              u"AboutIt EditableText Credits"_s, u"Memo1 EditableText Guild salute"_s, u"Button1 Button Done"_s}},
            {&w.map,
             {u"UnderworldMap Window Underworld Map"_s, u"Image1 Graphic Underworld map"_s, u"DoneMap Button Done"_s}},
            {&w.help,
             {u"HelpWindow Window Help"_s, u"Bevel1 Border"_s, u"Memo1 EditableText Help text"_s,
              u"CloseHelp Button Done"_s}},
        };
        for (const auto& [window, controls] : windows) {
            window->show();
            QCOMPARE(keyboard::announced(window), controls);
        }
    }

    void menusListTheirItems_data()
    {
        QTest::addColumn<int>("title");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("File") << 0 << u"File"_s << u"Alt+F"_s
                              << QStringList{u"View Underworld Map (Alt+V)"_s, u"Exit (Alt+x)"_s};
        QTest::newRow("Help") << 1 << u"Help"_s << u"Alt+H"_s
                              << QStringList{u"Help (Alt+H)"_s, u"About Pellan 95 (Alt+A)"_s};
    }
    void menusListTheirItems()
    {
        QFETCH(int, title);
        QFETCH(QString, name);
        QFETCH(QString, key);
        QFETCH(QStringList, items);
        Windows w;
        w.solver.show();
        QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(w.solver.menuBar());
        QCOMPARE(bar->childCount(), 2);
        QAccessibleInterface* menuTitle = bar->child(title);
        QCOMPARE(menuTitle->role(), QAccessible::MenuItem);
        QCOMPARE(menuTitle->text(QAccessible::Name), name);
        QCOMPARE(menuTitle->text(QAccessible::Accelerator), key);
        QCOMPARE(menuTitle->childCount(), 1);
        QAccessibleInterface* menu = menuTitle->child(0);
        QCOMPARE(menu->role(), QAccessible::PopupMenu);
        QCOMPARE(keyboard::menuItems(qobject_cast<QMenu*>(menu->object())), items);
    }

    // Alt+F opens the File menu with the focus on its first item, which a screen reader reads; Down goes on to the
    // next.
    void altFOpensAMenuWhoseItemsAreRead()
    {
        Windows w;
        QVERIFY(keyboard::activate(&w.solver));
        QTest::keyClick(&w.solver, Qt::Key_F, Qt::AltModifier);
        QVERIFY(QTest::qWaitFor([&] { return QApplication::activePopupWidget() != nullptr; }));
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu != nullptr);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(menu);
        QCOMPARE(accessible->role(), QAccessible::PopupMenu);
        QVERIFY(!accessible->state().invisible);
        QCOMPARE(keyboard::menuItems(menu), (QStringList{u"View Underworld Map (Alt+V)"_s, u"Exit (Alt+x)"_s}));
        const auto focusedItem = [accessible] {
            for (int i = 0; i < accessible->childCount(); ++i) {
                if (accessible->child(i)->state().focused)
                    return accessible->child(i)->text(QAccessible::Name);
            }
            return QString();
        };
        QCOMPARE(focusedItem(), u"View Underworld Map"_s);
        QTest::keyClick(menu, Qt::Key_Down);
        QCOMPARE(focusedItem(), u"Exit"_s);
        QTest::keyClick(menu, Qt::Key_Escape);
        QVERIFY(QTest::qWaitFor([&] { return QApplication::activePopupWidget() == nullptr; }));
    }
};

QTEST_MAIN(PellanAccessibilityTest)
#include "accessibility_test.moc"
