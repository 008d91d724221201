#include "map_window.h"
#include "about_window.h"
#include "fonts.h"
#include "help_window.h"
#include "solver_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// The four windows as the program creates them.
struct Windows {
    TPellanForm form;
    TForm1 about;
    TUnderworldMap map;
    THelpWindow help;

    Windows() { form.setSecondaryWindows(about, map, help); }

    QWidget* window(const QString& name)
    {
        for (QWidget* w : {static_cast<QWidget*>(&form), static_cast<QWidget*>(&about),
                 static_cast<QWidget*>(&map), static_cast<QWidget*>(&help)}) {
            if (w->objectName() == name)
                return w;
        }
        return nullptr;
    }
    QCheckBox* box(int light) { return form.findChild<QCheckBox*>(u"Light%1Box"_s.arg(light)); }
    QLineEdit* status(int light) { return form.findChild<QLineEdit*>(u"Light%1Status"_s.arg(light)); }
    QString output() { return form.findChild<QLineEdit*>(u"OutputText"_s)->text(); }
    QAction* action(const QString& name) { return form.findChild<QAction*>(name); }
    QPushButton* button(QWidget* w, const QString& name) { return w->findChild<QPushButton*>(name); }
};

// Counts the events that would bring a window to the front again.
class RaiseWatcher : public QObject {
public:
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        const auto type = event->type();
        if (type == QEvent::Show || type == QEvent::ZOrderChange || type == QEvent::WindowActivate)
            ++count;
        return false;
    }
};

QList<QWidget*> ownerlessWindows()
{
    QList<QWidget*> found;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->parentWidget() == nullptr)
            found.append(w);
    }
    return found;
}

} // namespace

class WindowsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void startState();
    void clickingLights_data();
    void clickingLights();
    void spaceBarTogglesLikeAClick();
    void tabVisitsOnlyTheControls();
    void readOnlyBoxesIgnoreTyping();
    void windowGeometry_data();
    void windowGeometry();
    void controlGeometry_data();
    void controlGeometry();
    void texts_data();
    void texts();
    void helpTextIsExact();
    void textsFitTheirBoxes_data();
    void textsFitTheirBoxes();
    void saluteFitsOneLine();
    void accessibleNames();
    void secondaryShowAndHide_data();
    void secondaryShowAndHide();
    void shownAgainIsNotRaised();
    void aboutOpensWithDoneFocused();
    void lightsWorkWithMapOpen();
    void exitClosesMain_data();
    void exitClosesMain();
    void closingMainEndsTheProgram();
};

void WindowsTest::initTestCase()
{
    pellan::setupFonts();
}

void WindowsTest::cleanup()
{
    QCOMPARE(ownerlessWindows().size(), 0);
}

void WindowsTest::startState()
{
    Windows w;
    w.form.show();
    for (int light = 1; light <= 5; ++light) {
        QVERIFY(!w.box(light)->isChecked());
        QCOMPARE(w.status(light)->text(), u"Off"_s);
    }
    QCOMPARE(w.output(), u"4, 3, 1, 3, 5, 3, 2."_s);
    QVERIFY(w.form.isVisible());
    QVERIFY(!w.about.isVisible());
    QVERIFY(!w.map.isVisible());
    QVERIFY(!w.help.isVisible());
}

void WindowsTest::clickingLights_data()
{
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<QString>("statuses");
    QTest::addColumn<QString>("answer");
    QTest::newRow("light 1") << QList<int>{1} << u"On Off Off Off Off"_s << u"4, 3."_s;
    QTest::newRow("light 1 twice") << QList<int>{1, 1} << u"Off Off Off Off Off"_s
                                   << u"4, 3, 1, 3, 5, 3, 2."_s;
    QTest::newRow("split pair 2, 5") << QList<int>{5, 2} << u"Off On Off Off On"_s << u"1."_s;
    QTest::newRow("split three 1, 3, 4") << QList<int>{4, 1, 3} << u"On Off On On Off"_s
                                         << u"5, 3, 5, 2, 5, 4."_s;
    QTest::newRow("all five") << QList<int>{1, 2, 3, 4, 5} << u"On On On On On"_s
                              << u"The puzzle is solved."_s;
    QTest::newRow("all five, then 3 off") << QList<int>{1, 2, 3, 4, 5, 3} << u"On On Off On On"_s
                                          << u"3, 5, 2, 5, 4."_s;
    QTest::newRow("all five, then 5 off") << QList<int>{5, 4, 3, 2, 1, 5} << u"On On On On Off"_s
                                          << u"5, 2, 4, 2, 1."_s;
}

