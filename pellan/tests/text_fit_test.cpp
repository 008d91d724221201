// Every caption of the four windows fits its control at the scale the test runs at (QT_SCALE_FACTOR), where
// text is laid out with other metrics than at 100 %.
#include "text_fit.h"
#include "windows_fixture.h"

#include <QtTest>

class TextFitTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup();
    void captionsFit();
    void everyAnswerFits();
};

void TextFitTest::cleanup()
{
    QCOMPARE(ownerlessWindows().size(), 0);
}

// All four windows shown at once, as a user may have them.
void TextFitTest::captionsFit()
{
    Windows w;
    for (QWidget* window : std::initializer_list<QWidget*>{&w.solver, &w.about, &w.map, &w.help}) {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QStringList clipped = textfit::clippedTexts(*window);
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(u"\n"_s)));
    }
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
