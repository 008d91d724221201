#pragma once

#include <QByteArray>
#include <QImage>
#include <QRgb>

#include <cstdint>
#include <vector>

// A palette image, rows top-down, one byte per pixel whatever the depth it is written at.
struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<QRgb> palette;
    std::vector<std::uint8_t> pixels;
    std::vector<bool> transparent;  // icons only; empty means fully opaque

    std::uint8_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

QByteArray bmp24(const QImage& image);
QByteArray bmpRle8(const IndexedImage& image);
// One run of a row in BI_RLE8 form, without the end-of-line or end-of-bitmap marker.
QByteArray rle8Row(const std::uint8_t* row, int width);

// One image of an icon file as it is stored.
struct IconEntry {
    int size = 0;  // width and height
    int colourCount = 0;  // 0 for 256 colours or more
    int bitCount = 0;
    QByteArray body;
};
// A palette bitmap at 4 or 8 bits per pixel, with its AND mask.
IconEntry indexedIconEntry(const IndexedImage& image, int bitsPerPixel);
// A 32-bit bitmap with alpha, and the AND mask that readers without alpha use.
IconEntry trueColourIconEntry(const QImage& image);
// A PNG, as Windows reads them from Vista on; for the large sizes, which would be large as bitmaps.
IconEntry pngIconEntry(const QImage& image);
QByteArray ico(const std::vector<IconEntry>& entries);

QByteArray png(const QImage& image);

// An Apple icon container of PNG images; each square size from 16 to 256 fills the slots it suits.
QByteArray icns(const std::vector<QImage>& images);
struct IcnsEntry {
    QByteArray type;
    QImage image;  // null where the entry is not a readable PNG
};
// Empty when the container is malformed.
std::vector<IcnsEntry> readIcns(const QByteArray& data);