void WindowsTest::clickingLights()
{
    QFETCH(QList<int>, clicks);
    QFETCH(QString, statuses);
    QFETCH(QString, answer);
    Windows w;
    w.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.form));
    for (const int light : clicks)
        QTest::mouseClick(w.box(light), Qt::LeftButton);
    QStringList shown;
    for (int light = 1; light <= 5; ++light)
        shown << w.status(light)->text();
    QCOMPARE(shown.join(u' '), statuses);
    QCOMPARE(w.output(), answer);
}

void WindowsTest::spaceBarTogglesLikeAClick()
{
    Windows w;
    w.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.form));
    w.box(3)->setFocus();
    QTest::keyClick(w.box(3), Qt::Key_Space);
    QVERIFY(w.box(3)->isChecked());
    QCOMPARE(w.status(3)->text(), u"On"_s);
    QCOMPARE(w.output(), u"1, 5."_s);
    QTest::mouseClick(w.box(4), Qt::LeftButton);
    QCOMPARE(w.output(), u"1, 4, 3."_s);
    QTest::keyClick(w.box(3), Qt::Key_Space);
    QCOMPARE(w.status(3)->text(), u"Off"_s);
    QCOMPARE(w.output(), u"2, 1."_s);
}

void WindowsTest::tabVisitsOnlyTheControls()
{
    Windows w;
    w.form.show();
    QApplication::setActiveWindow(&w.form);
    QVERIFY(QTest::qWaitForWindowActive(&w.form));
    w.box(1)->setFocus(Qt::TabFocusReason);
    const QStringList expected{u"Light2Box"_s, u"Light3Box"_s, u"Light4Box"_s, u"Light5Box"_s,
        u"MapButton"_s, u"ExitButton"_s, u"Light1Box"_s};
    QStringList visited;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, expected);
    for (QLineEdit* edit : w.form.findChildren<QLineEdit*>())
        QCOMPARE(edit->focusPolicy(), Qt::NoFocus);
}

void WindowsTest::readOnlyBoxesIgnoreTyping()
{
    Windows w;
    w.form.show();
    for (QLineEdit* edit : w.form.findChildren<QLineEdit*>()) {
        const QString before = edit->text();
        QTest::keyClicks(edit, u"12"_s);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->text(), before);
        QVERIFY(edit->isReadOnly());
    }
}

void WindowsTest::windowGeometry_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QPoint>("position");
    QTest::addColumn<QSize>("client");
    QTest::newRow("solver") << u"PellanForm"_s << u"Brannoc's Pellan 95 - By Ellis Marrow"_s
                            << QPoint(180, 59) << QSize(353, 408);
    QTest::newRow("map") << u"UnderworldMap"_s << u"Underworld Map"_s << QPoint(258, 102)
                         << QSize(384, 423);
    QTest::newRow("help") << u"HelpWindow"_s << u"Help"_s << QPoint(219, 194) << QSize(400, 141);
    QTest::newRow("about") << u"Form1"_s << u"About Pellan 95"_s << QPoint(262, 140)
                           << QSize(369, 381);
}

void WindowsTest::windowGeometry()
{
    QFETCH(QString, window);
    QFETCH(QString, title);
    QFETCH(QPoint, position);
    QFETCH(QSize, client);
    Windows w;
    QWidget* shown = w.window(window);
    QVERIFY(shown);
    shown->show();
    QVERIFY(QTest::qWaitForWindowExposed(shown));
    QCOMPARE(shown->windowTitle(), title);
    QCOMPARE(shown->pos(), position);
    auto* main = qobject_cast<QMainWindow*>(shown);
    const QWidget* area = main != nullptr ? main->centralWidget() : shown;
    QCOMPARE(area->size(), client);
    if (main != nullptr) {
        QCOMPARE(area->pos(), QPoint(0, main->menuBar()->height()));
        QVERIFY(main->menuBar()->height() > 0);
    }
    QCOMPARE(shown->minimumSize(), shown->maximumSize());
    const Qt::WindowFlags flags = shown->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowSystemMenuHint));
    QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!shown->windowIcon().isNull());
    QCOMPARE(shown->font().pixelSize(), 11);
}

