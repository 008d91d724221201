#include "keyboard_walker.h"

#include "calculator_window.h"
#include "messages.h"
#include "window_fonts.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// The calculator's controls by tab index; the frames and labels take no focus. Tab stops once in each option group,
// at its selected button: a group is written as its array name and stands for that button.
const QStringList calculatorTabOrder{u"Kraanan"_s, u"Shally"_s,   u"Faren"_s,  u"Qor"_s,      u"Riija"_s,    u"Jala"_s,
                                     u"spells"_s,  u"Spell1"_s,   u"Spell2"_s, u"Spell3"_s,   u"Command1"_s, u"WC"_s,
                                     u"txtInt"_s,  u"Command2"_s, u"Combo1"_s, u"Command3"_s, u"Combo2"_s};

QStringList resolveGroups(const QWidget& form, const QStringList& order)
{
    QStringList chain;
    for (const QString& entry : order) {
        if (form.findChild<QWidget*>(entry) != nullptr) {
            chain << entry;
            continue;
        }
        QStringList checked;
        for (const QRadioButton* option : form.findChildren<QRadioButton*>()) {
            if (option->objectName().startsWith(entry + u'(') && option->isChecked())
                checked << option->objectName();
        }
        chain << (checked.size() == 1 ? checked.front() : u"(%1 checked in %2)"_s.arg(checked.size()).arg(entry));
    }
    return chain;
}

}  // namespace

class KorvaneKeyboardTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        quendrith::setUpFonts();
        quendrith::setMessageResponder([](const quendrith::ShownMessage&) { });
    }
    void init() { calculator = std::make_unique<korvane::CalculatorWindow>(); }
    void cleanup() { calculator.reset(); }

    void everyWindow_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("spells");
        QTest::addColumn<QStringList>("levels");
        QTest::addColumn<QStringList>("tabOrder");
        QTest::newRow("calculator") << u"Form1"_s << 3 << QStringList{} << calculatorTabOrder;
        // The disabled percentage boxes drop out of the chain.
        QTest::newRow("calculator, one spell") << u"Form1"_s << 1 << QStringList{} << calculatorTabOrder;
        QTest::newRow("calculator, levels chosen")
            << u"Form1"_s << 2 << QStringList{u"Shally(3)"_s, u"WC(6)"_s, u"Jala(1)"_s} << calculatorTabOrder;
        QTest::newRow("info") << u"Form2"_s << 3 << QStringList{} << QStringList{};
    }

    void everyWindow()
    {
        QFETCH(QString, window);
        QFETCH(int, spells);
        QFETCH(QStringList, levels);
        QFETCH(QStringList, tabOrder);
        calculator->show();
        calculator->findChild<QRadioButton*>(u"spells(%1)"_s.arg(spells))->click();
        for (const QString& level : levels)
            calculator->findChild<QRadioButton*>(level)->click();
        QWidget* shown = calculator.get();
        if (window == u"Form2"_s) {
            calculator->showInfo();
            shown = calculator->info();
        }
        QVERIFY(keyboard::activate(shown));
        const QStringList faults = keyboard::walkWindow(shown, resolveGroups(*shown, tabOrder));
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
    }

    // Down from the selected level selects the next one and recalculates, as a click does.
    void arrowsChooseALevel()
    {
        const auto prepare = [](korvane::CalculatorWindow& form) {
            form.findChild<QComboBox*>(u"Combo2"_s)->setEditText(u"Faren"_s);
            form.findChild<QRadioButton*>(u"Faren(3)"_s)->click();
        };
        korvane::CalculatorWindow clicked;
        prepare(clicked);
        clicked.findChild<QRadioButton*>(u"Faren(4)"_s)->click();

        prepare(*calculator);
        QVERIFY(calculator->windowTitle() != clicked.windowTitle());
        QVERIFY(keyboard::activate(calculator.get()));
        auto* levelThree = calculator->findChild<QRadioButton*>(u"Faren(3)"_s);
        levelThree->setFocus(Qt::TabFocusReason);
        QTest::keyClick(levelThree, Qt::Key_Down);
        auto* levelFour = calculator->findChild<QRadioButton*>(u"Faren(4)"_s);
        QCOMPARE(QApplication::focusWidget(), levelFour);
        QVERIFY(levelFour->isChecked());
        QCOMPARE(calculator->windowTitle(), clicked.windowTitle());
    }

    void enterInABoxRecalculates()
    {
        QVERIFY(keyboard::activate(calculator.get()));
        auto* intellect = calculator->findChild<QLineEdit*>(u"txtInt"_s);
        intellect->setFocus(Qt::TabFocusReason);
        intellect->selectAll();
        QTest::keyClicks(intellect, u"60"_s);
        const QString before = calculator->windowTitle();
        QTest::keyClick(intellect, Qt::Key_Return);
        QVERIFY(calculator->windowTitle() != before);
    }

    void escapeHidesTheInfoWindow()
    {
        calculator->show();
        QVERIFY(keyboard::activate(calculator.get()));
        auto* about = calculator->findChild<QPushButton*>(u"Command3"_s);
        about->setFocus(Qt::TabFocusReason);
        QTest::keyClick(about, Qt::Key_Space);
        QVERIFY(QTest::qWaitFor([&] { return calculator->info() != nullptr && calculator->info()->isVisible(); }));
        QVERIFY(keyboard::activate(calculator->info()));
        QTest::keyClick(calculator->info(), Qt::Key_Escape);
        QVERIFY(!calculator->info()->isVisible());
    }

private:
    std::unique_ptr<korvane::CalculatorWindow> calculator;
};

QTEST_MAIN(KorvaneKeyboardTest)
#include "keyboard_test.moc"
