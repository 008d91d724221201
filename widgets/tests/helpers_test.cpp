// The shared helpers other than the accessible interfaces: Enter on a focused button, the message-box seam, the
// fonts and buttons that take a press anywhere in their box.
#include "enter_presses_button.h"
#include "messages.h"
#include "whole_box_buttons.h"
#include "window_fonts.h"
#include "window_style.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

class HelpersTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { quendrith::setUpFonts(); }
    void cleanup()
    {
        quendrith::setMessageResponder({});
        QVERIFY(QTest::qWaitFor([&] { return QApplication::topLevelWidgets().isEmpty(); }));
    }

    void enterPressesTheFocusedButton_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("clicks");
        QTest::newRow("Enter") << int(Qt::Key_Return) << Qt::KeyboardModifiers() << true << 1;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << Qt::KeyboardModifiers(Qt::KeypadModifier) << true << 1;
        QTest::newRow("Shift+Enter") << int(Qt::Key_Return) << Qt::KeyboardModifiers(Qt::ShiftModifier) << true << 0;
        QTest::newRow("Ctrl+Enter") << int(Qt::Key_Return) << Qt::KeyboardModifiers(Qt::ControlModifier) << true << 0;
        QTest::newRow("Enter on a disabled button") << int(Qt::Key_Return) << Qt::KeyboardModifiers() << false << 0;
        QTest::newRow("a letter") << int(Qt::Key_A) << Qt::KeyboardModifiers() << true << 0;
    }
    void enterPressesTheFocusedButton()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(bool, enabled);
        QFETCH(int, clicks);
        QWidget window;
        auto* other = new QPushButton(u"Exit"_s, &window);
        quendrith::enterPressesFocusedButton(&window);
        // A button added later is covered by a second call, which must not make Enter click twice.
        auto* focused = new QPushButton(u"Done"_s, &window);
        quendrith::enterPressesFocusedButton(&window);
        focused->setEnabled(enabled);
        QSignalSpy focusedClicks(focused, &QPushButton::clicked);
        QSignalSpy otherClicks(other, &QPushButton::clicked);
        QTest::keyClick(focused, static_cast<Qt::Key>(key), modifiers);
        QCOMPARE(focusedClicks.count(), clicks);
        QCOMPARE(otherClicks.count(), 0);
    }

    void aPressAnywhereInTheBoxClicks_data()
    {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<bool>("clicks");
        QTest::newRow("centre") << QPoint(100, 7) << true;
        QTest::newRow("near the right edge") << QPoint(199, 7) << true;
        QTest::newRow("near the bottom edge") << QPoint(100, 13) << true;
        QTest::newRow("just right of the box") << QPoint(200, 7) << false;
        QTest::newRow("just below the box") << QPoint(100, 14) << false;
    }
    void aPressAnywhereInTheBoxClicks()
    {
        QFETCH(QPoint, at);
        QFETCH(bool, clicks);
        QWidget window;
        // Wide boxes with a short caption, as korvane's "Two".
        QAbstractButton* const buttons[]
            = {new quendrith::RadioButton(u"Two"_s, &window), new quendrith::CheckBox(u"Two"_s, &window)};
        for (QAbstractButton* button : buttons) {
            button->setGeometry(0, button == buttons[0] ? 0 : 20, 200, 14);
            QSignalSpy clicked(button, &QAbstractButton::clicked);
            QTest::mouseClick(button, Qt::LeftButton, {}, at);
            QCOMPARE(clicked.count(), clicks ? 1 : 0);
            QCOMPARE(button->isChecked(), clicks);
        }
    }

    void aResponderAnswersInsteadOfABox()
    {
        QList<quendrith::ShownMessage> shown;
        quendrith::setMessageResponder([&shown](const quendrith::ShownMessage& message) { shown << message; });
        QWidget owner;
        quendrith::showMessage(&owner, QMessageBox::Warning, u"korvane"_s, u"The intellect box is empty."_s);
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].owner.data(), &owner);
        QCOMPARE(shown[0].icon, QMessageBox::Warning);
        QCOMPARE(shown[0].title, u"korvane"_s);
        QCOMPARE(shown[0].text, u"The intellect box is empty."_s);
    }

    void withoutAResponderTheBoxIsModal()
    {
        QWidget owner;
        owner.show();
        QString seen;
        QTimer::singleShot(0, &owner, [&seen] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr)
                return;
            seen = u"%1|%2|%3|%4"_s.arg(box->windowTitle(), box->text())
                       .arg(box->icon())
                       .arg(box->parentWidget() != nullptr);
            box->button(QMessageBox::Ok)->click();
        });
        quendrith::showMessage(&owner, QMessageBox::Warning, u"sorvex"_s, u"Please enter an integer."_s);
        QCOMPARE(seen, u"sorvex|Please enter an integer.|%1|1"_s.arg(QMessageBox::Warning));
    }

    void fontsAreAskedForByAnInstalledFace_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("pixels");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("italic");
        QTest::newRow("MS Sans Serif") << u"MS Sans Serif"_s << 13 << true << false;
        QTest::newRow("Arial") << u"Arial"_s << 19 << false << false;
        QTest::newRow("Times New Roman") << u"Times New Roman"_s << 13 << true << true;
        QTest::newRow("any case") << u"ms sans serif"_s << 11 << false << false;
    }
    void fontsAreAskedForByAnInstalledFace()
    {
        QFETCH(QString, family);
        QFETCH(int, pixels);
        QFETCH(bool, bold);
        QFETCH(bool, italic);
        const QFont font = quendrith::pixelFont(family, pixels, bold, italic);
        QVERIFY2(QFontDatabase::hasFamily(font.family()), qPrintable(font.family()));
        QCOMPARE(QFontInfo(font).family(), font.family());
        QCOMPARE(font.pixelSize(), pixels);
        QCOMPARE(font.bold(), bold);
        QCOMPARE(font.italic(), italic);
    }

    void windows11GivesWayToWindowsVista_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("expected");
        QTest::newRow("windows11, Qt's choice on Windows 11") << u"windows11"_s << u"windowsvista"_s;
        QTest::newRow("fusion, a choice off Windows") << u"fusion"_s << u"fusion"_s;
    }

    void windows11GivesWayToWindowsVista()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, expected);
        if (!QStyleFactory::keys().contains(chosen, Qt::CaseInsensitive))
            QSKIP("this Qt has no such style");
        const QString before = QApplication::style()->name();
        QApplication::setStyle(chosen);
        quendrith::setUpStyle();
        const QString after = QApplication::style()->name().toLower();
        QApplication::setStyle(before);
        QCOMPARE(after, expected);
    }
};

QTEST_MAIN(HelpersTest)
#include "helpers_test.moc"