void WindowsTest::controlGeometry_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QRect>("geometry");
    const QString form = u"PellanForm"_s;
    QTest::newRow("Bevel1") << form << u"Bevel1"_s << QRect(8, 0, 337, 313);
    QTest::newRow("Bevel2") << form << u"Bevel2"_s << QRect(8, 320, 337, 49);
    QTest::newRow("Light1Label") << form << u"Light1Label"_s << QRect(16, 152, 38, 16);
    QTest::newRow("Light2Label") << form << u"Light2Label"_s << QRect(168, 288, 49, 16);
    QTest::newRow("Light3Label") << form << u"Light3Label"_s << QRect(296, 152, 41, 16);
    QTest::newRow("Light4Label") << form << u"Light4Label"_s << QRect(248, 8, 49, 16);
    QTest::newRow("Light5Label") << form << u"Light5Label"_s << QRect(64, 8, 49, 16);
    QTest::newRow("Label1") << form << u"Label1"_s << QRect(24, 328, 130, 24);
    QTest::newRow("Image1") << form << u"Image1"_s << QRect(64, 48, 225, 217);
    QTest::newRow("Light1Box") << form << u"Light1Box"_s << QRect(48, 176, 17, 17);
    QTest::newRow("Light2Box") << form << u"Light2Box"_s << QRect(168, 264, 17, 17);
    QTest::newRow("Light3Box") << form << u"Light3Box"_s << QRect(296, 176, 17, 17);
    QTest::newRow("Light4Box") << form << u"Light4Box"_s << QRect(248, 32, 17, 17);
    QTest::newRow("Light5Box") << form << u"Light5Box"_s << QRect(96, 32, 17, 17);
    QTest::newRow("Light1Status") << form << u"Light1Status"_s << QRect(16, 176, 25, 21);
    QTest::newRow("Light2Status") << form << u"Light2Status"_s << QRect(184, 264, 25, 21);
    QTest::newRow("Light3Status") << form << u"Light3Status"_s << QRect(312, 176, 25, 21);
    QTest::newRow("Light4Status") << form << u"Light4Status"_s << QRect(264, 32, 25, 21);
    QTest::newRow("Light5Status") << form << u"Light5Status"_s << QRect(64, 32, 25, 21);
    QTest::newRow("OutputText") << form << u"OutputText"_s << QRect(160, 328, 169, 28);
    QTest::newRow("MapButton") << form << u"MapButton"_s << QRect(16, 376, 225, 25);
    QTest::newRow("ExitButton") << form << u"ExitButton"_s << QRect(264, 376, 75, 25);
    QTest::newRow("map Image1") << u"UnderworldMap"_s << u"Image1"_s << QRect(0, 0, 384, 424);
    QTest::newRow("DoneMap") << u"UnderworldMap"_s << u"DoneMap"_s << QRect(32, 384, 75, 25);
    QTest::newRow("help Bevel1") << u"HelpWindow"_s << u"Bevel1"_s << QRect(8, 8, 385, 97);
    QTest::newRow("help Memo1") << u"HelpWindow"_s << u"Memo1"_s << QRect(16, 16, 369, 81);
    QTest::newRow("CloseHelp") << u"HelpWindow"_s << u"CloseHelp"_s << QRect(16, 112, 369, 25);
    QTest::newRow("about Bevel1") << u"Form1"_s << u"Bevel1"_s << QRect(8, 8, 353, 297);
    QTest::newRow("about Bevel2") << u"Form1"_s << u"Bevel2"_s << QRect(24, 24, 321, 265);
    QTest::newRow("AboutIt") << u"Form1"_s << u"AboutIt"_s << QRect(32, 32, 305, 249);
    QTest::newRow("about Memo1") << u"Form1"_s << u"Memo1"_s << QRect(88, 344, 201, 33);
    QTest::newRow("Button1") << u"Form1"_s << u"Button1"_s << QRect(24, 312, 321, 25);
}

