#include "quantize.h"

#include <QHash>

#include <algorithm>

std::vector<QRgb> windows16()
{
    return {
        qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
        qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
        qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
    };
}

std::vector<QRgb> general256()
{
    std::vector<QRgb> palette = windows16();
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                palette.push_back(qRgb(r * 51, g * 51, b * 51));
    for (int i = 1; i <= 24; ++i) {
        const int v = i * 255 / 25;
        palette.push_back(qRgb(v, v, v));
    }
    return palette;
}

std::vector<QRgb> inkRamps(QRgb paper, const std::vector<QRgb>& inks)
{
    std::vector<QRgb> palette = windows16();
    palette.push_back(paper);
    const int steps = inks.empty() ? 0 : static_cast<int>((256 - palette.size()) / inks.size());
    for (const QRgb ink : inks)
        for (int k = 1; k <= steps; ++k) {
            auto mix = [&](int a, int b) { return a + (b - a) * k / steps; };
            palette.push_back(
                qRgb(mix(qRed(paper), qRed(ink)), mix(qGreen(paper), qGreen(ink)), mix(qBlue(paper), qBlue(ink))));
        }
    return palette;
}

IndexedImage quantize(const QImage& source, const std::vector<QRgb>& palette)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    IndexedImage out;
    out.width = image.width();
    out.height = image.height();
    out.palette = palette;
    const auto count = static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height);
    out.pixels.resize(count);
    out.transparent.resize(count);
    bool anyTransparent = false;
    QHash<QRgb, std::uint8_t> nearest;
    for (int y = 0; y < out.height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < out.width; ++x) {
            const auto i = static_cast<std::size_t>(y * out.width + x);
            if (qAlpha(line[x]) < 128) {
                out.transparent[i] = true;
                anyTransparent = true;
                out.pixels[i] = 0;
                continue;
            }
            const QRgb c = line[x] | 0xFF000000u;
            auto found = nearest.constFind(c);
            if (found == nearest.constEnd()) {
                int best = 0;
                int bestDistance = 0x7FFFFFFF;
                for (std::size_t p = 0; p < palette.size(); ++p) {
                    const int dr = qRed(c) - qRed(palette[p]);
                    const int dg = qGreen(c) - qGreen(palette[p]);
                    const int db = qBlue(c) - qBlue(palette[p]);
                    // Weighted roughly by how bright each channel looks.
                    const int d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
                    if (d < bestDistance) {
                        bestDistance = d;
                        best = static_cast<int>(p);
                    }
                }
                found = nearest.insert(c, static_cast<std::uint8_t>(best));
            }
            out.pixels[i] = *found;
        }
    }
    if (!anyTransparent)
        out.transparent.clear();
    return out;
}

QImage paletteImage(const IndexedImage& image)
{
    QImage out(image.width, image.height, QImage::Format_Indexed8);
    out.setColorTable(QList<QRgb>(image.palette.begin(), image.palette.end()));
    for (int y = 0; y < image.height; ++y)
        std::copy_n(&image.pixels[static_cast<std::size_t>(y * image.width)], image.width, out.scanLine(y));
    return out;
}
