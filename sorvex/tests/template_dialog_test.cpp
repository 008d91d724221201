#include "cancelling.h"
#include "template_dialog.h"
#include "window_fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;

using namespace sorvex;

namespace {

using enum ControlKind;

// Two radio groups, edits with and without a tab stop, two default-style buttons.
constexpr ControlTemplate testControls[] = {
    {1, PushButton, u"OK", {4, 4, 40, 14}, DefaultButton | Group | TabStop, nullptr, nullptr},
    {10, Edit, u"", {50, 4, 30, 12}, Group | TabStop, nullptr, "first"},
    {20, AutoRadioButton, u"A1", {4, 20, 30, 10}, Group, nullptr, nullptr},
    {21, AutoRadioButton, u"A2", {4, 30, 30, 10}, 0, nullptr, nullptr},
    {22, AutoRadioButton, u"A3", {4, 40, 30, 10}, 0, nullptr, nullptr},
    {noId, Static, u"label", {40, 20, 30, 8}, Group, "label", nullptr},
    {30, AutoRadioButton, u"B1", {40, 30, 30, 10}, Group, nullptr, nullptr},
    {31, AutoRadioButton, u"B2", {40, 40, 30, 10}, 0, nullptr, nullptr},
    {11, Edit, u"", {80, 20, 30, 12}, TabStop, nullptr, "second"},
    {40, Edit, u"", {80, 34, 30, 12}, AutoHScroll, nullptr, "no tab stop"},
    {2, PushButton, u"Cancel", {4, 60, 40, 14}, TabStop, nullptr, nullptr},
    {3, PushButton, u"Apply", {50, 60, 40, 14}, DefaultButton | TabStop, nullptr, nullptr},
    {noId, GroupBox, u"Frame", {0, 16, 120, 40}, 0, "frame", nullptr},
};

const DialogTemplate testTemplate{1, u"Test", 130, 80, false, testControls};

QList<int> ids(const TemplateDialog& dialog, const std::vector<QRadioButton*>& radios)
{
    QList<int> found;
    for (QRadioButton* radio : radios) {
        for (int id : {20, 21, 22, 30, 31}) {
            if (dialog.control(id) == radio)
                found << id;
        }
    }
    return found;
}

// Runs dialog modally; act plays the user, with the dialog open and active.
int runWith(TemplateDialog& dialog, const std::function<void(TemplateDialog&)>& act)
{
    TemplateDialog::setOpenedHook([&](TemplateDialog& open) {
        if (&open != &dialog)
            return;
        open.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&open));
        act(open);
    });
    const int result = dialog.run();
    TemplateDialog::setOpenedHook({});
    return result;
}

}  // namespace

class DialogTemplateTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { quendrith::setUpFonts(); }

    void unitsToPixels_data()
    {
        QTest::addColumn<int>("units");
        QTest::addColumn<int>("across");
        QTest::addColumn<int>("down");
        QTest::newRow("0") << 0 << 0 << 0;
        QTest::newRow("1: halves round up") << 1 << 2 << 2;
        QTest::newRow("2") << 2 << 3 << 3;
        QTest::newRow("3") << 3 << 5 << 5;
        QTest::newRow("4") << 4 << 6 << 7;
        QTest::newRow("5") << 5 << 8 << 8;
        QTest::newRow("225") << 225 << 338 << 366;
        QTest::newRow("385") << 385 << 578 << 626;
        QTest::newRow("-1: away from zero") << -1 << -2 << -2;
    }
    void unitsToPixels()
    {
        QFETCH(int, units);
        QFETCH(int, across);
        QFETCH(int, down);
        QCOMPARE(dialogUnitsToPixelsX(units), across);
        QCOMPARE(dialogUnitsToPixelsY(units), down);
    }

    void buildsControlsInPlace()
    {
        TemplateDialog dialog(testTemplate, nullptr);
        QCOMPARE(dialog.size(), QSize(195, 130));
        QCOMPARE(dialog.windowTitle(), u"Test"_s);
        // Asked for by a family that is installed, so that no look-up falls back to searching.
        QVERIFY(QFontDatabase::hasFamily(dialog.font().family()));
        QCOMPARE(QFontInfo(dialog.font()).family(), dialog.font().family());
        QCOMPARE(dialog.font().pixelSize(), 11);
        auto* edit = dialog.control<QLineEdit>(10);
        QVERIFY(edit);
        QCOMPARE(edit->geometry(), QRect(75, 7, 45, 20));
        QCOMPARE(edit->accessibleName(), u"first"_s);
        QVERIFY(dialog.control<QPushButton>(3));
        QCOMPARE(dialog.control(noId), nullptr);
        QCOMPARE(dialog.control(999), nullptr);
        QCOMPARE(dialog.controlsInTemplateOrder().size(), std::size(testControls));
        // A frame drawn over the controls it surrounds would swallow their clicks.
        auto* frame = dialog.findChild<QGroupBox*>(u"frame"_s);
        QVERIFY(frame->testAttribute(Qt::WA_TransparentForMouseEvents));
        QCOMPARE(dialog.children().indexOf(frame) < dialog.children().indexOf(edit), true);
    }

    void radioGroupsEndAtTheNextGroupStyle()
    {
        TemplateDialog dialog(testTemplate, nullptr);
        QCOMPARE(ids(dialog, dialog.radioGroup(20)), QList<int>({20, 21, 22}));
        QCOMPARE(ids(dialog, dialog.radioGroup(30)), QList<int>({30, 31}));
        QVERIFY(dialog.radioGroup(10).empty());
    }

    void automaticRadioButtonsAreExclusiveWithinTheirGroupOnly()
    {
        TemplateDialog dialog(testTemplate, nullptr);
        dialog.show();
        auto radio = [&](int id) { return dialog.control<QRadioButton>(id); };
        QTest::mouseClick(radio(30), Qt::LeftButton);
        QTest::mouseClick(radio(21), Qt::LeftButton);
        QVERIFY(radio(21)->isChecked());
        QTest::mouseClick(radio(22), Qt::LeftButton);
        QVERIFY(!radio(21)->isChecked());
        QVERIFY(radio(22)->isChecked());
        QVERIFY(radio(30)->isChecked());
        // A click on the checked button leaves it checked.
        QTest::mouseClick(radio(22), Qt::LeftButton);
        QVERIFY(radio(22)->isChecked());
        // The program may leave a whole group unchecked.
        radio(22)->setChecked(false);
        QVERIFY(!radio(20)->isChecked() && !radio(21)->isChecked() && !radio(22)->isChecked());
    }

    void arrowKeysMoveAndCheckInsideTheGroup()
    {
        TemplateDialog dialog(testTemplate, nullptr);
        auto radio = [&](int id) { return dialog.control<QRadioButton>(id); };
        runWith(dialog, [&](TemplateDialog&) {
            radio(31)->setChecked(true);
            radio(22)->setFocus();
            QSignalSpy clicks(radio(20), &QRadioButton::clicked);
            QTest::keyClick(radio(22), Qt::Key_Down);
            QCOMPARE(QApplication::focusWidget(), radio(20));
            QVERIFY(radio(20)->isChecked());
            QCOMPARE(clicks.count(), 1);
            QTest::keyClick(radio(20), Qt::Key_Up);
            QCOMPARE(QApplication::focusWidget(), radio(22));
            QVERIFY(radio(22)->isChecked() && !radio(20)->isChecked());
            radio(20)->setEnabled(false);
            QTest::keyClick(radio(22), Qt::Key_Right);
            QCOMPARE(QApplication::focusWidget(), radio(21));
            QTest::keyClick(radio(21), Qt::Key_Left);
            QCOMPARE(QApplication::focusWidget(), radio(22));
            QVERIFY(radio(31)->isChecked());
        });
    }

    void tabVisitsTabStopsInTemplateOrder()
    {
        TemplateDialog dialog(testTemplate, nullptr);
        QList<QWidget*> visited;
        runWith(dialog, [&](TemplateDialog& open) {
            visited << QApplication::focusWidget();
            for (int i = 0; i < 5; ++i) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                visited << QApplication::focusWidget();
            }
            open.accept();
        });
        const QList<QWidget*> expected = {dialog.control(1), dialog.control(10), dialog.control(11),
                                          dialog.control(2), dialog.control(3),  dialog.control(1)};
        QCOMPARE(visited, expected);
    }

    void focusGoesToTheFirstEnabledTabStop()
    {
        TemplateDialog dialog(testTemplate, nullptr);
        dialog.control(1)->setEnabled(false);
        QWidget* focused = nullptr;
        runWith(dialog, [&](TemplateDialog&) { focused = QApplication::focusWidget(); });
        QCOMPARE(focused, dialog.control(10));
    }

    void lastDefaultStyleButtonIsTheDefault()
    {
        TemplateDialog dialog(testTemplate, nullptr);
        QVERIFY(dialog.control<QPushButton>(3)->isDefault());
        QVERIFY(!dialog.control<QPushButton>(1)->isDefault());
        QSignalSpy apply(dialog.control<QPushButton>(3), &QPushButton::clicked);
        QSignalSpy ok(dialog.control<QPushButton>(1), &QPushButton::clicked);
        runWith(dialog, [&](TemplateDialog& open) {
            open.control(10)->setFocus();
            QTest::keyClick(open.control(10), Qt::Key_Return);
            open.accept();
        });
        QCOMPARE(apply.count(), 1);
        QCOMPARE(ok.count(), 0);
    }

    void escapeAndCloseEndWithCancel_data() { testing_support::addCancellingRows(); }
    void escapeAndCloseEndWithCancel()
    {
        QFETCH(bool, closeBox);
        TemplateDialog dialog(testTemplate, nullptr);
        const int result = runWith(dialog, [&](TemplateDialog& open) {
            testing_support::cancel(open, open.control(10), closeBox);
            QVERIFY(!open.isVisible());
        });
        QCOMPARE(result, int(QDialog::Rejected));
    }

    void editWithoutAutomaticScrollTakesWhatItCanShow()
    {
        TemplateDialog dialog(testTemplate, nullptr);
        dialog.show();
        auto* narrow = dialog.control<QLineEdit>(11);
        auto* scrolling = dialog.control<QLineEdit>(40);
        const QString typed = u"12345678901234567890"_s;
        QTest::keyClicks(narrow, typed);
        QTest::keyClicks(scrolling, typed);
        QCOMPARE(scrolling->text(), typed);
        QVERIFY(narrow->text().size() >= 3);
        QVERIFY(narrow->text().size() < typed.size());
        QVERIFY(typed.startsWith(narrow->text()));
        // What the program puts there is shown whole and can still be shortened.
        narrow->setText(typed);
        QCOMPARE(narrow->text(), typed);
        narrow->setCursorPosition(int(typed.size()));
        QTest::keyClick(narrow, Qt::Key_Backspace);
        QCOMPARE(narrow->text(), typed.left(typed.size() - 1));
    }

    void ownerlessDialogIsCentredOnTheWorkArea()
    {
        TemplateDialog dialog(testTemplate, nullptr);
        dialog.show();
        const QRect area = dialog.screen()->availableGeometry();
        const QRect frame = dialog.frameGeometry();
        QCOMPARE(
            frame.topLeft(),
            QPoint(area.x() + (area.width() - frame.width()) / 2, area.y() + (area.height() - frame.height()) / 2));
    }

    void ownedDialogIsCentredAndModalOverItsOwner()
    {
        QWidget owner;
        owner.setGeometry(40, 60, 400, 300);
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        TemplateDialog dialog(testTemplate, &owner);
        QPoint centre;
        bool ownerEnabled = false;
        QWidget* modal = nullptr;
        QWindow* modalWindow = nullptr;
        runWith(dialog, [&](TemplateDialog& open) {
            centre = open.frameGeometry().center();
            ownerEnabled = owner.isEnabled();
            modal = QApplication::activeModalWidget();
            modalWindow = QGuiApplication::modalWindow();
        });
        QVERIFY((centre - owner.frameGeometry().center()).manhattanLength() <= 2);
        QCOMPARE(modal, &dialog);
        QCOMPARE(modalWindow, dialog.windowHandle());
        // Disabling the owner would disable the dialog with it.
        QVERIFY(ownerEnabled);
    }
};

QTEST_MAIN(DialogTemplateTest)
#include "template_dialog_test.moc"
