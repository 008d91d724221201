#include "writers.h"

#include <QBuffer>

#include <functional>

#include <stdexcept>

namespace {

constexpr std::int32_t pixelsPerMetre = 3780;  // 96 dpi

void put16(QByteArray& out, std::uint32_t v)
{
    out.append(static_cast<char>(v & 0xFFu));
    out.append(static_cast<char>((v >> 8) & 0xFFu));
}

void put32(QByteArray& out, std::uint32_t v)
{
    put16(out, v & 0xFFFFu);
    put16(out, v >> 16);
}

void putByte(QByteArray& out, std::uint32_t v)
{
    out.append(static_cast<char>(v & 0xFFu));
}

std::uint32_t u32(int v)
{
    if (v < 0)
        throw std::invalid_argument("negative size");
    return static_cast<std::uint32_t>(v);
}

int stride(int width, int bitsPerPixel)
{
    return ((width * bitsPerPixel + 31) / 32) * 4;
}

void fileHeader(QByteArray& out, std::uint32_t fileSize, std::uint32_t dataOffset)
{
    out.append("BM", 2);
    put32(out, fileSize);
    put32(out, 0);
    put32(out, dataOffset);
}

void infoHeader(QByteArray& out, int width, int height, int bits, std::uint32_t compression, std::uint32_t imageSize,
                std::uint32_t coloursUsed, bool withResolution)
{
    put32(out, 40);
    put32(out, u32(width));
    put32(out, u32(height));
    put16(out, 1);
    put16(out, u32(bits));
    put32(out, compression);
    put32(out, imageSize);
    put32(out, withResolution ? u32(pixelsPerMetre) : 0);
    put32(out, withResolution ? u32(pixelsPerMetre) : 0);
    put32(out, coloursUsed);
    put32(out, 0);
}

void putPalette(QByteArray& out, const std::vector<QRgb>& palette, std::size_t entries)
{
    for (std::size_t i = 0; i < entries; ++i) {
        const QRgb c = i < palette.size() ? palette[i] : qRgb(0, 0, 0);
        putByte(out, u32(qBlue(c)));
        putByte(out, u32(qGreen(c)));
        putByte(out, u32(qRed(c)));
        putByte(out, 0);
    }
}

void checkIndexed(const IndexedImage& image, std::size_t maxColours)
{
    if (image.width <= 0 || image.height <= 0
        || image.pixels.size() != static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height))
        throw std::invalid_argument("pixel count does not match the size");
    if (image.palette.empty() || image.palette.size() > maxColours)
        throw std::invalid_argument("palette too large");
    for (const std::uint8_t p : image.pixels)
        if (p >= image.palette.size())
            throw std::invalid_argument("pixel outside the palette");
}

}  // namespace

QByteArray bmp24(const QImage& source)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int rowBytes = stride(image.width(), 24);
    const std::uint32_t dataSize = u32(rowBytes * image.height());
    QByteArray out;
    fileHeader(out, 54 + dataSize, 54);
    infoHeader(out, image.width(), image.height(), 24, 0, dataSize, 0, true);
    for (int y = image.height() - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            putByte(out, u32(qBlue(line[x])));
            putByte(out, u32(qGreen(line[x])));
            putByte(out, u32(qRed(line[x])));
        }
        for (int pad = image.width() * 3; pad < rowBytes; ++pad)
            putByte(out, 0);
    }
    return out;
}

QByteArray rle8Row(const std::uint8_t* row, int width)
{
    QByteArray out;
    auto runAt = [&](int i) {
        int n = 1;
        while (i + n < width && n < 255 && row[i + n] == row[i])
            ++n;
        return n;
    };
    int i = 0;
    while (i < width) {
        const int run = runAt(i);
        if (run >= 3) {
            putByte(out, u32(run));
            putByte(out, row[i]);
            i += run;
            continue;
        }
        // Absolute mode: gather pixels until a run of three or more starts.
        int end = i;
        while (end < width && end - i < 255) {
            const int r = runAt(end);
            if (r >= 3)
                break;
            end += r < 255 - (end - i) ? r : 255 - (end - i);
        }
        const int count = end - i;
        if (count < 3) {
            // Absolute mode needs at least three pixels.
            for (int k = i; k < end;) {
                const int n = runAt(k) < end - k ? runAt(k) : end - k;
                putByte(out, u32(n));
                putByte(out, row[k]);
                k += n;
            }
        } else {
            putByte(out, 0);
            putByte(out, u32(count));
            out.append(reinterpret_cast<const char*>(row + i), count);
            if (count % 2 != 0)
                putByte(out, 0);
        }
        i = end;
    }
    return out;
}

