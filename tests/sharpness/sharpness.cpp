#include "sharpness.h"

#include <QPixmap>
#include <QWidget>

#include <cmath>
#include <vector>

using namespace Qt::StringLiterals;

namespace sharpness {

namespace {

int floorTimes(int logical, double ratio)
{
    return static_cast<int>(std::floor(logical * ratio));
}

int ceilTimes(int logical, double ratio)
{
    return static_cast<int>(std::ceil(logical * ratio));
}

}  // namespace

double meanAbsoluteLaplacian(const QImage& image, const QRegion& leftOut)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const int width = rgb.width();
    const int height = rgb.height();
    std::vector<double> brightness(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    std::vector<bool> skipped(brightness.size());
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            const auto i = static_cast<std::size_t>(y * width + x);
            brightness[i] = 0.299 * qRed(line[x]) + 0.587 * qGreen(line[x]) + 0.114 * qBlue(line[x]);
        }
    }
    for (const QRect& rect : leftOut) {
        // Grown by one, so that no Laplacian reaches into it.
        const QRect grown = rect.adjusted(-1, -1, 1, 1).intersected(rgb.rect());
        for (int y = grown.top(); y <= grown.bottom(); ++y) {
            for (int x = grown.left(); x <= grown.right(); ++x)
                skipped[static_cast<std::size_t>(y * width + x)] = true;
        }
    }
    const auto at = [&](int x, int y) { return brightness[static_cast<std::size_t>(y * width + x)]; };
    double sum = 0;
    long long counted = 0;
    for (int y = 1; y < height - 1; ++y) {
        for (int x = 1; x < width - 1; ++x) {
            if (skipped[static_cast<std::size_t>(y * width + x)])
                continue;
            sum += std::abs(4 * at(x, y) - at(x - 1, y) - at(x + 1, y) - at(x, y - 1) - at(x, y + 1));
            ++counted;
        }
    }
    return counted > 0 ? sum / static_cast<double>(counted) : 0;
}

ShownPicture shownPicture(const QWidget& picture, const QImage& original)
{
    QWidget* window = picture.window();
    const QPoint origin = picture.mapTo(window, QPoint(0, 0));
    const QRect visible = QRect(origin, picture.size()).intersected(window->rect());
    const QPixmap grab = window->grab();
    const double ratio = grab.devicePixelRatio();
    const QRect device(QPoint(ceilTimes(visible.left(), ratio), ceilTimes(visible.top(), ratio)),
                       QPoint(floorTimes(visible.left() + visible.width(), ratio) - 1,
                              floorTimes(visible.top() + visible.height(), ratio) - 1));

    ShownPicture shown;
    shown.shown = grab.toImage().copy(device);
    shown.original = original.copy(visible.translated(-origin));
    if (picture.isWindow())
        return shown;
    // Siblings made or raised after the picture lie on top of it.
    const QObjectList& siblings = picture.parentWidget()->children();
    for (qsizetype i = siblings.indexOf(&picture) + 1; i < siblings.size(); ++i) {
        const auto* sibling = qobject_cast<const QWidget*>(siblings[i]);
        if (sibling == nullptr || !sibling->isVisible())
            continue;
        const QRect over(sibling->mapTo(window, QPoint(0, 0)), sibling->size());
        if (!over.intersects(visible))
            continue;
        const QRect overDevice(
            QPoint(floorTimes(over.left(), ratio) - 1, floorTimes(over.top(), ratio) - 1),
            QPoint(ceilTimes(over.left() + over.width(), ratio), ceilTimes(over.top() + over.height(), ratio)));
        shown.covered += overDevice.translated(-device.topLeft()).intersected(QRect(QPoint(0, 0), device.size()));
    }
    return shown;
}

double sharpnessRatio(const ShownPicture& picture)
{
    const QImage enlarged
        = picture.original.scaled(picture.shown.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const double reference = meanAbsoluteLaplacian(enlarged, picture.covered);
    return reference > 0 ? meanAbsoluteLaplacian(picture.shown, picture.covered) / reference : 0;
}

QStringList blownUpIconSizes(const QIcon& icon, qreal ratio)
{
    QStringList blownUp;
    for (const int size : {16, 32}) {
        const int device = static_cast<int>(std::lround(size * ratio));
        const QSize shown = icon.pixmap(QSize(size, size), ratio).size();
        if (shown != QSize(device, device))
            blownUp.append(u"%1 at %2: an image of %3"_s.arg(size).arg(ratio).arg(shown.width()));
    }
    return blownUp;
}

}  // namespace sharpness