void WindowsTest::controlGeometry()
{
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QRect, geometry);
    Windows w;
    QWidget* top = w.window(window);
    QVERIFY(top);
    top->show();
    QVERIFY(QTest::qWaitForWindowExposed(top));
    auto* widget = top->findChild<QWidget*>(control);
    QVERIFY2(widget, qPrintable(control));
    QCOMPARE(widget->geometry(), geometry);
}

void WindowsTest::texts_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("pixels");
    const QString form = u"PellanForm"_s;
    for (int light = 1; light <= 5; ++light) {
        QTest::addRow("Light%dLabel", light)
            << form << u"Light%1Label"_s.arg(light) << u"Light %1"_s.arg(light) << 13;
    }
    QTest::newRow("Label1") << form << u"Label1"_s << u"The Solution is:"_s << 19;
    QTest::newRow("OutputText") << form << u"OutputText"_s << u"4, 3, 1, 3, 5, 3, 2."_s << 16;
    QTest::newRow("MapButton") << form << u"MapButton"_s << u"View Underworld Map"_s << 11;
    QTest::newRow("ExitButton") << form << u"ExitButton"_s << u"Exit"_s << 11;
    QTest::newRow("DoneMap") << u"UnderworldMap"_s << u"DoneMap"_s << u"Done"_s << 11;
    QTest::newRow("CloseHelp") << u"HelpWindow"_s << u"CloseHelp"_s << u"Done"_s << 11;
    QTest::newRow("Button1") << u"Form1"_s << u"Button1"_s << u"Done"_s << 11;
}

void WindowsTest::texts()
{
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QString, text);
    QFETCH(int, pixels);
    Windows w;
    QWidget* widget = w.window(window)->findChild<QWidget*>(control);
    QVERIFY(widget);
    QString shown;
    if (auto* label = qobject_cast<QLabel*>(widget))
        shown = label->text();
    else if (auto* edit = qobject_cast<QLineEdit*>(widget))
        shown = edit->text();
    else if (auto* button = qobject_cast<QPushButton*>(widget))
        shown = button->text();
    QCOMPARE(shown, text);
    QCOMPARE(widget->font().pixelSize(), pixels);
    if (control.endsWith(u"Label"_s))
        QCOMPARE(widget->palette().color(QPalette::WindowText), QColor(Qt::red));
}

void WindowsTest::helpTextIsExact()
{
    Windows w;
    auto* memo = w.help.findChild<QPlainTextEdit*>(u"Memo1"_s);
    QVERIFY(memo);
    const QStringList lines = memo->toPlainText().split(u'\n');
    QCOMPARE(lines.size(), 5);
    QCOMPARE(lines[0], u"Click in the checkboxes to indicate which lights are on or off. The solution "_s);
    QCOMPARE(lines[1], u"output at the bottom of the window is updated each time that you click in a "_s);
    QCOMPARE(lines[2], u"checkbox."_s);
    QCOMPARE(lines[3], QString());
    QCOMPARE(lines[4], u"To see a map of the Underworld, click on 'View Underworld Map'."_s);
    QCOMPARE(memo->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QVERIFY(memo->isReadOnly());

    auto* about = w.about.findChild<QPlainTextEdit*>(u"AboutIt"_s);
    QCOMPARE(about->toPlainText().split(u'\n').size(), 18);
    QCOMPARE(about->palette().color(QPalette::Base), about->palette().color(QPalette::Button));
    auto* salute = w.about.findChild<QTextEdit*>(u"Memo1"_s);
    QCOMPARE(salute->toolTip(), u"The guild that I am a member of on server 100"_s);
    QCOMPARE(salute->font().pixelSize(), 19);
    QCOMPARE(salute->palette().color(QPalette::Text), QColor(Qt::black));
    QCOMPARE(salute->document()->firstBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask,
        Qt::AlignHCenter);
    QCOMPARE(w.form.findChild<QPushButton*>(u"MapButton"_s)->toolTip(),
        u"Click here to see a map of the Underworld"_s);
    QVERIFY(w.form.findChild<QLineEdit*>(u"OutputText"_s)->toolTip().isEmpty());
}

void WindowsTest::textsFitTheirBoxes_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("memo");
    QTest::addColumn<bool>("wraps");
    QTest::newRow("credits") << u"Form1"_s << u"AboutIt"_s << false;
    QTest::newRow("help") << u"HelpWindow"_s << u"Memo1"_s << true;
}