QByteArray bmpRle8(const IndexedImage& image)
{
    checkIndexed(image, 256);
    QByteArray data;
    for (int y = image.height - 1; y >= 0; --y) {
        data += rle8Row(image.pixels.data() + static_cast<std::ptrdiff_t>(y) * image.width, image.width);
        putByte(data, 0);
        putByte(data, y == 0 ? 1 : 0);  // end of bitmap after the top row, end of line otherwise
    }
    const std::uint32_t paletteBytes = 256 * 4;
    const std::uint32_t offset = 54 + paletteBytes;
    QByteArray out;
    fileHeader(out, offset + u32(static_cast<int>(data.size())), offset);
    infoHeader(out, image.width, image.height, 8, 1, u32(static_cast<int>(data.size())), 256, true);
    putPalette(out, image.palette, 256);
    out += data;
    return out;
}

namespace {

std::uint32_t size32(const QByteArray& bytes)
{
    return u32(static_cast<int>(bytes.size()));
}

void checkIconSize(int width, int height)
{
    if (width != height || width <= 0 || width > 256)
        throw std::invalid_argument("icon images are square, 1 to 256 pixels");
}

// The AND mask, bottom-up: a set bit leaves the screen as it is.
QByteArray andMask(int width, int height, const std::function<bool(int, int)>& clear)
{
    const int andStride = stride(width, 1);
    QByteArray mask;
    for (int y = height - 1; y >= 0; --y) {
        QByteArray row(andStride, '\0');
        for (int x = 0; x < width; ++x)
            if (clear(x, y))
                row[x / 8] = static_cast<char>(static_cast<std::uint8_t>(row[x / 8]) | (0x80u >> (x % 8)));
        mask += row;
    }
    return mask;
}

}  // namespace

IconEntry indexedIconEntry(const IndexedImage& image, int bitsPerPixel)
{
    if (bitsPerPixel != 4 && bitsPerPixel != 8)
        throw std::invalid_argument("palette icons are written at 4 or 8 bits per pixel");
    const std::size_t colours = std::size_t{1} << bitsPerPixel;
    checkIndexed(image, colours);
    checkIconSize(image.width, image.height);
    const int xorStride = stride(image.width, bitsPerPixel);
    const std::uint32_t imageSize = u32((xorStride + stride(image.width, 1)) * image.height);
    QByteArray body;
    infoHeader(body, image.width, image.height * 2, bitsPerPixel, 0, imageSize, 0, false);
    putPalette(body, image.palette, colours);
    auto clear = [&](int x, int y) {
        return !image.transparent.empty() && image.transparent[static_cast<std::size_t>(y * image.width + x)];
    };
    for (int y = image.height - 1; y >= 0; --y) {
        QByteArray row(xorStride, '\0');
        for (int x = 0; x < image.width; ++x) {
            const std::uint8_t index = clear(x, y) ? 0 : image.at(x, y);
            if (bitsPerPixel == 8) {
                row[x] = static_cast<char>(index);
            } else {
                const auto shift = (x % 2 == 0) ? 4 : 0;
                row[x / 2] = static_cast<char>(static_cast<std::uint8_t>(row[x / 2]) | (index << shift));
            }
        }
        body += row;
    }
    body += andMask(image.width, image.height, clear);
    return {image.width, colours == 256 ? 0 : static_cast<int>(colours), bitsPerPixel, body};
}

