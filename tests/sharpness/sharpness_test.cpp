// The sharpness measure: what it counts, what it leaves out, and what it finds of a picture in a window.
#include "sharpness.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QtTest>

class SharpnessTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void laplacian_data();
    void laplacian();
    void pictureInWindow();
};

namespace {

QImage checkerboard(int size, int cell)
{
    QImage image(size, size, QImage::Format_RGB32);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x)
            image.setPixel(x, y, (x / cell + y / cell) % 2 == 0 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    }
    return image;
}

}  // namespace

void SharpnessTest::laplacian_data()
{
    QTest::addColumn<QImage>("image");
    QTest::addColumn<QRegion>("leftOut");
    QTest::addColumn<double>("expected");
    QImage flat(20, 20, QImage::Format_RGB32);
    flat.fill(qRgb(90, 140, 200));
    QTest::newRow("flat") << flat << QRegion() << 0.0;
    // Every pixel differs from all four neighbours by the full brightness range.
    QTest::newRow("single-pixel checkerboard") << checkerboard(20, 1) << QRegion() << 4 * 255.0;
    QImage half = checkerboard(20, 1);
    {
        QPainter painter(&half);
        painter.fillRect(0, 0, 20, 10, Qt::white);
    }
    // The flat upper half is left out with its border row, so only the checkerboard is measured.
    QTest::newRow("flat part left out") << half << QRegion(0, 0, 20, 10) << 4 * 255.0;
    QTest::newRow("everything left out") << checkerboard(20, 1) << QRegion(0, 0, 20, 20) << 0.0;
}

void SharpnessTest::laplacian()
{
    QFETCH(QImage, image);
    QFETCH(QRegion, leftOut);
    QFETCH(double, expected);
    QCOMPARE(sharpness::meanAbsoluteLaplacian(image, leftOut), expected);
}

void SharpnessTest::pictureInWindow()
{
    QWidget window;
    window.setFixedSize(120, 100);
    const QImage original = checkerboard(130, 3);
    auto* picture = new QLabel(&window);
    picture->setPixmap(QPixmap::fromImage(original));
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picture->setGeometry(20, 10, 110, 80);
    auto* button = new QPushButton(&window);
    button->setGeometry(10, 20, 30, 20);
    auto* under = new QLabel(&window);
    under->setGeometry(60, 20, 10, 10);
    under->lower();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    const sharpness::ShownPicture shown = sharpness::shownPicture(*picture, original);
    // Cut off by the window's right edge.
    QCOMPARE(shown.shown.size(), QSize(100, 80));
    QCOMPARE(shown.original.size(), QSize(100, 80));
    QCOMPARE(shown.original, original.copy(0, 0, 100, 80));
    // The button on top, with a margin; the label underneath hides nothing.
    QCOMPARE(shown.covered, QRegion(0, 9, 21, 22));
    const QImage grabbed = shown.shown.convertToFormat(QImage::Format_RGB32);
    const QImage expected = shown.original.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < grabbed.height(); ++y) {
        for (int x = 0; x < grabbed.width(); ++x) {
            if (!shown.covered.contains(QPoint(x, y)))
                QCOMPARE(grabbed.pixel(x, y), expected.pixel(x, y));
        }
    }
    QCOMPARE(sharpness::sharpnessRatio(shown), 1.0);
}

QTEST_MAIN(SharpnessTest)
#include "sharpness_test.moc"