void WindowsTest::textsFitTheirBoxes()
{
    QFETCH(QString, window);
    QFETCH(QString, memo);
    QFETCH(bool, wraps);
    Windows w;
    QWidget* top = w.window(window);
    top->show();
    QVERIFY(QTest::qWaitForWindowExposed(top));
    auto* edit = top->findChild<QPlainTextEdit*>(memo);
    QVERIFY(edit);
    const QFontMetrics metrics(edit->font());
    const int margin = qCeil(edit->document()->documentMargin());
    const int width = edit->viewport()->width() - 2 * margin;
    int height = 0;
    for (const QString& line : edit->toPlainText().split(u'\n')) {
        if (!wraps)
            QVERIFY2(metrics.horizontalAdvance(line) <= width, qPrintable(line));
        const QRect box = metrics.boundingRect(QRect(0, 0, width, 10000), Qt::TextWordWrap, line);
        height += qMax(box.height(), metrics.lineSpacing());
    }
    QVERIFY2(height <= edit->viewport()->height() - 2 * margin,
        qPrintable(u"%1 > %2"_s.arg(height).arg(edit->viewport()->height() - 2 * margin)));
}

void WindowsTest::saluteFitsOneLine()
{
    Windows w;
    w.about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.about));
    auto* salute = w.about.findChild<QTextEdit*>(u"Memo1"_s);
    QVERIFY(salute);
    const QFontMetrics metrics(salute->font());
    const int margin = qCeil(salute->document()->documentMargin());
    QVERIFY(!salute->toPlainText().isEmpty());
    QVERIFY(!salute->toPlainText().contains(u'\n'));
    QVERIFY(metrics.horizontalAdvance(salute->toPlainText()) <= salute->viewport()->width() - 2 * margin);
    QVERIFY(metrics.height() <= salute->viewport()->height() - 2 * margin);
}

void WindowsTest::accessibleNames()
{
    Windows w;
    for (int light = 1; light <= 5; ++light) {
        QCOMPARE(w.box(light)->accessibleName(), u"Light %1"_s.arg(light));
        QCOMPARE(w.status(light)->accessibleName(), u"Light %1 status"_s.arg(light));
    }
    QCOMPARE(w.form.findChild<QLineEdit*>(u"OutputText"_s)->accessibleName(), u"Solution"_s);
    QVERIFY(!w.form.findChild<QLabel*>(u"Image1"_s)->accessibleName().isEmpty());
    QVERIFY(!w.map.findChild<QLabel*>(u"Image1"_s)->accessibleName().isEmpty());
    QVERIFY(!w.help.findChild<QWidget*>(u"Memo1"_s)->accessibleName().isEmpty());
    QVERIFY(!w.about.findChild<QWidget*>(u"Memo1"_s)->accessibleName().isEmpty());
    QVERIFY(!w.about.findChild<QWidget*>(u"AboutIt"_s)->accessibleName().isEmpty());
}

void WindowsTest::secondaryShowAndHide_data()
{
    QTest::addColumn<QString>("trigger");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("done");
    QTest::newRow("map button") << u"MapButton"_s << u"UnderworldMap"_s << u"DoneMap"_s;
    QTest::newRow("map menu") << u"ViewUnderworldMap1"_s << u"UnderworldMap"_s << u"DoneMap"_s;
    QTest::newRow("help menu") << u"Help2"_s << u"HelpWindow"_s << u"CloseHelp"_s;
    QTest::newRow("about menu") << u"About1"_s << u"Form1"_s << u"Button1"_s;
}

