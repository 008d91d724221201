// Where each of the four windows and their controls sit, what they say, and what they tell screen readers.
#include "screen_pictures.h"
#include "window_fonts.h"
#include "windows_fixture.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QResource>
#include <QTextBlock>
#include <QTextEdit>
#include <QtTest>

using namespace Qt::StringLiterals;

class WindowLayoutTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void windowGeometry_data();
    void windowGeometry();
    void controlGeometry_data();
    void controlGeometry();
    void texts_data();
    void texts();
    void helpTextIsExact();
    void picturesReadAsStored_data();
    void picturesReadAsStored();
    void textsFitTheirBoxes_data();
    void textsFitTheirBoxes();
    void saluteFitsOneLine();
    void accessibleNames();
};

void WindowLayoutTest::initTestCase()
{
    quendrith::setUpFonts();
}

void WindowLayoutTest::cleanup()
{
    QCOMPARE(ownerlessWindows().size(), 0);
}

void WindowLayoutTest::windowGeometry_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QPoint>("position");
    QTest::addColumn<QSize>("client");
    QTest::newRow("solver") << u"PellanForm"_s << u"Brannoc's Pellan 95 - By Ellis Marrow"_s << QPoint(180, 59)
                            << QSize(353, 408);
    QTest::newRow("map") << u"UnderworldMap"_s << u"Underworld Map"_s << QPoint(258, 102) << QSize(384, 423);
    QTest::newRow("help") << u"HelpWindow"_s << u"Help"_s << QPoint(219, 194) << QSize(400, 141);
    QTest::newRow("about") << u"Form1"_s << u"About Pellan 95"_s << QPoint(262, 140) << QSize(369, 381);
}

void WindowLayoutTest::windowGeometry()
{
    QFETCH(QString, window);
    QFETCH(QString, title);
    QFETCH(QPoint, position);
    QFETCH(QSize, client);
    Windows w;
    QWidget* shown = w.shown(window);
    QVERIFY(shown);
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

void WindowLayoutTest::controlGeometry_data()
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

void WindowLayoutTest::controlGeometry()
{
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QRect, geometry);
    Windows w;
    auto* widget = w.shownControl<QWidget>(window, control);
    QVERIFY2(widget, qPrintable(control));
    QCOMPARE(widget->geometry(), geometry);
}

void WindowLayoutTest::texts_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("pixels");
    const QString form = u"PellanForm"_s;
    for (int light = 1; light <= 5; ++light) {
        QTest::addRow("Light%dLabel", light) << form << u"Light%1Label"_s.arg(light) << u"Light %1"_s.arg(light) << 13;
    }
    QTest::newRow("Label1") << form << u"Label1"_s << u"The Solution is:"_s << 19;
    QTest::newRow("OutputText") << form << u"OutputText"_s << u"4, 3, 1, 3, 5, 3, 2."_s << 16;
    QTest::newRow("MapButton") << form << u"MapButton"_s << u"View Underworld Map"_s << 11;
    QTest::newRow("ExitButton") << form << u"ExitButton"_s << u"Exit"_s << 11;
    QTest::newRow("DoneMap") << u"UnderworldMap"_s << u"DoneMap"_s << u"Done"_s << 11;
    QTest::newRow("CloseHelp") << u"HelpWindow"_s << u"CloseHelp"_s << u"Done"_s << 11;
    QTest::newRow("Button1") << u"Form1"_s << u"Button1"_s << u"Done"_s << 11;
}

void WindowLayoutTest::texts()
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
    // Asked for by a family that is installed, so that no look-up falls back to searching.
    QVERIFY2(QFontDatabase::hasFamily(widget->font().family()), qPrintable(widget->font().family()));
    QCOMPARE(QFontInfo(widget->font()).family(), widget->font().family());
    if (control.endsWith(u"Label"_s))
        QCOMPARE(widget->palette().color(QPalette::WindowText), QColor(Qt::red));
}

void WindowLayoutTest::picturesReadAsStored_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    QTest::newRow("star, 24 bits") << u":/assets/star.bmp"_s << QSize(230, 218);
    QTest::newRow("map, run-length 8 bits") << u":/assets/underworld.bmp"_s << QSize(384, 424);
}

// Read without asking the image plugins, the pictures must come out as a plain load gives them.
void WindowLayoutTest::picturesReadAsStored()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    const QPixmap read = quendrith::pictureFor({path, {}, {}}, 1);
    QCOMPARE(read.size(), size);
    QCOMPARE(read.toImage(), QPixmap(path).toImage());
    // Kept uncompressed, so that nothing is inflated into memory before it can be decoded.
    QCOMPARE(QResource(path).compressionAlgorithm(), QResource::NoCompression);
}

void WindowLayoutTest::helpTextIsExact()
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
    QCOMPARE(salute->document()->firstBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QCOMPARE(w.solver.findChild<QPushButton*>(u"MapButton"_s)->toolTip(),
             u"Click here to see a map of the Underworld"_s);
    QVERIFY(w.solver.findChild<QLineEdit*>(u"OutputText"_s)->toolTip().isEmpty());
}

void WindowLayoutTest::textsFitTheirBoxes_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("memo");
    QTest::addColumn<bool>("wraps");
    QTest::newRow("credits") << u"Form1"_s << u"AboutIt"_s << false;
    QTest::newRow("help") << u"HelpWindow"_s << u"Memo1"_s << true;
}

void WindowLayoutTest::textsFitTheirBoxes()
{
    QFETCH(QString, window);
    QFETCH(QString, memo);
    QFETCH(bool, wraps);
    Windows w;
    auto* edit = w.shownControl<QPlainTextEdit>(window, memo);
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

void WindowLayoutTest::saluteFitsOneLine()
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

void WindowLayoutTest::accessibleNames()
{
    Windows w;
    for (int light = 1; light <= 5; ++light) {
        QCOMPARE(w.box(light)->accessibleName(), u"Light %1"_s.arg(light));
        QCOMPARE(w.status(light)->accessibleName(), u"Light %1 status"_s.arg(light));
    }
    QCOMPARE(w.solver.findChild<QLineEdit*>(u"OutputText"_s)->accessibleName(), u"Solution"_s);
    QVERIFY(!w.solver.findChild<QLabel*>(u"Image1"_s)->accessibleName().isEmpty());
    QVERIFY(!w.map.findChild<QLabel*>(u"Image1"_s)->accessibleName().isEmpty());
    QVERIFY(!w.help.findChild<QWidget*>(u"Memo1"_s)->accessibleName().isEmpty());
    QVERIFY(!w.about.findChild<QWidget*>(u"Memo1"_s)->accessibleName().isEmpty());
    QVERIFY(!w.about.findChild<QWidget*>(u"AboutIt"_s)->accessibleName().isEmpty());
}

QTEST_MAIN(WindowLayoutTest)
#include "window_layout_test.moc"
