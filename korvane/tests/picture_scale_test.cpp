// The two forms' window icons at the scale the test runs at (QT_SCALE_FACTOR): drawn from an image of at least
// the device pixels the title bar and the task bar show them at, never blown up.
#include "calculator_window.h"
#include "info_window.h"
#include "sharpness.h"
#include "window_fonts.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class PictureScaleTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { quendrith::setUpFonts(); }
    void windowIcons();
};

void PictureScaleTest::windowIcons()
{
    korvane::CalculatorWindow calculator;
    calculator.show();
    QVERIFY(QTest::qWaitForWindowExposed(&calculator));
    calculator.showInfo();
    QVERIFY(calculator.info());
    QVERIFY(QTest::qWaitForWindowExposed(calculator.info()));
    for (QWidget* window : {static_cast<QWidget*>(&calculator), static_cast<QWidget*>(calculator.info())}) {
        const QStringList blownUp = sharpness::blownUpIconSizes(window->windowIcon(), window->devicePixelRatioF());
        QVERIFY2(blownUp.isEmpty(), qPrintable(window->objectName() + u": "_s + blownUp.join(u", "_s)));
    }
}

QTEST_MAIN(PictureScaleTest)
#include "picture_scale_test.moc"