IconEntry trueColourIconEntry(const QImage& source)
{
    checkIconSize(source.width(), source.height());
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int width = image.width();
    const int height = image.height();
    QByteArray body;
    infoHeader(body, width, height * 2, 32, 0, u32((width * 4 + stride(width, 1)) * height), 0, false);
    for (int y = height - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            putByte(body, u32(qBlue(line[x])));
            putByte(body, u32(qGreen(line[x])));
            putByte(body, u32(qRed(line[x])));
            putByte(body, u32(qAlpha(line[x])));
        }
    }
    body += andMask(width, height, [&](int x, int y) { return qAlpha(image.pixel(x, y)) < 128; });
    return {width, 0, 32, body};
}

IconEntry pngIconEntry(const QImage& image)
{
    checkIconSize(image.width(), image.height());
    return {image.width(), 0, 32, png(image.convertToFormat(QImage::Format_ARGB32))};
}

QByteArray ico(const std::vector<IconEntry>& entries)
{
    QByteArray out;
    put16(out, 0);
    put16(out, 1);
    put16(out, u32(static_cast<int>(entries.size())));
    std::uint32_t offset = 6 + 16 * u32(static_cast<int>(entries.size()));
    for (const IconEntry& entry : entries) {
        putByte(out, u32(entry.size % 256));  // 0 stands for 256
        putByte(out, u32(entry.size % 256));
        putByte(out, u32(entry.colourCount));
        putByte(out, 0);
        put16(out, 1);
        put16(out, u32(entry.bitCount));
        put32(out, size32(entry.body));
        put32(out, offset);
        offset += size32(entry.body);
    }
    for (const IconEntry& entry : entries)
        out += entry.body;
    return out;
}

QByteArray png(const QImage& image)
{
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        throw std::runtime_error("cannot encode PNG");
    return out;
}

namespace {

void putBigEndian32(QByteArray& out, std::uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.append(static_cast<char>((v >> shift) & 0xFFu));
}

std::uint32_t bigEndian32(const QByteArray& data, qsizetype at)
{
    std::uint32_t v = 0;
    for (qsizetype i = 0; i < 4; ++i)
        v = (v << 8) | static_cast<std::uint8_t>(data[at + i]);
    return v;
}

// The PNG slots of the format: plain sizes and the double-density ones.
struct IcnsSlot {
    const char* type;
    int pixels;
};
constexpr IcnsSlot icnsSlots[] = {
    {"icp4", 16}, {"icp5", 32}, {"icp6", 64}, {"ic07", 128}, {"ic08", 256}, {"ic11", 32}, {"ic12", 64}, {"ic13", 256},
};

}  // namespace

QByteArray icns(const std::vector<QImage>& images)
{
    QByteArray body;
    for (const IcnsSlot& slot : icnsSlots) {
        for (const QImage& image : images) {
            if (image.width() != slot.pixels || image.height() != slot.pixels)
                continue;
            const QByteArray data = png(image);
            body.append(slot.type, 4);
            putBigEndian32(body, u32(static_cast<int>(data.size()) + 8));
            body += data;
            break;
        }
    }
    QByteArray out("icns");
    putBigEndian32(out, u32(static_cast<int>(body.size()) + 8));
    return out + body;
}

std::vector<IcnsEntry> readIcns(const QByteArray& data)
{
    if (data.size() < 8 || !data.startsWith("icns") || bigEndian32(data, 4) != static_cast<std::uint32_t>(data.size()))
        return {};
    std::vector<IcnsEntry> entries;
    qsizetype at = 8;
    while (at < data.size()) {
        if (data.size() - at < 8)
            return {};
        const std::uint32_t length = bigEndian32(data, at + 4);
        if (length < 8 || length > static_cast<std::uint32_t>(data.size() - at))
            return {};
        IcnsEntry entry{data.mid(at, 4), {}};
        entry.image.loadFromData(data.mid(at + 8, static_cast<qsizetype>(length) - 8), "PNG");
        entries.push_back(entry);
        at += static_cast<qsizetype>(length);
    }
    return entries;
}
