#include "keyboard_walker.h"

#include "forms.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// Form1's controls by tab index; the frames and labels take no focus. Tab stops once in each option group,
// at its selected button: a group is written as its array name and stands for that button.
const QStringList kForm1TabOrder{u"Kraanan"_s, u"Shally"_s, u"Faren"_s, u"Qor"_s, u"Riija"_s, u"Jala"_s,
    u"spells"_s, u"Spell1"_s, u"Spell2"_s, u"Spell3"_s, u"Command1"_s, u"WC"_s, u"txtInt"_s, u"Command2"_s,
    u"Combo1"_s, u"Command3"_s, u"Combo2"_s};

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
        korvane::setUpFonts();
        korvane::setMessageResponder([](const korvane::ShownMessage&) { return QMessageBox::Ok; });
    }
    void init() { form1_ = std::make_unique<korvane::Form1>(); }
    void cleanup() { form1_.reset(); }

    void everyWindow_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("spells");
        QTest::addColumn<QStringList>("levels");
        QTest::addColumn<QStringList>("tabOrder");
        QTest::newRow("calculator") << u"Form1"_s << 3 << QStringList{} << kForm1TabOrder;
        // The disabled percentage boxes drop out of the chain.
        QTest::newRow("calculator, one spell") << u"Form1"_s << 1 << QStringList{} << kForm1TabOrder;
        QTest::newRow("calculator, levels chosen")
            << u"Form1"_s << 2 << QStringList{u"Shally(3)"_s, u"WC(6)"_s, u"Jala(1)"_s} << kForm1TabOrder;
        QTest::newRow("info") << u"Form2"_s << 3 << QStringList{} << QStringList{};
    }

    void everyWindow()
    {
        QFETCH(QString, window);
        QFETCH(int, spells);
        QFETCH(QStringList, levels);
        QFETCH(QStringList, tabOrder);
        form1_->show();
        form1_->findChild<QRadioButton*>(u"spells(%1)"_s.arg(spells))->click();
        for (const QString& level : levels)
            form1_->findChild<QRadioButton*>(level)->click();
        QWidget* shown = form1_.get();
        if (window == u"Form2"_s) {
            form1_->showInfo();
            shown = form1_->info();
        }
        QVERIFY(keyboard::activate(shown));
        const QStringList faults = keyboard::walkWindow(shown, resolveGroups(*shown, tabOrder));
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
    }

    // Down from the selected level selects the next one and recalculates, as a click does.
    void arrowsChooseALevel()
    {
        const auto prepare = [](korvane::Form1& form) {
            form.findChild<QComboBox*>(u"Combo2"_s)->setEditText(u"Faren"_s);
            form.findChild<QRadioButton*>(u"Faren(3)"_s)->click();
        };
        korvane::Form1 clicked;
        prepare(clicked);
        clicked.findChild<QRadioButton*>(u"Faren(4)"_s)->click();

        prepare(*form1_);
        QVERIFY(form1_->windowTitle() != clicked.windowTitle());
        QVERIFY(keyboard::activate(form1_.get()));
        auto* levelThree = form1_->findChild<QRadioButton*>(u"Faren(3)"_s);
        levelThree->setFocus(Qt::TabFocusReason);
        QTest::keyClick(levelThree, Qt::Key_Down);
        auto* levelFour = form1_->findChild<QRadioButton*>(u"Faren(4)"_s);
        QCOMPARE(QApplication::focusWidget(), levelFour);
        QVERIFY(levelFour->isChecked());
        QCOMPARE(form1_->windowTitle(), clicked.windowTitle());
    }

    void enterInABoxRecalculates()
    {
        QVERIFY(keyboard::activate(form1_.get()));
        auto* intellect = form1_->findChild<QLineEdit*>(u"txtInt"_s);
        intellect->setFocus(Qt::TabFocusReason);
        intellect->selectAll();
        QTest::keyClicks(intellect, u"60"_s);
        const QString before = form1_->windowTitle();
        QTest::keyClick(intellect, Qt::Key_Return);
        QVERIFY(form1_->windowTitle() != before);
    }

    void escapeHidesTheInfoWindow()
    {
        form1_->show();
        QVERIFY(keyboard::activate(form1_.get()));
        auto* about = form1_->findChild<QPushButton*>(u"Command3"_s);
        about->setFocus(Qt::TabFocusReason);
        QTest::keyClick(about, Qt::Key_Space);
        QTRY_VERIFY(form1_->info() != nullptr && form1_->info()->isVisible());
        QVERIFY(keyboard::activate(form1_->info()));
        QTest::keyClick(form1_->info(), Qt::Key_Escape);
        QVERIFY(!form1_->info()->isVisible());
    }

private:
    std::unique_ptr<korvane::Form1> form1_;
};

QTEST_MAIN(KorvaneKeyboardTest)
#include "keyboard_test.moc"
