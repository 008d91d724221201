#include "calculator_window.h"
#include "korvane_app.h"
#include "messages.h"
#include "window_fonts.h"

#include <QComboBox>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <vector>

using namespace Qt::StringLiterals;

using namespace korvane;
using namespace quendrith;

namespace {

const QString questionText = u" How many improves for my next level?"_s;

}  // namespace

class CalculatorWindowTest : public QObject {
    Q_OBJECT

private:
    std::vector<ShownMessage> shown;
    CalculatorWindow* calculator = nullptr;

    template <typename T> T* child(const QString& name) const
    {
        T* found = calculator->findChild<T*>(name);
        if (!found) {
            qFatal("no control %s", qPrintable(name));
        }
        return found;
    }
    QLineEdit* box(const QString& name) const { return child<QLineEdit>(name); }
    QString total() const { return child<QLabel>(u"lblTotal"_s)->text(); }
    QString verdict() const { return child<QLabel>(u"Label1"_s)->text(); }

    void type(QLineEdit* into, const QString& text)
    {
        into->setFocus();
        into->selectAll();
        QTest::keyClick(into, Qt::Key_Delete);
        QTest::keyClicks(into, text);
    }
    void click(QAbstractButton* button)
    {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
    void option(const QString& name) { click(child<QRadioButton>(name)); }

private Q_SLOTS:
    void initTestCase()
    {
        setUpFonts();
        setMessageResponder([this](const ShownMessage& message) {
            shown.push_back(message);
            return QMessageBox::Ok;
        });
    }
    void init()
    {
        shown.clear();
        calculator = new CalculatorWindow;
        calculator->show();
        QVERIFY(QTest::qWaitForWindowExposed(calculator));
    }
    void cleanup()
    {
        delete calculator;
        calculator = nullptr;
    }

    // Every font is asked for by a family that is installed, so that no look-up falls back to searching.
    void fontsNameInstalledFamilies()
    {
        QList<QWidget*> widgets = calculator->findChildren<QWidget*>();
        widgets.append(calculator);
        for (const QWidget* widget : widgets) {
            const QFont font = widget->font();
            QVERIFY2(QFontDatabase::hasFamily(font.family()), qPrintable(widget->objectName()));
            QCOMPARE(QFontInfo(font).family(), font.family());
        }
    }

    void startUpShowsTheFirstCalculation()
    {
        QCOMPARE(total(), u"196"_s);
        QCOMPARE(calculator->windowTitle(), u"196"_s + questionText);
        QCOMPARE(verdict(), u"Drastically Further"_s);
        QCOMPARE(box(u"txtInt"_s)->text(), u"1"_s);
        QVERIFY(child<QRadioButton>(u"spells(3)"_s)->isChecked());
        QCOMPARE(child<QComboBox>(u"Combo2"_s)->currentText(), u"Select School"_s);
        QVERIFY(shown.empty());
        QVERIFY(calculator->info() == nullptr);
    }

    void startShowsTheCalculatorAndClosingItEnds()
    {
        const auto program = KorvaneApp::start();
        CalculatorWindow& started = program->calculatorWindow();
        QVERIFY(started.isVisible());
        QCOMPARE(started.windowTitle(), u"196"_s + questionText);
        QTimer::singleShot(0, &started, &QWidget::close);
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(!started.isVisible());
    }

    void layoutFollowsTheTable_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        // twips / 15
        QTest::newRow("txtInt") << u"txtInt"_s << QRect(100, 5, 41, 23);
        QTest::newRow("Command3") << u"Command3"_s << QRect(290, 177, 76, 26);
        QTest::newRow("Frame7") << u"Frame7"_s << QRect(8, 272, 235, 71);
        QTest::newRow("Combo2") << u"Combo2"_s << QRect(256, 280, 97, 21);
        QTest::newRow("Spell2") << u"Spell2"_s << QRect(50, 22, 29, 21);
        QTest::newRow("Command1") << u"Command1"_s << QRect(121, 23, 33, 19);
        QTest::newRow("lblTotal") << u"lblTotal"_s << QRect(178, 369, 95, 36);
        QTest::newRow("Command2") << u"Command2"_s << QRect(318, 404, 55, 20);
        QTest::newRow("Combo1") << u"Combo1"_s << QRect(190, 403, 117, 21);
        QTest::newRow("Frame9") << u"Frame9"_s << QRect(284, 35, 85, 112);
        QTest::newRow("Jala(6)") << u"Jala(6)"_s << QRect(2, 93, 80, 15);
    }
    void layoutFollowsTheTable()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QCOMPARE(child<QWidget>(name)->geometry(), geometry);
    }

    void formAndDecorations()
    {
        QCOMPARE(calculator->size(), QSize(380, 430));
        QVERIFY(calculator->windowFlags() & Qt::WindowMaximizeButtonHint);
        QVERIFY(calculator->windowFlags() & Qt::WindowMinimizeButtonHint);
        const auto* combo2 = child<QComboBox>(u"Combo2"_s);
        QVERIFY(combo2->isEditable());
        QCOMPARE(combo2->count(), 7);
        QCOMPARE(combo2->itemText(1), u"Shal'ille"_s);
        QCOMPARE(combo2->itemText(3), u"Weapon Class"_s);
        const auto* combo1 = child<QComboBox>(u"Combo1"_s);
        QVERIFY(!combo1->isEditable());
        QCOMPARE(combo1->count(), 11);
        QCOMPARE(combo1->currentIndex(), -1);
        QCOMPARE(combo1->itemText(10), u"11 - Enormous"_s);
        QCOMPARE(child<QLabel>(u"Label4"_s)->text(), u"Tobbleweft sends, \""_s);
        QCOMPARE(child<QLabel>(u"Label5"_s)->text(), u"\""_s);
        const auto* label3 = child<QLabel>(u"Label3"_s);
        QCOMPARE(label3->text(), u"<Quarrow>"_s);
        QVERIFY(label3->font().bold() && label3->font().italic());
        QCOMPARE(label3->palette().color(QPalette::WindowText), QColor(0, 128, 0));
        QCOMPARE(child<QLabel>(u"lblTotal"_s)->font().pixelSize(), 32);
        QCOMPARE(child<QRadioButton>(u"Shally(2)"_s)->text(), u"Leven Two"_s);
        QCOMPARE(child<QRadioButton>(u"spells(1)"_s)->text(), u"One spell\\skill"_s);
        QCOMPARE(child<QGroupBox>(u"Frame2"_s)->title(), u"Shal'ille"_s);
        for (const char* name : {"txtInt", "Spell1", "Spell2", "Spell3", "Combo1", "Combo2"}) {
            QVERIFY2(!child<QWidget>(QString::fromLatin1(name))->accessibleName().isEmpty(), name);
        }
    }

    void bothFormsCarryTheirIcons()
    {
        QVERIFY(!calculator->windowIcon().availableSizes().isEmpty());
        calculator->showInfo();
        QVERIFY(!calculator->info()->windowIcon().availableSizes().isEmpty());
        QVERIFY(calculator->info()->windowIcon().cacheKey() != calculator->windowIcon().cacheKey());
    }

    void tabOrderFollowsTheIndexes()
    {
        // Shal'ille runs backwards, then "Three" comes before "Two", and Exit follows the intellect.
        QCOMPARE(child<QWidget>(u"Kraanan(6)"_s)->nextInFocusChain(), child<QWidget>(u"Shally(6)"_s));
        QCOMPARE(child<QWidget>(u"spells(1)"_s)->nextInFocusChain(), child<QWidget>(u"spells(3)"_s));
        QCOMPARE(child<QWidget>(u"Command1"_s)->nextInFocusChain(), child<QWidget>(u"WC(6)"_s));
        QCOMPARE(child<QWidget>(u"txtInt"_s)->nextInFocusChain(), child<QWidget>(u"Command2"_s));
    }

    void workedExamplesThroughRealInput_data()
    {
        QTest::addColumn<QString>("intellect");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("school");
        QTest::addColumn<int>("spells");
        QTest::addColumn<QStringList>("percents");
        QTest::addColumn<QString>("boxAfter");
        QTest::addColumn<QString>("total");
        QTest::addColumn<QString>("verdict");
        QTest::newRow("mid intellect") << u"27"_s << QStringList{u"Kraanan(3)"_s, u"Faren(2)"_s} << u"Kraanan"_s << 3
                                       << QStringList{u"40"_s, u"35"_s, u"30"_s} << u"27"_s << u"66"_s
                                       << u"Significantly Further"_s;
        QTest::newRow("two spells tie") << u"12"_s << QStringList{} << u"Kraanan"_s << 2
                                        << QStringList{u"50"_s, u"33"_s} << u"12"_s << u"71"_s
                                        << u"Significantly Further"_s;
        QTest::newRow("level one above 75")
            << u"45"_s << QStringList{u"Jala(2)"_s, u"Kraanan(1)"_s, u"Shally(1)"_s} << u"Jala"_s << 1
            << QStringList{u"30"_s} << u"45"_s << u"11"_s << u"Little Further"_s;
        QTest::newRow("floor then rule") << u"52"_s << QStringList{u"Riija(2)"_s, u"Qor(1)"_s, u"Jala(1)"_s}
                                         << u"Riija"_s << 3 << QStringList{u"20"_s, u"20"_s, u"20"_s} << u"50"_s
                                         << u"27"_s << u"Further"_s;
        QTest::newRow("six at level one")
            << u"10"_s
            << QStringList{u"Kraanan(1)"_s, u"Shally(1)"_s, u"Faren(1)"_s, u"WC(1)"_s, u"Riija(1)"_s, u"Jala(1)"_s}
            << u"Qor"_s << 3 << QStringList{u"10"_s, u"10"_s, u"10"_s} << u"10"_s << u"141"_s
            << u"Drastically Further"_s;
        QTest::newRow("typed lower case")
            << u"10"_s << QStringList{u"Qor(1)"_s, u"Jala(1)"_s} << u"qor"_s << 3
            << QStringList{u"10"_s, u"10"_s, u"10"_s} << u"10"_s << u"141"_s << u"Drastically Further"_s;
        QTest::newRow("typed exactly") << u"10"_s << QStringList{u"Qor(1)"_s, u"Jala(1)"_s} << u"Qor"_s << 3
                                       << QStringList{u"10"_s, u"10"_s, u"10"_s} << u"10"_s << u"148"_s
                                       << u"Drastically Further"_s;
        QTest::newRow("intellect 0") << u"0"_s << QStringList{} << u"Faren"_s << 3
                                     << QStringList{u"0"_s, u"0"_s, u"0"_s} << u"0"_s << u"199"_s
                                     << u"Drastically Further"_s;
        QTest::newRow("intellect -3") << u"-3"_s << QStringList{} << u"Faren"_s << 3
                                      << QStringList{u"0"_s, u"0"_s, u"0"_s} << u"1"_s << u"199"_s
                                      << u"Drastically Further"_s;
        QTest::newRow("above 50") << u"75"_s << QStringList{u"WC(6)"_s} << u"Weapon Class"_s << 3
                                  << QStringList{u"90"_s, u"90"_s, u"90"_s} << u"50"_s << u"-141"_s
                                  << u"Congratulations!"_s;
    }
    void workedExamplesThroughRealInput()
    {
        QFETCH(QString, intellect);
        QFETCH(QStringList, options);
        QFETCH(QString, school);
        QFETCH(int, spells);
        QFETCH(QStringList, percents);
        QFETCH(QString, boxAfter);
        QFETCH(QString, total);
        QFETCH(QString, verdict);

        option(u"spells(%1)"_s.arg(spells));
        for (const QString& name : options) {
            option(name);
        }
        auto* combo2 = child<QComboBox>(u"Combo2"_s);
        combo2->lineEdit()->selectAll();
        QTest::keyClicks(combo2->lineEdit(), school);
        type(box(u"txtInt"_s), intellect);
        for (int i = 0; i < percents.size(); ++i) {
            type(box(u"Spell%1"_s.arg(i + 1)), percents.at(i));
        }
        QTest::keyClick(box(u"Spell1"_s), Qt::Key_Return);

        QVERIFY(shown.empty());
        QCOMPARE(box(u"txtInt"_s)->text(), boxAfter);
        QCOMPARE(this->total(), total);
        QCOMPARE(calculator->windowTitle(), total + questionText);
        QCOMPARE(this->verdict(), verdict);
    }

    void eachTriggerRecalculatesAndNothingElse_data()
    {
        QTest::addColumn<QString>("trigger");
        const std::pair<const char*, QString> triggers[] = {
            {"Enter in txtInt", u"txtInt"_s},        {"Enter in Spell1", u"Spell1"_s}, {"Enter in Spell2", u"Spell2"_s},
            {"keypad Enter in Spell3", u"Spell3"_s}, {"enter button", u"Command1"_s},  {"level option", u"Faren(0)"_s},
        };
        for (const auto& [row, trigger] : triggers)
            QTest::newRow(row) << trigger;
    }
    void eachTriggerRecalculatesAndNothingElse()
    {
        QFETCH(QString, trigger);
        type(box(u"Spell3"_s), u"50"_s);
        auto* combo2 = child<QComboBox>(u"Combo2"_s);
        combo2->setCurrentIndex(0);
        QTest::keyClick(child<QComboBox>(u"Combo1"_s), Qt::Key_Down);
        QCOMPARE(total(), u"196"_s);  // typing and choosing alone change nothing

        if (trigger == u"Command1"_s) {
            click(child<QPushButton>(trigger));
        } else if (trigger.contains(u'(')) {
            option(trigger);
        } else {
            QLineEdit* target = box(trigger);
            target->setFocus();
            QTest::keyClick(target, trigger == u"Spell3"_s ? Qt::Key_Enter : Qt::Key_Return);
            QCOMPARE(target->text(), trigger == u"Spell3"_s ? u"50"_s : u"1"_s);
        }
        QCOMPARE(total(), u"147"_s);
        QCOMPARE(box(u"Spell3"_s)->text(), u"50"_s);
    }

    void spellCountOptionsSetTheBoxes_data()
    {
        QTest::addColumn<bool>("inTheMiddle");
        QTest::newRow("clicked on the caption") << false;
        // "Two" is far wider than its caption.
        QTest::newRow("clicked in the middle of the box") << true;
    }
    void spellCountOptionsSetTheBoxes()
    {
        QFETCH(bool, inTheMiddle);
        const auto option = [this, inTheMiddle](const QString& name) {
            auto* picked = child<QRadioButton>(name);
            const QPoint at = inTheMiddle ? picked->rect().center() : QPoint(6, picked->height() / 2);
            QTest::mouseClick(calculator->windowHandle(), Qt::LeftButton, {}, picked->mapTo(calculator, at));
        };
        auto* spell2 = box(u"Spell2"_s);
        auto* spell3 = box(u"Spell3"_s);
        type(box(u"Spell1"_s), u"30"_s);
        type(spell2, u"44"_s);
        option(u"spells(1)"_s);
        QVERIFY(!spell2->isEnabled() && !spell3->isEnabled());
        QCOMPARE(spell2->text(), u"X"_s);
        QCOMPARE(spell3->text(), u"X"_s);
        QCOMPARE(total(), u"109"_s);  // the X boxes are not read
        QVERIFY(shown.empty());

        option(u"spells(2)"_s);
        QVERIFY(child<QRadioButton>(u"spells(2)"_s)->isChecked());
        QVERIFY(spell2->isEnabled() && !spell3->isEnabled());
        QCOMPARE(spell2->text(), u"1"_s);
        QCOMPARE(spell3->text(), u"X"_s);
        QCOMPARE(total(), u"167"_s);  // 199 - (30 + 1.5, 31.5 rounded to the even 32)

        type(spell2, u"44"_s);
        option(u"spells(3)"_s);
        QVERIFY(spell2->isEnabled() && spell3->isEnabled());
        QCOMPARE(spell2->text(), u"1"_s);
        QCOMPARE(spell3->text(), u"1"_s);
        QCOMPARE(box(u"Spell1"_s)->text(), u"30"_s);
        QCOMPARE(total(), u"167"_s);
    }

    void errorsAreReportedAndTheProgramGoesOn_data()
    {
        QTest::addColumn<int>("spells");
        QTest::addColumn<QString>("intellect");
        QTest::addColumn<QStringList>("percents");
        QTest::addColumn<QString>("expectedText");
        QTest::addColumn<QString>("boxAfter");
        const QStringList ones{u"1"_s, u"1"_s, u"1"_s};
        QTest::newRow("intellect text") << 3 << u"abc"_s << ones
                                        << u"The intellect box holds \"abc\", which is not a number."_s << u"abc"_s;
        QTest::newRow("intellect empty") << 3 << QString() << ones << u"The intellect box is empty."_s << QString();
        QTest::newRow("intellect range") << 3 << u"40000"_s << ones
                                         << u"The intellect box holds \"40000\", which is outside"_s << u"40000"_s;
        QTest::newRow("Spell1 after clamp")
            << 3 << u"75"_s << QStringList{u"1e2"_s, u"1"_s, u"1"_s}
            << u"The first percentage box holds \"1e2\", which is not a number."_s << u"50"_s;
        QTest::newRow("Spell2 empty") << 3 << u"1"_s << QStringList{u"1"_s, QString(), u"1"_s}
                                      << u"The second percentage box is empty."_s << u"1"_s;
        QTest::newRow("Spell3 range") << 3 << u"1"_s << QStringList{u"1"_s, u"1"_s, u"-32769"_s}
                                      << u"The third percentage box holds \"-32769\", which is outside"_s << u"1"_s;
        QTest::newRow("tripled percent") << 1 << u"1"_s << QStringList{u"20000"_s}
                                         << u"The weighted total of the percentages came out outside"_s << u"1"_s;
        QTest::newRow("weighted second") << 2 << u"1"_s << QStringList{u"30000"_s, u"2000"_s}
                                         << u"The weighted total of the percentages came out outside"_s << u"1"_s;
        QTest::newRow("percent sum") << 3 << u"1"_s << QStringList{u"30000"_s, u"30000"_s, u"-30000"_s}
                                     << u"The weighted total of the percentages came out outside"_s << u"1"_s;
        QTest::newRow("subtraction") << 3 << u"1"_s << QStringList{u"-32768"_s, u"0"_s, u"0"_s}
                                     << u"The improves needed came out outside"_s << u"1"_s;
    }
    void errorsAreReportedAndTheProgramGoesOn()
    {
        QFETCH(int, spells);
        QFETCH(QString, intellect);
        QFETCH(QStringList, percents);
        QFETCH(QString, expectedText);
        QFETCH(QString, boxAfter);

        if (spells != 3) {
            option(u"spells(%1)"_s.arg(spells));
        }
        type(box(u"txtInt"_s), intellect);
        for (int i = 0; i < percents.size(); ++i) {
            type(box(u"Spell%1"_s.arg(i + 1)), percents.at(i));
        }
        const QString before = total();
        QTest::keyClick(box(u"txtInt"_s), Qt::Key_Return);

        QCOMPARE(shown.size(), std::size_t{1});
        QCOMPARE(shown.front().title, u"korvane"_s);
        QCOMPARE(shown.front().icon, QMessageBox::Warning);
        QVERIFY2(shown.front().text.startsWith(expectedText), qPrintable(shown.front().text));
        QCOMPARE(total(), before);
        QCOMPARE(calculator->windowTitle(), before + questionText);
        QCOMPARE(verdict(), u"Drastically Further"_s);
        QCOMPARE(box(u"txtInt"_s)->text(), boxAfter);
        QVERIFY(calculator->isVisible());
        if (!shown.front().text.contains(u"came out"_s)) {
            QWidget* failed = QApplication::focusWidget();
            QVERIFY(failed != nullptr);
            QVERIFY2(shown.front().text.contains(failed->accessibleName().toLower()),
                     qPrintable(failed->objectName()));  // the box that failed has the focus
        }

        // Still running: put it right and the next Enter calculates.
        type(box(u"txtInt"_s), u"50"_s);
        for (int i = 0; i < percents.size(); ++i) {
            type(box(u"Spell%1"_s.arg(i + 1)), u"0"_s);
        }
        click(child<QPushButton>(u"Command1"_s));
        QCOMPARE(shown.size(), std::size_t{1});
        QCOMPARE(total(), u"75"_s);
        QCOMPARE(verdict(), u"Drastically Further"_s);
    }

    void aboutCreatesOnceHidesAndRecreatesAfterClose()
    {
        auto* about = child<QPushButton>(u"Command3"_s);
        click(about);
        QPointer<InfoWindow> first = calculator->info();
        QVERIFY(first);
        QVERIFY(first->isVisible());
        QVERIFY(!first->isModal());
        QVERIFY(QApplication::activeModalWidget() == nullptr);

        QWidget* label7 = first->findChild<QWidget*>(u"Label7"_s);
        QVERIFY(label7);
        QTest::mouseClick(label7, Qt::LeftButton, {}, label7->mapFrom(first, QPoint(50, 30)));
        QVERIFY(!first->isVisible());
        QVERIFY(first);

        click(about);
        QCOMPARE(calculator->info(), first.data());
        QVERIFY(first->isVisible());

        first->close();
        QTest::qWait(0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(first.isNull());
        QVERIFY(calculator->info() == nullptr);

        click(about);
        QVERIFY(calculator->info() != nullptr);
        QVERIFY(calculator->info()->isVisible());
        QCOMPARE(calculator->info()->findChild<QLabel*>(u"Label2"_s)->text(), u"Wendlecap   - -       MSN"_s);
    }

    void exitAndCloseEndWithTheInfoForm_data()
    {
        QTest::addColumn<bool>("viaExitButton");
        for (const bool viaExitButton : {true, false})
            QTest::newRow(viaExitButton ? "Exit" : "close the calculator") << viaExitButton;
    }
    void exitAndCloseEndWithTheInfoForm()
    {
        QFETCH(bool, viaExitButton);
        click(child<QPushButton>(u"Command3"_s));
        QPointer<InfoWindow> info = calculator->info();
        QVERIFY(info && info->isVisible());
        if (viaExitButton) {
            click(child<QPushButton>(u"Command2"_s));
        } else {
            QVERIFY(calculator->close());
        }
        QVERIFY(!calculator->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(info.isNull());
    }
};

QTEST_MAIN(CalculatorWindowTest)
#include "calculator_window_test.moc"
