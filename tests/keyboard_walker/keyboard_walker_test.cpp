// The walker against small windows with known faults, so that a walk that passes means something.
#include "keyboard_walker.h"

#include <QAccessibleWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

template <typename Widget> Widget* add(QWidget* parent, const QString& name, const QString& text = {})
{
    auto* widget = new Widget(parent);
    widget->setObjectName(name);
    if constexpr (requires { widget->setText(text); })
        widget->setText(text);
    return widget;
}

// Interfaces that hide what Qt's own show beneath a combo box and a menu: the list and the items.
QAccessibleInterface* hidingFactory(const QString& className, QObject* object)
{
    if (className == u"QComboBox"_s)
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::ComboBox);
    if (className == u"QMenu"_s)
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    return nullptr;
}

}  // namespace

class WalkerTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void accessKeyOfACaption_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("key");
        QTest::newRow("first letter") << u"&File"_s << u"F"_s;
        QTest::newRow("inside") << u"E&xit"_s << u"x"_s;
        QTest::newRow("escaped ampersand only") << u"Salt && Pepper"_s << QString();
        QTest::newRow("after an escaped one") << u"A && &B"_s << u"B"_s;
        QTest::newRow("trailing") << u"Done&"_s << QString();
        QTest::newRow("none") << u"Calculate"_s << QString();
    }

    void accessKeyOfACaption()
    {
        QFETCH(QString, caption);
        QFETCH(QString, key);
        const QChar found = keyboard::accessKey(caption);
        QCOMPARE(found.isNull() ? QString() : QString(found), key);
    }

    void controlsWithoutANameAreFound()
    {
        QWidget window;
        add<QPushButton>(&window, u"captioned"_s, u"Go"_s);
        add<QCheckBox>(&window, u"bare"_s);
        add<QCheckBox>(&window, u"named"_s)->setAccessibleName(u"Named box"_s);
        add<QLineEdit>(&window, u"unlabelled"_s);
        auto* labelled = add<QLineEdit>(&window, u"labelled"_s);
        add<QLabel>(&window, u"label"_s, u"&Name"_s)->setBuddy(labelled);
        auto* hidden = add<QCheckBox>(&window, u"notFocusable"_s);
        hidden->setFocusPolicy(Qt::NoFocus);
        window.show();
        QCOMPARE(keyboard::unnamedControls(&window), (QStringList{u"bare"_s, u"unlabelled"_s}));
    }

    // Qt's own interfaces, without the programs' corrections: each of these is announced wrongly.
    void misannouncedControlsAreFound()
    {
        QWidget window;
        add<QRadioButton>(&window, u"grouped"_s, u"One"_s);
        auto* loose = add<QRadioButton>(&window, u"loose"_s, u"Two"_s);
        loose->setAutoExclusive(false);
        add<QLineEdit>(&window, u"typed"_s);
        add<QLineEdit>(&window, u"shown"_s)->setReadOnly(true);
        auto* combo = add<QComboBox>(&window, u"choice"_s);
        combo->setEditable(true);
        combo->addItem(u"First"_s);
        combo->setAccessibleName(u"Choice"_s);
        window.show();
        const QStringList faults = keyboard::misannounced(&window);
        // Qt names a combo box by its text only where it speaks to AT-SPI; elsewhere by its name.
#if defined(Q_OS_UNIX)
        QCOMPARE(faults.size(), 4);
        QCOMPARE(faults.at(3), u"choice is announced as \"First\", not by its name"_s);
#else
        QCOMPARE(faults.size(), 3);
#endif
        QVERIFY2(faults.at(0).startsWith(u"QWidget is announced with role"_s), qPrintable(faults.at(0)));
        QVERIFY2(faults.at(1).startsWith(u"loose is announced with role"_s), qPrintable(faults.at(1)));
        QCOMPARE(faults.at(2), u"shown is announced as editable and read only"_s);

        QMainWindow main;
        main.setCentralWidget(new QCheckBox(u"Box"_s));
        main.show();
        QCOMPARE(keyboard::misannounced(&main), QStringList{});
    }

    // With Qt's own interfaces, then with interfaces that hide the list and the items.
    void hiddenListsAndMenuItemsAreFound()
    {
        const auto walk = [] {
            QMainWindow window;
            QMenu* file = window.menuBar()->addMenu(u"&File"_s);
            file->addAction(u"&Open"_s);
            file->addSeparator();
            file->addAction(u"E&xit"_s);
            auto* combo = add<QComboBox>(&window, u"choice"_s);
            combo->addItems({u"One"_s, u"Two"_s});
            window.setCentralWidget(combo);
            window.show();
            return keyboard::misannounced(&window) << keyboard::menuItems(file);
        };
        QCOMPARE(walk(), (QStringList{u"Open (Alt+O)"_s, u"Exit (Alt+x)"_s}));
        QAccessible::installFactory(hidingFactory);
        const QStringList hidden = walk();
        QAccessible::removeFactory(hidingFactory);
        QCOMPARE(hidden,
                 (QStringList{u"choice does not show its list"_s,
                              u"menu File is not announced as a menu beneath its title"_s}));
    }

    void enterThatDoesNotPressIsFound()
    {
        QWidget window;
        add<QPushButton>(&window, u"plain"_s, u"Go"_s);
        add<QPushButton>(&window, u"autoDefault"_s, u"Run"_s)->setAutoDefault(true);
        add<QPushButton>(&window, u"unfocusable"_s, u"Off"_s)->setFocusPolicy(Qt::NoFocus);
        QCOMPARE(keyboard::checkEnterPressesButtons(&window),
                 (QStringList{u"Enter on plain does not click it"_s, u"Keypad Enter on plain does not click it"_s}));

        // In a dialog every push button is an auto-default one.
        QDialog dialog;
        add<QPushButton>(&dialog, u"ok"_s, u"OK"_s);
        add<QPushButton>(&dialog, u"cancel"_s, u"Cancel"_s);
        QCOMPARE(keyboard::checkEnterPressesButtons(&dialog), QStringList{});
    }

    void tabChainMismatchesAreFound_data()
    {
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<bool>("faulty");
        QTest::newRow("as built") << QStringList{u"a"_s, u"c"_s, u"b"_s} << false;
        QTest::newRow("disabled control left out") << QStringList{u"a"_s, u"c"_s, u"off"_s, u"b"_s} << false;
        QTest::newRow("other order") << QStringList{u"a"_s, u"b"_s, u"c"_s} << true;
        QTest::newRow("one missing") << QStringList{u"a"_s, u"c"_s} << true;
        QTest::newRow("unknown control") << QStringList{u"a"_s, u"c"_s, u"b"_s, u"z"_s} << true;
        QTest::newRow("nothing expected") << QStringList{} << true;
    }

    void tabChainMismatchesAreFound()
    {
        QFETCH(QStringList, expected);
        QFETCH(bool, faulty);
        QWidget window;
        auto* a = add<QPushButton>(&window, u"a"_s, u"A"_s);
        auto* b = add<QPushButton>(&window, u"b"_s, u"B"_s);
        auto* c = add<QPushButton>(&window, u"c"_s, u"C"_s);
        auto* off = add<QPushButton>(&window, u"off"_s, u"Off"_s);
        off->setEnabled(false);
        QWidget::setTabOrder(a, c);
        QWidget::setTabOrder(c, off);
        QWidget::setTabOrder(off, b);
        const QStringList faults = keyboard::checkTabChain(&window, expected);
        QVERIFY2(faults.isEmpty() != faulty, qPrintable(faults.join(u'\n')));
    }

    void accessKeyFaultsAreFound_data()
    {
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QString>("fault");
        QTest::newRow("distinct keys that work")
            << QStringList{u"&Go"_s, u"&Stop"_s, u"label:&Name"_s} << QStringList{u"&New"_s, u"E&xit"_s} << QString();
        QTest::newRow("two buttons, one key")
            << QStringList{u"&Go"_s, u"&Get"_s} << QStringList{} << u"Alt+G is claimed by button0, button1"_s;
        QTest::newRow("button and menu, one key")
            << QStringList{u"&File it"_s} << QStringList{u"&New"_s} << u"Alt+F is claimed by button0, &File"_s;
        QTest::newRow("two items, one key")
            << QStringList{} << QStringList{u"&New"_s, u"&Next"_s} << u"N is claimed by &New, &Next"_s;
        QTest::newRow("label without a control")
            << QStringList{u"label:&Name"_s} << QStringList{} << u"label0 shows an access key"_s;
    }

    void accessKeyFaultsAreFound()
    {
        QFETCH(QStringList, captions);
        QFETCH(QStringList, items);
        QFETCH(QString, fault);
        QMainWindow window;
        auto* client = new QWidget(&window);
        window.setCentralWidget(client);
        int row = 0;
        QWidget* previous = nullptr;
        for (const QString& caption : captions) {
            QWidget* control = nullptr;
            if (caption.startsWith(u"label:"_s)) {
                auto* label = add<QLabel>(client, u"label%1"_s.arg(row), caption.mid(6));
                if (fault.isEmpty())
                    label->setBuddy(previous);
                control = label;
            } else {
                control = add<QPushButton>(client, u"button%1"_s.arg(row), caption);
            }
            control->setGeometry(10, 10 + 30 * row++, 120, 25);
            previous = control;
        }
        if (!items.isEmpty()) {
            QMenu* menu = window.menuBar()->addMenu(u"&File"_s);
            for (const QString& item : items)
                menu->addAction(item);
        }
        const QStringList found = keyboard::checkAccessKeys(&window);
        if (fault.isEmpty())
            QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));
        else
            QVERIFY2(found.size() == 1 && found.front().startsWith(fault), qPrintable(found.join(u'\n')));
    }
};

QTEST_MAIN(WalkerTest)
#include "keyboard_walker_test.moc"
