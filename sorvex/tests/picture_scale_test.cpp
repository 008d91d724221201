// The About box's icon and the dialogs' window icons at the scale the test runs at (QT_SCALE_FACTOR): drawn
// from the icon's own image for the device pixels the scale gives them, never blown up, and at 100 % the
// 32-pixel image as it is.
#include "about_dialog.h"
#include "converter_dialog.h"
#include "dialog_layouts.h"
#include "scratch_store.h"
#include "sharpness.h"
#include "window_fonts.h"

#include <QImageReader>
#include <QLabel>
#include <QtTest>

#include <cmath>
#include <memory>

using namespace Qt::StringLiterals;

class PictureScaleTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void aboutIcon();
    void windowIcons();

private:
    std::unique_ptr<sorvex::testing_support::ScratchStore> store;
};

namespace {

// The image of that size in the program's .ico, or a null image.
QImage storedImage(int size)
{
    QImageReader reader(u":/resources/sorvex.ico"_s);
    QImage found;
    do {
        const QImage image = reader.read();
        if (image.width() == size && (found.isNull() || image.depth() > found.depth()))
            found = image;
    } while (reader.jumpToNextImage());
    return found.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace

void PictureScaleTest::initTestCase()
{
    quendrith::setUpFonts();
    store = std::make_unique<sorvex::testing_support::ScratchStore>();
    QVERIFY(store->isValid());
}

void PictureScaleTest::aboutIcon()
{
    sorvex::ConverterDialog main;
    sorvex::AboutDialog about(&main);
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    auto* icon = about.findChild<QLabel*>(u"icon"_s);
    QVERIFY(icon);
    const double ratio = about.devicePixelRatioF();
    const int device = static_cast<int>(std::lround(32 * ratio));
    const QPixmap shown = icon->pixmap();
    QCOMPARE(shown.size(), QSize(device, device));
    QCOMPARE(shown.devicePixelRatio(), ratio);
    // Where the .ico has an image of exactly that size, it is shown as it is.
    const QImage stored = storedImage(device);
    if (ratio == 1)
        QVERIFY(!stored.isNull());
    if (!stored.isNull()) {
        QImage drawn = shown.toImage().convertToFormat(QImage::Format_ARGB32);
        drawn.setDevicePixelRatio(1);
        QCOMPARE(drawn, stored);
    }
}

void PictureScaleTest::windowIcons()
{
    sorvex::ConverterDialog main;
    sorvex::AboutDialog about(&main);
    for (QWidget* window : {static_cast<QWidget*>(&main), static_cast<QWidget*>(&about)}) {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QStringList blownUp = sharpness::blownUpIconSizes(window->windowIcon(), window->devicePixelRatioF());
        QVERIFY2(blownUp.isEmpty(), qPrintable(window->objectName() + u": "_s + blownUp.join(u", "_s)));
    }
}

QTEST_MAIN(PictureScaleTest)
#include "picture_scale_test.moc"
