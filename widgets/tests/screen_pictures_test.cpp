// Pictures and icons for the screen's pixel density: what each ratio is given, and that they follow their
// window to a screen of another ratio. Runs on three offscreen screens side by side, of ratios 1, 1.5 and 2.
#include "screen_pictures.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// A picture of 10 x 8 logical pixels whose drawing for each ratio is a checkerboard of single device pixels
// in a colour of its own, which no enlargement of a smaller drawing can make.
QImage drawn(int ratio)
{
    const QRgb colours[] = {qRgb(200, 30, 30), qRgb(30, 160, 30), qRgb(30, 30, 200)};
    QImage image(10 * ratio, 8 * ratio, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, (x + y) % 2 == 0 ? colours[ratio - 1] : qRgb(255, 255, 255));
    }
    return image;
}

QImage plain(const QPixmap& pixmap)
{
    QImage image = pixmap.toImage().convertToFormat(QImage::Format_RGB32);
    image.setDevicePixelRatio(1);
    return image;
}

// A red image at 16 pixels and a blue one at 48.
QIcon twoSizeIcon()
{
    QIcon icon;
    for (const auto& [size, colour] : {std::pair{16, Qt::red}, std::pair{48, Qt::blue}}) {
        QPixmap image(size, size);
        image.fill(colour);
        icon.addPixmap(image);
    }
    return icon;
}

// Keeps the screen changes from a picture, as a screen whose own ratio changes sends none.
class ScreenChangeBlocker : public QObject {
protected:
    bool eventFilter(QObject*, QEvent* event) override { return event->type() == QEvent::ScreenChangeInternal; }
};

}  // namespace

class ScreenPicturesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void picture_data();
    void picture();
    void paletteDrawingIsSmoothedInFullColour();
    void picturesFollowTheirWindowToOtherScreens_data();
    void picturesFollowTheirWindowToOtherScreens();
    void iconsAreReadOncePerProgram();

private:
    QTemporaryDir folder;
    quendrith::PictureFiles files;
};

void ScreenPicturesTest::initTestCase()
{
    QCOMPARE(QGuiApplication::screens().size(), 3);
    QVERIFY(folder.isValid());
    files = {folder.filePath(u"p.bmp"_s), folder.filePath(u"p@2x.png"_s), folder.filePath(u"p@3x.png"_s)};
    QVERIFY(drawn(1).save(files.at1x));
    QVERIFY(drawn(2).save(files.at2x));
    QVERIFY(drawn(3).convertToFormat(QImage::Format_Indexed8).save(files.at3x));
}

void ScreenPicturesTest::picture_data()
{
    QTest::addColumn<double>("ratio");
    QTest::addColumn<QSize>("device");
    QTest::addColumn<int>("drawnFor");  // the drawing it is an exact copy of, or 0 for one smoothed down
    QTest::newRow("1") << 1.0 << QSize(10, 8) << 1;
    QTest::newRow("1.25") << 1.25 << QSize(13, 10) << 0;
    QTest::newRow("1.5") << 1.5 << QSize(15, 12) << 0;
    QTest::newRow("1.75") << 1.75 << QSize(18, 14) << 0;
    QTest::newRow("2") << 2.0 << QSize(20, 16) << 2;
    QTest::newRow("2.5") << 2.5 << QSize(25, 20) << 0;
    QTest::newRow("3") << 3.0 << QSize(30, 24) << 3;
}

void ScreenPicturesTest::picture()
{
    QFETCH(double, ratio);
    QFETCH(QSize, device);
    QFETCH(int, drawnFor);
    const QPixmap shown = quendrith::pictureFor(files, ratio);
    QCOMPARE(shown.size(), device);
    QCOMPARE(shown.devicePixelRatio(), ratio);
    if (drawnFor != 0) {
        QCOMPARE(plain(shown), drawn(drawnFor));
        return;
    }
    // Smoothed down from the next larger drawing: its colour, never the 1x one's.
    const QRgb larger = drawn(ratio < 2 ? 2 : 3).pixel(0, 0);
    const QRgb centre = plain(shown).pixel(device.width() / 2, device.height() / 2);
    QCOMPARE(qRed(centre) > qBlue(centre), qRed(larger) > qBlue(larger));
    QCOMPARE(qGreen(centre) > qRed(centre), qGreen(larger) > qRed(larger));
    QVERIFY(qRed(centre) < 230 || qGreen(centre) < 230 || qBlue(centre) < 230);
}

