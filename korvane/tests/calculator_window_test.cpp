#include "calculator_window.h"
#include "fonts.h"
#include "message_box.h"

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

#include <vector>

using namespace korvane;

namespace {

const QString questionText = QStringLiteral(" How many improves for my next level?");

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
    QString total() const { return child<QLabel>(QStringLiteral("lblTotal"))->text(); }
    QString verdict() const { return child<QLabel>(QStringLiteral("Label1"))->text(); }

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
        QCOMPARE(total(), QStringLiteral("196"));
        QCOMPARE(calculator->windowTitle(), QStringLiteral("196") + questionText);
        QCOMPARE(verdict(), QStringLiteral("Drastically Further"));
        QCOMPARE(box(QStringLiteral("txtInt"))->text(), QStringLiteral("1"));
        QVERIFY(child<QRadioButton>(QStringLiteral("spells(3)"))->isChecked());
        QCOMPARE(child<QComboBox>(QStringLiteral("Combo2"))->currentText(), QStringLiteral("Select School"));
        QVERIFY(shown.empty());
        QVERIFY(calculator->info() == nullptr);
    }

    void layoutFollowsTheTable_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        // twips / 15
        QTest::newRow("txtInt") << QStringLiteral("txtInt") << QRect(100, 5, 41, 23);
        QTest::newRow("Command3") << QStringLiteral("Command3") << QRect(290, 177, 76, 26);
        QTest::newRow("Frame7") << QStringLiteral("Frame7") << QRect(8, 272, 235, 71);
        QTest::newRow("Combo2") << QStringLiteral("Combo2") << QRect(256, 280, 97, 21);
        QTest::newRow("Spell2") << QStringLiteral("Spell2") << QRect(50, 22, 29, 21);
        QTest::newRow("Command1") << QStringLiteral("Command1") << QRect(121, 23, 33, 19);
        QTest::newRow("lblTotal") << QStringLiteral("lblTotal") << QRect(178, 369, 95, 36);
        QTest::newRow("Command2") << QStringLiteral("Command2") << QRect(318, 404, 55, 20);
        QTest::newRow("Combo1") << QStringLiteral("Combo1") << QRect(190, 403, 117, 21);
        QTest::newRow("Frame9") << QStringLiteral("Frame9") << QRect(284, 35, 85, 112);
        QTest::newRow("Jala(6)") << QStringLiteral("Jala(6)") << QRect(2, 93, 80, 15);
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
        const auto* combo2 = child<QComboBox>(QStringLiteral("Combo2"));
        QVERIFY(combo2->isEditable());
        QCOMPARE(combo2->count(), 7);
        QCOMPARE(combo2->itemText(1), QStringLiteral("Shal'ille"));
        QCOMPARE(combo2->itemText(3), QStringLiteral("Weapon Class"));
        const auto* combo1 = child<QComboBox>(QStringLiteral("Combo1"));
        QVERIFY(!combo1->isEditable());
        QCOMPARE(combo1->count(), 11);
        QCOMPARE(combo1->currentIndex(), -1);
        QCOMPARE(combo1->itemText(10), QStringLiteral("11 - Enormous"));
        QCOMPARE(child<QLabel>(QStringLiteral("Label4"))->text(), QStringLiteral("Tobbleweft sends, \""));
        QCOMPARE(child<QLabel>(QStringLiteral("Label5"))->text(), QStringLiteral("\""));
        const auto* label3 = child<QLabel>(QStringLiteral("Label3"));
        QCOMPARE(label3->text(), QStringLiteral("<Quarrow>"));
        QVERIFY(label3->font().bold() && label3->font().italic());
        QCOMPARE(label3->palette().color(QPalette::WindowText), QColor(0, 128, 0));
        QCOMPARE(child<QLabel>(QStringLiteral("lblTotal"))->font().pixelSize(), 32);
        QCOMPARE(child<QRadioButton>(QStringLiteral("Shally(2)"))->text(), QStringLiteral("Leven Two"));
        QCOMPARE(child<QRadioButton>(QStringLiteral("spells(1)"))->text(), QStringLiteral("One spell\\skill"));
        QCOMPARE(child<QGroupBox>(QStringLiteral("Frame2"))->title(), QStringLiteral("Shal'ille"));
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
        QCOMPARE(child<QWidget>(QStringLiteral("Kraanan(6)"))->nextInFocusChain(),
                 child<QWidget>(QStringLiteral("Shally(6)")));
        QCOMPARE(child<QWidget>(QStringLiteral("spells(1)"))->nextInFocusChain(),
                 child<QWidget>(QStringLiteral("spells(3)")));
        QCOMPARE(child<QWidget>(QStringLiteral("Command1"))->nextInFocusChain(),
                 child<QWidget>(QStringLiteral("WC(6)")));
        QCOMPARE(child<QWidget>(QStringLiteral("txtInt"))->nextInFocusChain(),
                 child<QWidget>(QStringLiteral("Command2")));
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
        QTest::newRow("mid intellect") << QStringLiteral("27")
                                       << QStringList{QStringLiteral("Kraanan(3)"), QStringLiteral("Faren(2)")}
                                       << QStringLiteral("Kraanan") << 3
                                       << QStringList{QStringLiteral("40"), QStringLiteral("35"), QStringLiteral("30")}
                                       << QStringLiteral("27") << QStringLiteral("66")
                                       << QStringLiteral("Significantly Further");
        QTest::newRow("two spells tie") << QStringLiteral("12") << QStringList{} << QStringLiteral("Kraanan") << 2
                                        << QStringList{QStringLiteral("50"), QStringLiteral("33")}
                                        << QStringLiteral("12") << QStringLiteral("71")
                                        << QStringLiteral("Significantly Further");
        QTest::newRow("level one above 75")
            << QStringLiteral("45")
            << QStringList{QStringLiteral("Jala(2)"), QStringLiteral("Kraanan(1)"), QStringLiteral("Shally(1)")}
            << QStringLiteral("Jala") << 1 << QStringList{QStringLiteral("30")} << QStringLiteral("45")
            << QStringLiteral("11") << QStringLiteral("Little Further");
        QTest::newRow("floor then rule") << QStringLiteral(
            "52") << QStringList{QStringLiteral("Riija(2)"), QStringLiteral("Qor(1)"), QStringLiteral("Jala(1)")}
                                         << QStringLiteral("Riija") << 3
                                         << QStringList{QStringLiteral("20"), QStringLiteral("20"),
                                                        QStringLiteral("20")}
                                         << QStringLiteral("50") << QStringLiteral("27") << QStringLiteral("Further");
        QTest::newRow("six at level one")
            << QStringLiteral("10")
            << QStringList{QStringLiteral("Kraanan(1)"), QStringLiteral("Shally(1)"), QStringLiteral("Faren(1)"),
                           QStringLiteral("WC(1)"),      QStringLiteral("Riija(1)"),  QStringLiteral("Jala(1)")}
            << QStringLiteral("Qor") << 3
            << QStringList{QStringLiteral("10"), QStringLiteral("10"), QStringLiteral("10")} << QStringLiteral("10")
            << QStringLiteral("141") << QStringLiteral("Drastically Further");
        QTest::newRow("typed lower case")
            << QStringLiteral("10") << QStringList{QStringLiteral("Qor(1)"), QStringLiteral("Jala(1)")}
            << QStringLiteral("qor") << 3
            << QStringList{QStringLiteral("10"), QStringLiteral("10"), QStringLiteral("10")} << QStringLiteral("10")
            << QStringLiteral("141") << QStringLiteral("Drastically Further");
        QTest::newRow("typed exactly") << QStringLiteral("10")
                                       << QStringList{QStringLiteral("Qor(1)"), QStringLiteral("Jala(1)")}
                                       << QStringLiteral("Qor") << 3
                                       << QStringList{QStringLiteral("10"), QStringLiteral("10"), QStringLiteral("10")}
                                       << QStringLiteral("10") << QStringLiteral("148")
                                       << QStringLiteral("Drastically Further");
        QTest::newRow("intellect 0") << QStringLiteral("0") << QStringList{} << QStringLiteral("Faren") << 3
                                     << QStringList{QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")}
                                     << QStringLiteral("0") << QStringLiteral("199")
                                     << QStringLiteral("Drastically Further");
        QTest::newRow("intellect -3") << QStringLiteral("-3") << QStringList{} << QStringLiteral("Faren") << 3
                                      << QStringList{QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")}
                                      << QStringLiteral("1") << QStringLiteral("199")
                                      << QStringLiteral("Drastically Further");
        QTest::newRow("above 50") << QStringLiteral("75") << QStringList{QStringLiteral("WC(6)")}
                                  << QStringLiteral("Weapon Class") << 3
                                  << QStringList{QStringLiteral("90"), QStringLiteral("90"), QStringLiteral("90")}
                                  << QStringLiteral("50") << QStringLiteral("-141")
                                  << QStringLiteral("Congratulations!");
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

        option(QStringLiteral("spells(%1)").arg(spells));
        for (const QString& name : options) {
            option(name);
        }
        auto* combo2 = child<QComboBox>(QStringLiteral("Combo2"));
        combo2->lineEdit()->selectAll();
        QTest::keyClicks(combo2->lineEdit(), school);
        type(box(QStringLiteral("txtInt")), intellect);
        for (int i = 0; i < percents.size(); ++i) {
            type(box(QStringLiteral("Spell%1").arg(i + 1)), percents.at(i));
        }
        QTest::keyClick(box(QStringLiteral("Spell1")), Qt::Key_Return);

        QVERIFY(shown.empty());
        QCOMPARE(box(QStringLiteral("txtInt"))->text(), boxAfter);
        QCOMPARE(this->total(), total);
        QCOMPARE(calculator->windowTitle(), total + questionText);
        QCOMPARE(this->verdict(), verdict);
    }

    void eachTriggerRecalculatesAndNothingElse_data()
    {
        QTest::addColumn<QString>("trigger");
        QTest::newRow("Enter in txtInt") << QStringLiteral("txtInt");
        QTest::newRow("Enter in Spell1") << QStringLiteral("Spell1");
        QTest::newRow("Enter in Spell2") << QStringLiteral("Spell2");
        QTest::newRow("keypad Enter in Spell3") << QStringLiteral("Spell3");
        QTest::newRow("enter button") << QStringLiteral("Command1");
        QTest::newRow("level option") << QStringLiteral("Faren(0)");
    }
    void eachTriggerRecalculatesAndNothingElse()
    {
        QFETCH(QString, trigger);
        type(box(QStringLiteral("Spell3")), QStringLiteral("50"));
        auto* combo2 = child<QComboBox>(QStringLiteral("Combo2"));
        combo2->setCurrentIndex(0);
        QTest::keyClick(child<QComboBox>(QStringLiteral("Combo1")), Qt::Key_Down);
        QCOMPARE(total(), QStringLiteral("196"));  // typing and choosing alone change nothing

        if (trigger == QStringLiteral("Command1")) {
            click(child<QPushButton>(trigger));
        } else if (trigger.contains(u'(')) {
            option(trigger);
        } else {
            QLineEdit* target = box(trigger);
            target->setFocus();
            QTest::keyClick(target, trigger == QStringLiteral("Spell3") ? Qt::Key_Enter : Qt::Key_Return);
            QCOMPARE(target->text(), trigger == QStringLiteral("Spell3") ? QStringLiteral("50") : QStringLiteral("1"));
        }
        QCOMPARE(total(), QStringLiteral("147"));
        QCOMPARE(box(QStringLiteral("Spell3"))->text(), QStringLiteral("50"));
    }

    void spellCountOptionsSetTheBoxes()
    {
        auto* spell2 = box(QStringLiteral("Spell2"));
        auto* spell3 = box(QStringLiteral("Spell3"));
        type(box(QStringLiteral("Spell1")), QStringLiteral("30"));
        type(spell2, QStringLiteral("44"));
        option(QStringLiteral("spells(1)"));
        QVERIFY(!spell2->isEnabled() && !spell3->isEnabled());
        QCOMPARE(spell2->text(), QStringLiteral("X"));
        QCOMPARE(spell3->text(), QStringLiteral("X"));
        QCOMPARE(total(), QStringLiteral("109"));  // the X boxes are not read
        QVERIFY(shown.empty());

        option(QStringLiteral("spells(2)"));
        QVERIFY(spell2->isEnabled() && !spell3->isEnabled());
        QCOMPARE(spell2->text(), QStringLiteral("1"));
        QCOMPARE(spell3->text(), QStringLiteral("X"));
        QCOMPARE(total(), QStringLiteral("167"));  // 199 - (30 + 1.5, 31.5 rounded to the even 32)

        type(spell2, QStringLiteral("44"));
        option(QStringLiteral("spells(3)"));
        QVERIFY(spell2->isEnabled() && spell3->isEnabled());
        QCOMPARE(spell2->text(), QStringLiteral("1"));
        QCOMPARE(spell3->text(), QStringLiteral("1"));
        QCOMPARE(box(QStringLiteral("Spell1"))->text(), QStringLiteral("30"));
        QCOMPARE(total(), QStringLiteral("167"));
    }

    void errorsAreReportedAndTheProgramGoesOn_data()
    {
        QTest::addColumn<int>("spells");
        QTest::addColumn<QString>("intellect");
        QTest::addColumn<QStringList>("percents");
        QTest::addColumn<QString>("expectedText");
        QTest::addColumn<QString>("boxAfter");
        const QStringList ones{QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1")};
        QTest::newRow("intellect text") << 3 << QStringLiteral("abc") << ones
                                        << QStringLiteral("The intellect box holds \"abc\", which is not a number.")
                                        << QStringLiteral("abc");
        QTest::newRow("intellect empty") << 3 << QString() << ones << QStringLiteral("The intellect box is empty.")
                                         << QString();
        QTest::newRow("intellect range") << 3 << QStringLiteral("40000") << ones
                                         << QStringLiteral("The intellect box holds \"40000\", which is outside")
                                         << QStringLiteral("40000");
        QTest::newRow("Spell1 after clamp")
            << 3 << QStringLiteral("75") << QStringList{QStringLiteral("1e2"), QStringLiteral("1"), QStringLiteral("1")}
            << QStringLiteral("The first percentage box holds \"1e2\", which is not a number.") << QStringLiteral("50");
        QTest::newRow("Spell2 empty") << 3 << QStringLiteral("1")
                                      << QStringList{QStringLiteral("1"), QString(), QStringLiteral("1")}
                                      << QStringLiteral("The second percentage box is empty.") << QStringLiteral("1");
        QTest::newRow("Spell3 range") << 3 << QStringLiteral("1")
                                      << QStringList{QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("-32769")}
                                      << QStringLiteral("The third percentage box holds \"-32769\", which is outside")
                                      << QStringLiteral("1");
        QTest::newRow("tripled percent") << 1 << QStringLiteral("1") << QStringList{QStringLiteral("20000")}
                                         << QStringLiteral("The weighted total of the percentages came out outside")
                                         << QStringLiteral("1");
        QTest::newRow("weighted second") << 2 << QStringLiteral("1")
                                         << QStringList{QStringLiteral("30000"), QStringLiteral("2000")}
                                         << QStringLiteral("The weighted total of the percentages came out outside")
                                         << QStringLiteral("1");
        QTest::newRow("percent sum") << 3 << QStringLiteral("1")
                                     << QStringList{QStringLiteral("30000"), QStringLiteral("30000"),
                                                    QStringLiteral("-30000")}
                                     << QStringLiteral("The weighted total of the percentages came out outside")
                                     << QStringLiteral("1");
        QTest::newRow("subtraction") << 3 << QStringLiteral("1")
                                     << QStringList{QStringLiteral("-32768"), QStringLiteral("0"), QStringLiteral("0")}
                                     << QStringLiteral("The improves needed came out outside") << QStringLiteral("1");
    }
    void errorsAreReportedAndTheProgramGoesOn()
    {
        QFETCH(int, spells);
        QFETCH(QString, intellect);
        QFETCH(QStringList, percents);
        QFETCH(QString, expectedText);
        QFETCH(QString, boxAfter);

        if (spells != 3) {
            option(QStringLiteral("spells(%1)").arg(spells));
        }
        type(box(QStringLiteral("txtInt")), intellect);
        for (int i = 0; i < percents.size(); ++i) {
            type(box(QStringLiteral("Spell%1").arg(i + 1)), percents.at(i));
        }
        const QString before = total();
        QTest::keyClick(box(QStringLiteral("txtInt")), Qt::Key_Return);

        QCOMPARE(shown.size(), std::size_t{1});
        QCOMPARE(shown.front().title, QStringLiteral("korvane"));
        QCOMPARE(shown.front().icon, QMessageBox::Warning);
        QVERIFY2(shown.front().text.startsWith(expectedText), qPrintable(shown.front().text));
        QCOMPARE(total(), before);
        QCOMPARE(calculator->windowTitle(), before + questionText);
        QCOMPARE(verdict(), QStringLiteral("Drastically Further"));
        QCOMPARE(box(QStringLiteral("txtInt"))->text(), boxAfter);
        QVERIFY(calculator->isVisible());
        if (!shown.front().text.contains(QStringLiteral("came out"))) {
            QWidget* failed = QApplication::focusWidget();
            QVERIFY(failed != nullptr);
            QVERIFY2(shown.front().text.contains(failed->accessibleName().toLower()),
                     qPrintable(failed->objectName()));  // the box that failed has the focus
        }

        // Still running: put it right and the next Enter calculates.
        type(box(QStringLiteral("txtInt")), QStringLiteral("50"));
        for (int i = 0; i < percents.size(); ++i) {
            type(box(QStringLiteral("Spell%1").arg(i + 1)), QStringLiteral("0"));
        }
        click(child<QPushButton>(QStringLiteral("Command1")));
        QCOMPARE(shown.size(), std::size_t{1});
        QCOMPARE(total(), QStringLiteral("75"));
        QCOMPARE(verdict(), QStringLiteral("Drastically Further"));
    }

    void aboutCreatesOnceHidesAndRecreatesAfterClose()
    {
        auto* about = child<QPushButton>(QStringLiteral("Command3"));
        click(about);
        QPointer<InfoWindow> first = calculator->info();
        QVERIFY(first);
        QVERIFY(first->isVisible());
        QVERIFY(!first->isModal());
        QVERIFY(QApplication::activeModalWidget() == nullptr);

        QWidget* label7 = first->findChild<QWidget*>(QStringLiteral("Label7"));
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
        QCOMPARE(calculator->info()->findChild<QLabel*>(QStringLiteral("Label2"))->text(),
                 QStringLiteral("Wendlecap   - -       MSN"));
    }

    void exitAndCloseEndWithTheInfoForm_data()
    {
        QTest::addColumn<bool>("viaExitButton");
        QTest::newRow("Exit") << true;
        QTest::newRow("close the calculator") << false;
    }
    void exitAndCloseEndWithTheInfoForm()
    {
        QFETCH(bool, viaExitButton);
        click(child<QPushButton>(QStringLiteral("Command3")));
        QPointer<InfoWindow> info = calculator->info();
        QVERIFY(info && info->isVisible());
        if (viaExitButton) {
            click(child<QPushButton>(QStringLiteral("Command2")));
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
