// Every caption of the calculator and the info window fits its control at the scale the test runs at
// (QT_SCALE_FACTOR), where text is drawn with other glyphs than at 100 % and clipped at whole device pixels.
#include "calculator_window.h"
#include "improves_calculation.h"
#include "info_window.h"
#include "text_fit.h"
#include "window_fonts.h"

#include <QLabel>
#include <QtTest>

using namespace Qt::StringLiterals;

class TextFitTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { quendrith::setUpFonts(); }
    void captionsFit();
    void everyVerdictFits();
};

void TextFitTest::captionsFit()
{
    korvane::CalculatorWindow calculator;
    calculator.show();
    QVERIFY(QTest::qWaitForWindowExposed(&calculator));
    QStringList clipped = textfit::clippedTexts(calculator);
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(u"\n"_s)));

    calculator.showInfo();
    QWidget* info = calculator.info();
    QVERIFY(info);
    QVERIFY(QTest::qWaitForWindowExposed(info));
    clipped = textfit::clippedTexts(*info);
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(u"\n"_s)));
}

// The verdict line holds the longest of the seven verdicts as well as the shortest.
void TextFitTest::everyVerdictFits()
{
    korvane::CalculatorWindow calculator;
    calculator.show();
    QVERIFY(QTest::qWaitForWindowExposed(&calculator));
    auto* verdict = calculator.findChild<QLabel*>(u"Label1"_s);
    QVERIFY(verdict);
    for (const int needed : {0, 1, 15, 30, 45, 60, 75}) {
        verdict->setText(QString::fromUtf8(korvane::verdictFor(static_cast<std::int16_t>(needed))));
        const QStringList clipped = textfit::clippedTexts(calculator);
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(u"\n"_s)));
    }
}

QTEST_MAIN(TextFitTest)
#include "text_fit_test.moc"
