// What a screen reader meets in the calculator and the info window: every control's role and name, and a school
// picked through the list's interface working as a click on it does. The keyboard walk checks the lists' items.
#include "calculator_window.h"
#include "keyboard_walker.h"
#include "messages.h"
#include "window_fonts.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

QStringList calculatorControls()
{
    const QStringList levels{u"None"_s,       u"Level One"_s,  u"Leven Two"_s, u"Level Three"_s,
                             u"Level Four"_s, u"Level Five"_s, u"Level Six"_s};
    const std::pair<const char*, const char*> groups[]
        = {{"Frame1 Grouping Kraanan", "Kraanan"}, {"Frame2 Grouping Shal'ille", "Shally"},
           {"Frame3 Grouping Faren", "Faren"},     {"Frame9 Grouping Weapon Class", "WC"},
           {"Frame5 Grouping Riija", "Riija"},     {"Frame4 Grouping Qor", "Qor"},
           {"Frame6 Grouping Jala", "Jala"}};
    QStringList controls{u"Form1 Window 196 How many improves for my next level?"_s};
    for (const auto& [frame, options] : groups) {
        controls << QString::fromUtf8(frame);
        for (int i = 0; i < levels.size(); ++i)
            controls << u"%1(%2) RadioButton %3"_s.arg(QString::fromUtf8(options)).arg(i).arg(levels.at(i));
    }
    return controls << u"Label2 StaticText My Intellect is:"_s << u"txtInt EditableText Intellect"_s
                    << u"Command3 Button About"_s
                    << u"Frame7 Grouping There are this many spells in my current level..."_s
                    << u"spells(1) RadioButton One spell\\skill"_s << u"spells(2) RadioButton Two"_s
                    << u"spells(3) RadioButton Three"_s << u"Combo2 ComboBox School to raise"_s
                    << u"Frame8 Grouping And my current percents are..."_s << u"Spell1 EditableText First percentage"_s
                    << u"Spell2 EditableText Second percentage"_s << u"Spell3 EditableText Third percentage"_s
                    << u"Command1 Button enter"_s << u"Label1 StaticText Drastically Further"_s
                    << u"lblTotal StaticText 196"_s << u"Command2 Button Exit"_s
                    << u"Label4 StaticText Tobbleweft sends, \""_s << u"Label3 StaticText <Quarrow>"_s
                    << u"Label5 StaticText \""_s << u"Combo1 ComboBox Strength"_s;
}

}  // namespace

class KorvaneAccessibilityTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        quendrith::setUpFonts();
        quendrith::setMessageResponder([](const quendrith::ShownMessage& message) { QFAIL(qPrintable(message.text)); });
    }
    void cleanup()
    {
        QVERIFY(QTest::qWaitFor([&] { return QApplication::topLevelWidgets().isEmpty(); }));
    }

    void everyControl()
    {
        korvane::CalculatorWindow calculator;
        calculator.show();
        QCOMPARE(keyboard::announced(&calculator), calculatorControls());
        calculator.showInfo();
        QCOMPARE(keyboard::announced(calculator.info()),
                 (QStringList{u"Form2 Window Info..."_s,
                              u"Label1 StaticText You can reach me online at almost any time..."_s,
                              u"Label2 StaticText Wendlecap   - -       MSN"_s,
                              u"Label3 StaticText Wendlecap    - - -     AIM"_s,
                              u"Label4 StaticText wendlecap@example.org"_s, u"Label7 StaticText Hide this window"_s}));
    }

    // "Faren" picked through the list's interface does what a click on it in the open list does, up to the next
    // calculation.
    void pickingFarenIsAClick()
    {
        const auto prepare = [](korvane::CalculatorWindow& calculator) {
            calculator.show();
            QVERIFY(QTest::qWaitForWindowExposed(&calculator));
            // The school to raise decides which other schools count as being at level one.
            calculator.findChild<QLineEdit*>(u"txtInt"_s)->setText(u"10"_s);
            calculator.findChild<QRadioButton*>(u"Faren(1)"_s)->click();
            calculator.findChild<QRadioButton*>(u"Jala(1)"_s)->click();
        };
        korvane::CalculatorWindow clicked;
        prepare(clicked);
        const QString before = clicked.windowTitle();
        auto* clickedBox = clicked.findChild<QComboBox*>(u"Combo2"_s);
        clickedBox->showPopup();
        QAbstractItemView* view = clickedBox->view();
        QVERIFY(QTest::qWaitForWindowExposed(view));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(view->model()->index(2, 0)).center());
        QVERIFY(QTest::qWaitFor([&] { return !view->isVisible(); }));

        korvane::CalculatorWindow picked;
        prepare(picked);
        auto* pickedBox = picked.findChild<QComboBox*>(u"Combo2"_s);
        QAccessibleInterface* faren = QAccessible::queryAccessibleInterface(pickedBox)->child(0)->child(2);
        QCOMPARE(faren->text(QAccessible::Name), u"Faren"_s);
        faren->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QVERIFY(faren->state().selected);
        QCOMPARE(QAccessible::queryAccessibleInterface(pickedBox)->text(QAccessible::Value), u"Faren"_s);

        for (korvane::CalculatorWindow* calculator : {&clicked, &picked}) {
            auto* box = calculator->findChild<QComboBox*>(u"Combo2"_s);
            QCOMPARE(box->currentIndex(), 2);
            QCOMPARE(box->currentText(), u"Faren"_s);
            QCOMPARE(calculator->windowTitle(), before);  // a pick alone calculates nothing
            QTest::mouseClick(calculator->findChild<QPushButton*>(u"Command1"_s), Qt::LeftButton);
        }
        QVERIFY(picked.windowTitle() != before);
        QCOMPARE(picked.windowTitle(), clicked.windowTitle());
    }

    // A screen reader's press or toggle on a level is a click on it: the answer is worked out again at once.
    void optionsPickedByAScreenReaderCount_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("action");
        QTest::newRow("level, toggle") << u"Kraanan(4)"_s << QAccessibleActionInterface::toggleAction();
        QTest::newRow("level, press") << u"Qor(6)"_s << QAccessibleActionInterface::pressAction();
        QTest::newRow("another level, toggle") << u"Jala(3)"_s << QAccessibleActionInterface::toggleAction();
    }
    void optionsPickedByAScreenReaderCount()
    {
        QFETCH(QString, option);
        QFETCH(QString, action);
        korvane::CalculatorWindow clicked;
        korvane::CalculatorWindow picked;
        const QString before = clicked.windowTitle();
        clicked.findChild<QRadioButton*>(option)->click();
        auto* pickedOption = picked.findChild<QRadioButton*>(option);
        QAccessible::queryAccessibleInterface(pickedOption)->actionInterface()->doAction(action);
        QVERIFY(pickedOption->isChecked());
        QVERIFY(clicked.windowTitle() != before);
        QCOMPARE(picked.windowTitle(), clicked.windowTitle());
    }
};

QTEST_MAIN(KorvaneAccessibilityTest)
#include "accessibility_test.moc"
