// The star and the map as their windows show them at the scale the test runs at (QT_SCALE_FACTOR): at 100 %
// the 1x bitmaps pixel for pixel, at every other scale sharper than the 1x bitmaps blown up to it; and the
// windows' icons, never blown up.
#include "sharpness.h"
#include "windows_fixture.h"

#include <QLabel>
#include <QtTest>

#include <map>

class PictureScaleTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup();
    void pictures_data();
    void pictures();
    void windowIcons();
};

namespace {

// How much sharper than its 1x bitmap smoothly enlarged a picture must look at each scale: a bitmap that
// Qt blows up stays at about 1, one drawn for the screen reaches these with room to spare.
double requiredSharpness(double ratio)
{
    const std::map<double, double> required = {{1.25, 1.05}, {1.5, 1.1}, {1.75, 1.2}, {2, 1.3}, {3, 1.3}};
    const auto found = required.find(ratio);
    return found == required.end() ? 0 : found->second;
}

}  // namespace

void PictureScaleTest::cleanup()
{
    QCOMPARE(ownerlessWindows().size(), 0);
}

void PictureScaleTest::pictures_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("bitmap");
    QTest::newRow("star") << u"PellanForm"_s << u":/assets/star.bmp"_s;
    QTest::newRow("map") << u"UnderworldMap"_s << u":/assets/underworld.bmp"_s;
}

void PictureScaleTest::pictures()
{
    QFETCH(QString, window);
    QFETCH(QString, bitmap);
    Windows w;
    QWidget* top = w.window(window);
    top->show();
    QVERIFY(QTest::qWaitForWindowExposed(top));
    auto* picture = top->findChild<QLabel*>(u"Image1"_s);
    QVERIFY(picture);
    const QImage original = QImage(bitmap).convertToFormat(QImage::Format_RGB32);
    const sharpness::ShownPicture shown = sharpness::shownPicture(*picture, original);
    const double ratio = top->devicePixelRatioF();

    if (ratio == 1) {
        QCOMPARE(picture->pixmap().toImage().convertToFormat(QImage::Format_RGB32), original);
        const QImage grabbed = shown.shown.convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < grabbed.height(); ++y) {
            for (int x = 0; x < grabbed.width(); ++x) {
                if (!shown.covered.contains(QPoint(x, y)) && grabbed.pixel(x, y) != shown.original.pixel(x, y))
                    QFAIL(qPrintable(u"differs from the bitmap at %1, %2"_s.arg(x).arg(y)));
            }
        }
        return;
    }

    const double required = requiredSharpness(ratio);
    QVERIFY2(required > 0, qPrintable(u"no requirement for scale %1"_s.arg(ratio)));
    const double sharper = sharpness::sharpnessRatio(shown);
    QVERIFY2(sharper >= required, qPrintable(u"%1 at scale %2, less than %3"_s.arg(sharper).arg(ratio).arg(required)));
    // The same window showing the 1x bitmap, as Qt blows it up, falls short of it.
    picture->setPixmap(QPixmap::fromImage(original));
    const double blownUp = sharpness::sharpnessRatio(sharpness::shownPicture(*picture, original));
    QVERIFY2(blownUp < required, qPrintable(u"blown up: %1"_s.arg(blownUp)));
}

void PictureScaleTest::windowIcons()
{
    Windows w;
    for (QWidget* window : w.app.windows()) {
        const QStringList blownUp = sharpness::blownUpIconSizes(window->windowIcon(), window->devicePixelRatioF());
        QVERIFY2(blownUp.isEmpty(), qPrintable(window->objectName() + u": "_s + blownUp.join(u", "_s)));
    }
}

QTEST_MAIN(PictureScaleTest)
#include "picture_scale_test.moc"
