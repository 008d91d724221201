// Every caption of the four windows fits its control at the scale the test runs at (QT_SCALE_FACTOR), where
// text is laid out with other metrics than at 100 %.
#include "text_fit.h"
#include "windows_fixture.h"

#include <QtTest>

class TextFitTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup();
    void captionsFit_data();
    void captionsFit();
    void everyAnswerFits();
};

void TextFitTest::cleanup()
{
    QCOMPARE(ownerlessWindows().size(), 0);
}

void TextFitTest::captionsFit_data()
{
    QTest::addColumn<QString>("window");
    for (const char* name : {"PellanForm", "Form1", "UnderworldMap", "HelpWindow"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TextFitTest::captionsFit()
{
    QFETCH(QString, window);
    Windows w;
    QWidget* shown = w.window(window);
    shown->show();
    QVERIFY(QTest::qWaitForWindowExposed(shown));
    const QStringList clipped = textfit::clippedTexts(*shown);
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(u"\n"_s)));
}

// The solution box and the status boxes, through all 32 patterns of lights.
void TextFitTest::everyAnswerFits()
{
    Windows w;
    w.solver.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.solver));
    for (int pattern = 0; pattern < 32; ++pattern) {
        for (int light = 1; light <= 5; ++light)
            w.box(light)->setChecked((pattern >> (light - 1)) & 1);
        const QStringList clipped = textfit::clippedTexts(w.solver);
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(u"\n"_s)));
    }
}

QTEST_MAIN(TextFitTest)
#include "text_fit_test.moc"