void WindowsTest::secondaryShowAndHide()
{
    QFETCH(QString, trigger);
    QFETCH(QString, window);
    QFETCH(QString, done);
    Windows w;
    w.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.form));
    QWidget* secondary = w.window(window);
    const auto open = [&] {
        if (auto* button = w.form.findChild<QPushButton*>(trigger))
            QTest::mouseClick(button, Qt::LeftButton);
        else
            w.action(trigger)->trigger();
    };

    open();
    QVERIFY(secondary->isVisible());
    QCOMPARE(secondary->pos(), w.window(window)->pos());
    QTest::mouseClick(w.button(secondary, done), Qt::LeftButton);
    QVERIFY(!secondary->isVisible());
    QVERIFY(w.form.isVisible());

    open();
    QVERIFY(secondary->isVisible());
    QVERIFY(secondary->close());
    QVERIFY(!secondary->isVisible());
    QVERIFY(w.form.isVisible());

    // All three can be open beside the solver window.
    w.form.findChild<QPushButton*>(u"MapButton"_s)->click();
    w.action(u"Help2"_s)->trigger();
    w.action(u"About1"_s)->trigger();
    QVERIFY(w.map.isVisible() && w.help.isVisible() && w.about.isVisible());
    QCOMPARE(w.map.pos(), QPoint(258, 102));
    QCOMPARE(w.help.pos(), QPoint(219, 194));
    QCOMPARE(w.about.pos(), QPoint(262, 140));
}

void WindowsTest::shownAgainIsNotRaised()
{
    Windows w;
    w.form.show();
    w.action(u"ViewUnderworldMap1"_s)->trigger();
    w.action(u"Help2"_s)->trigger();
    w.action(u"About1"_s)->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(&w.about));
    QCoreApplication::processEvents();
    RaiseWatcher watcher;
    for (QWidget* secondary : {static_cast<QWidget*>(&w.map), static_cast<QWidget*>(&w.help),
             static_cast<QWidget*>(&w.about)})
        secondary->installEventFilter(&watcher);
    w.form.findChild<QPushButton*>(u"MapButton"_s)->click();
    w.action(u"ViewUnderworldMap1"_s)->trigger();
    w.action(u"Help2"_s)->trigger();
    w.action(u"About1"_s)->trigger();
    QCoreApplication::processEvents();
    QCOMPARE(watcher.count, 0);
    QVERIFY(w.map.isVisible() && w.help.isVisible() && w.about.isVisible());
}

void WindowsTest::aboutOpensWithDoneFocused()
{
    Windows w;
    w.form.show();
    w.action(u"About1"_s)->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(&w.about));
    QCOMPARE(w.about.focusWidget(), w.button(&w.about, u"Button1"_s));
    for (const QString& memo : {u"AboutIt"_s, u"Memo1"_s})
        QCOMPARE(w.about.findChild<QWidget*>(memo)->focusPolicy(), Qt::NoFocus);
    QCOMPARE(w.help.findChild<QWidget*>(u"Memo1"_s)->focusPolicy(), Qt::NoFocus);
}

void WindowsTest::lightsWorkWithMapOpen()
{
    Windows w;
    w.form.show();
    QTest::mouseClick(w.form.findChild<QPushButton*>(u"MapButton"_s), Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowExposed(&w.map));
    QTest::mouseClick(w.box(2), Qt::LeftButton);
    QCOMPARE(w.output(), u"5, 4."_s);
    QVERIFY(w.map.isVisible());
}

void WindowsTest::exitClosesMain_data()
{
    QTest::addColumn<QString>("trigger");
    QTest::newRow("button") << u"ExitButton"_s;
    QTest::newRow("menu") << u"Exit1"_s;
}

void WindowsTest::exitClosesMain()
{
    QFETCH(QString, trigger);
    Windows w;
    w.form.show();
    w.action(u"Help2"_s)->trigger();
    if (auto* button = w.form.findChild<QPushButton*>(trigger))
        QTest::mouseClick(button, Qt::LeftButton);
    else
        w.action(trigger)->trigger();
    QVERIFY(!w.form.isVisible());
    QVERIFY(!w.help.isVisible());
}

void WindowsTest::closingMainEndsTheProgram()
{
    // With every secondary window showing, the title bar's close still ends the loop.
    Windows w;
    w.form.show();
    w.action(u"ViewUnderworldMap1"_s)->trigger();
    w.action(u"Help2"_s)->trigger();
    w.action(u"About1"_s)->trigger();
    QTimer::singleShot(0, &w.form, &QWidget::close);
    QTimer::singleShot(5000, &w.form, [] { QCoreApplication::exit(7); });
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(!w.form.isVisible());
    QVERIFY(!w.map.isVisible() && !w.help.isVisible() && !w.about.isVisible());
}

QTEST_MAIN(WindowsTest)
#include "windows_test.moc"