// The 3x drawing is stored with a palette: smoothed down to 2.5 its colours blend into ones the palette lacks.
void ScreenPicturesTest::paletteDrawingIsSmoothedInFullColour()
{
    const QImage shown = plain(quendrith::pictureFor(files, 2.5));
    const QList<QRgb> palette = QImage(files.at3x).colorTable();
    int blended = 0;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x)
            blended += palette.contains(shown.pixel(x, y)) ? 0 : 1;
    }
    QVERIFY(blended > shown.width() * shown.height() / 2);
}

void ScreenPicturesTest::picturesFollowTheirWindowToOtherScreens_data()
{
    QTest::addColumn<bool>("screenChangesSeen");
    QTest::newRow("told of the new screen") << true;
    QTest::newRow("seeing it only in painting") << false;
}

void ScreenPicturesTest::picturesFollowTheirWindowToOtherScreens()
{
    QFETCH(bool, screenChangesSeen);
    const QList<QScreen*> screens = QGuiApplication::screens();
    QWidget window;
    window.setGeometry(QRect(screens[0]->geometry().topLeft() + QPoint(50, 50), QSize(100, 80)));
    auto* picture = new QLabel(&window);
    picture->setGeometry(10, 10, 10, 8);
    quendrith::showPicture(*picture, files);
    auto* icon = new QLabel(&window);
    icon->setGeometry(40, 10, 16, 16);
    quendrith::showIcon(*icon, twoSizeIcon(), QSize(16, 16));
    ScreenChangeBlocker blocker;
    if (!screenChangesSeen) {
        picture->installEventFilter(&blocker);
        icon->installEventFilter(&blocker);
    }
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(plain(picture->pixmap()), drawn(1));
    QCOMPARE(plain(icon->pixmap()).pixel(8, 8), qRgb(255, 0, 0));

    // What the window shows at each ratio: the picture drawn for it, and the icon's image of at least its size.
    const struct {
        int screen;
        QImage picture;
        int icon;
        QRgb iconColour;
    } visits[] = {{2, drawn(2), 32, qRgb(0, 0, 255)},
                  {1, plain(quendrith::pictureFor(files, 1.5)), 24, qRgb(0, 0, 255)},
                  {0, drawn(1), 16, qRgb(255, 0, 0)}};
    for (const auto& visit : visits) {
        window.move(screens[visit.screen]->geometry().topLeft() + QPoint(50, 50));
        QVERIFY(QTest::qWaitFor([&] { return window.screen() == screens[visit.screen]; }));
        QCOMPARE(window.screen(), screens[visit.screen]);
        const double ratio = screens[visit.screen]->devicePixelRatio();
        const QImage grab = plain(window.grab());
        const QSize pictureSize = visit.picture.size();
        QCOMPARE(grab.copy(QRect(QPoint(10, 10) * ratio, pictureSize)), visit.picture);
        const QImage iconShown = grab.copy(QRect(QPoint(40, 10) * ratio, QSize(visit.icon, visit.icon)));
        QCOMPARE(iconShown.pixel(visit.icon / 2, visit.icon / 2), visit.iconColour);
        QCOMPARE(icon->pixmap().size(), QSize(visit.icon, visit.icon));
    }
}

void ScreenPicturesTest::iconsAreReadOncePerProgram()
{
    const QString path = folder.filePath(u"icon.png"_s);
    QVERIFY(drawn(1).save(path));
    const QIcon first = quendrith::sharedIcon(path);
    QVERIFY(!first.isNull());
    QCOMPARE(quendrith::sharedIcon(path).cacheKey(), first.cacheKey());
    QVERIFY(quendrith::sharedIcon(files.at2x).cacheKey() != first.cacheKey());
}

int main(int argc, char* argv[])
{
    // Three screens side by side. The configuration goes by a relative path, as the platform's arguments are
    // split at colons, which a Windows path has.
    QTemporaryDir config;
    if (!config.isValid() || !QDir::setCurrent(config.path()))
        return 1;
    QFile screens(u"screens.json"_s);
    if (!screens.open(QIODevice::WriteOnly)
        || screens.write(R"({"screens": [)"
                         R"({"name": "a", "x": 0, "y": 0, "width": 600, "height": 400, "dpr": 1},)"
                         R"({"name": "b", "x": 600, "y": 0, "width": 600, "height": 400, "dpr": 1},)"
                         R"({"name": "c", "x": 1200, "y": 0, "width": 600, "height": 400, "dpr": 1}]})")
            < 0)
        return 1;
    screens.close();
    // Their ratios are Qt's scale factors: Qt 6.8's offscreen windows keep a ratio of 1 whatever their screen's
    // own, as the platform's windows do not follow the screen in Qt 6.6 and later.
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=screens.json");
    qputenv("QT_SCREEN_SCALE_FACTORS", "a=1;b=1.5;c=2");
    QApplication app(argc, argv);
    ScreenPicturesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "screen_pictures_test.moc"
