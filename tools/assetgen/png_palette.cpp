#include "png_palette.h"

#include <QHash>
#include <QImage>
#include <QImageWriter>

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype kPaletteSize = 256;

// The picture with each colour replaced by its index in palette, as `indexOf` gives it.
QImage indexedImage(const QImage& image, const QList<QRgb>& palette, const QHash<QRgb, int>& indexOf)
{
    QImage indexed(image.size(), QImage::Format_Indexed8);
    indexed.setColorTable(palette);
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        uchar* out = indexed.scanLine(y);
        for (int x = 0; x < image.width(); ++x)
            out[x] = static_cast<uchar>(indexOf.value(row[x]));
    }
    return indexed;
}

QImage withExactPalette(const QImage& image)
{
    QHash<QRgb, int> indexes;
    QList<QRgb> palette;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (indexes.contains(row[x]))
                continue;
            if (palette.size() == kPaletteSize)
                return {};
            indexes.insert(row[x], static_cast<int>(palette.size()));
            palette.append(row[x]);
        }
    }
    return indexedImage(image, palette, indexes);
}

int distance(QRgb a, QRgb b)
{
    const int dr = qRed(a) - qRed(b), dg = qGreen(a) - qGreen(b), db = qBlue(a) - qBlue(b), da = qAlpha(a) - qAlpha(b);
    return dr * dr + dg * dg + db * db + da * da;
}

int channelError(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b)),
                     std::abs(qAlpha(a) - qAlpha(b))});
}

// A window picture has few colours but for the edges of smoothed text: the 256 most frequent colours, each
// other pixel mapped to the nearest of them, are kept when no channel of any pixel moves more than this.
constexpr int kLargestError = 24;

QImage withFrequentPalette(const QImage& image)
{
    QHash<QRgb, qsizetype> counts;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            ++counts[row[x]];
    }
    std::vector<std::pair<qsizetype, QRgb>> byCount;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        byCount.emplace_back(it.value(), it.key());
    // Ties go by colour, so that the same picture always gives the same file.
    std::sort(byCount.begin(), byCount.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first > b.first : a.second < b.second;
    });
    QList<QRgb> palette;
    for (std::size_t i = 0; i < byCount.size() && palette.size() < kPaletteSize; ++i)
        palette.append(byCount[i].second);

    QHash<QRgb, int> nearest;
    int worst = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        int best = 0;
        for (int i = 1; i < palette.size(); ++i) {
            if (distance(it.key(), palette[i]) < distance(it.key(), palette[best]))
                best = i;
        }
        worst = std::max(worst, channelError(it.key(), palette[best]));
        nearest.insert(it.key(), best);
    }
    if (worst > kLargestError)
        return {};
    return indexedImage(image, palette, nearest);
}

}  // namespace

QString rewritePngWithPalette(const QString& path)
{
    QImage image(path);
    if (image.isNull())
        return u"cannot read %1"_s.arg(path);
    image = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    QImage indexed = withExactPalette(image);
    if (indexed.isNull())
        indexed = withFrequentPalette(image);
    QImageWriter writer(path, "png");
    writer.setQuality(0);  // for PNG: the strongest compression
    if (!writer.write(indexed.isNull() ? image : indexed))
        return u"cannot write %1: %2"_s.arg(path, writer.errorString());
    return {};
}
