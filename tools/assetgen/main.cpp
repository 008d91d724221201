// Writes the programs' pictures and icons:  assetgen <repository root>
// Reads them back and reports them:         assetgen --check <repository root> [png folder]
// Shrinks PNG files in place:                assetgen --palette-png <file>...

#include "drawings.h"
#include "png_palette.h"
#include "quantize.h"
#include "svg.h"
#include "writers.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

struct Asset {
    QString path;
    std::function<QByteArray()> make;
    int size = 0;  // for the desktop icons: their one width and height
};

const int desktopIconSizes[] = {16, 32, 48, 64, 128, 256};
// A program file's icon, which Explorer, the Start menu and the taskbar show, from 100 % to 300 % and in
// Explorer's large views.
const std::vector<int> programIconSizes = {16, 20, 24, 32, 40, 48, 64, 256};
// A window's title-bar and taskbar icons from 100 % to 300 %. The windows read theirs at start-up, every
// image of it, so it holds no more than they show, and no PNG, which would have to be inflated first.
const std::vector<int> windowIconSizes = {16, 20, 24, 32, 40, 48, 64, 80, 96};

QByteArray star()
{
    return bmp24(drawStar());
}

IndexedImage underworldAt(int scale)
{
    const std::vector<QRgb> inks = {
        qRgb(58, 36, 20),  // ink
        qRgb(176, 32, 20),  // flame red
        qRgb(240, 140, 24),  // flame orange
        qRgb(30, 52, 130),  // notes
        qRgb(170, 140, 96),  // paper shading
    };
    return quantize(drawUnderworldMap(scale), inkRamps(qRgb(238, 226, 192), inks));
}

QByteArray underworld()
{
    return bmpRle8(underworldAt(1));
}

// The pictures for screens of 2 and 3 device pixels to the pixel are PNGs: a fifth of the size of a BMP and,
// read only on such screens, hardly slower to decode.
template <int Scale> QByteArray starPng()
{
    return png(drawStar(Scale));
}

template <int Scale> QByteArray underworldPng()
{
    return png(paletteImage(underworldAt(Scale)));
}

// The 16-colour icons are pixel drawings at 32 and 16: larger sizes enlarge the 32-pixel drawing without
// smoothing, and those between two multiples are smoothed down from the next larger one.
QImage pixelIconAt(QImage (*draw)(int), int size)
{
    if (size <= 16)
        return draw(16);
    const int factor = (size + 31) / 32;
    const QImage enlarged = draw(32).scaled(32 * factor, 32 * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return enlarged.width() == size ? enlarged
                                    : enlarged.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage pellanIconAt(int size)
{
    return drawPellanIcon(size);
}
template <QImage (*Draw)(int)> QImage pixelIconOf(int size)
{
    return pixelIconAt(Draw, size);
}

// The images in kept stay as they were drawn first; the other sizes are in full colour with alpha.
QByteArray iconFile(const std::vector<IconEntry>& kept, QImage (*iconAt)(int), const std::vector<int>& sizes,
                    bool largeAsPng)
{
    std::vector<IconEntry> entries;
    for (const int size : sizes) {
        const auto found
            = std::find_if(kept.begin(), kept.end(), [&](const IconEntry& entry) { return entry.size == size; });
        if (found != kept.end())
            entries.push_back(*found);
        else if (largeAsPng && size >= 64)
            entries.push_back(pngIconEntry(iconAt(size)));
        else
            entries.push_back(trueColourIconEntry(iconAt(size)));
    }
    return ico(entries);
}

QByteArray programIcon(const std::vector<IconEntry>& kept, QImage (*iconAt)(int))
{
    return iconFile(kept, iconAt, programIconSizes, true);
}

QByteArray windowIcon(const std::vector<IconEntry>& kept, QImage (*iconAt)(int))
{
    return iconFile(kept, iconAt, windowIconSizes, false);
}

std::vector<IconEntry> pellanImages()
{
    return {indexedIconEntry(quantize(drawPellanIcon(32), general256()), 8)};
}

std::vector<IconEntry> sixteenColourImages(QImage (*draw)(int), const std::vector<int>& sizes)
{
    std::vector<IconEntry> images;
    for (const int size : sizes)
        images.push_back(indexedIconEntry(quantize(draw(size), windows16()), 4));
    return images;
}

// Each program's desktop icons: hicolor PNGs at the usual sizes and the macOS bundle icon.
void addDesktopIcons(std::vector<Asset>& assets, const QString& folder, const QString& program, QImage (*iconAt)(int))
{
    for (const int size : desktopIconSizes)
        assets.push_back({folder + u"/icons/"_s + program + u'-' + QString::number(size) + u".png"_s,
                          [=] { return png(iconAt(size)); }, size});
    assets.push_back({folder + u'/' + program + u".icns"_s, [=] {
                          std::vector<QImage> images;
                          for (const int size : desktopIconSizes)
                              images.push_back(iconAt(size));
                          return icns(images);
                      }});
}

std::vector<Asset> allAssets()
{
    std::vector<Asset> assets = {
        {u"pellan/assets/star.bmp"_s, star},
        {u"pellan/assets/star@2x.png"_s, starPng<2>},
        {u"pellan/assets/star@3x.png"_s, starPng<3>},
        {u"pellan/assets/underworld.bmp"_s, underworld},
        {u"pellan/assets/pellan.ico"_s, [] { return programIcon(pellanImages(), pellanIconAt); }},
        {u"pellan/assets/pellan-window.ico"_s, [] { return windowIcon(pellanImages(), pellanIconAt); }},
        {u"sorvex/assets/sorvex.ico"_s,
         [] { return programIcon(sixteenColourImages(drawSorvexIcon, {32, 16}), pixelIconOf<drawSorvexIcon>); }},
        {u"sorvex/assets/sorvex-window.ico"_s,
         [] { return windowIcon(sixteenColourImages(drawSorvexIcon, {32, 16}), pixelIconOf<drawSorvexIcon>); }},
        // The dialogs' icon resource keeps to its two 16-colour images.
        {u"sorvex/assets/sorvex-16-colours.ico"_s, [] { return ico(sixteenColourImages(drawSorvexIcon, {32, 16})); }},
        {u"korvane/assets/form1.ico"_s,
         [] { return windowIcon(sixteenColourImages(drawCalculatorIcon, {32}), pixelIconOf<drawCalculatorIcon>); }},
        {u"korvane/assets/form2.ico"_s,
         [] { return windowIcon(sixteenColourImages(drawInfoIcon, {32}), pixelIconOf<drawInfoIcon>); }},
        {u"korvane/assets/korvane.ico"_s,
         [] { return programIcon(sixteenColourImages(drawKorvaneIcon, {32, 16}), pixelIconOf<drawKorvaneIcon>); }},
    };
    addDesktopIcons(assets, u"pellan/assets"_s, u"pellan"_s, pellanIconAt);
    addDesktopIcons(assets, u"sorvex/assets"_s, u"sorvex"_s, pixelIconOf<drawSorvexIcon>);
    addDesktopIcons(assets, u"korvane/assets"_s, u"korvane"_s, pixelIconOf<drawKorvaneIcon>);
    // Scalable, for every size a desktop asks for that has no PNG of its own.
    assets.push_back({u"pellan/assets/icons/pellan.svg"_s, [] { return svg(u"Pellan"_s, 32, paintPellanIcon); }});
    assets.push_back({u"sorvex/assets/icons/sorvex.svg"_s, [] { return pixelSvg(u"Sorvex"_s, drawSorvexIcon(32)); }});
    assets.push_back(
        {u"korvane/assets/icons/korvane.svg"_s, [] { return pixelSvg(u"korvane"_s, drawKorvaneIcon(32)); }});
    return assets;
}

int write(const QDir& root)
{
    for (const Asset& asset : allAssets()) {
        const QString path = root.filePath(asset.path);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(asset.make()) < 0) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        std::printf("wrote %s\n", qPrintable(asset.path));
    }
    return 0;
}

// The container's entries must be PNGs of the sizes their types stand for, covering every desktop size.
int checkIcns(const QString& path, const QString& shownPath)
{
    QFile file(path);
    const std::vector<IcnsEntry> entries
        = file.open(QIODevice::ReadOnly) ? readIcns(file.readAll()) : std::vector<IcnsEntry>{};
    if (entries.empty()) {
        std::printf("%s: not a readable icns container\n", qPrintable(shownPath));
        return 1;
    }
    int failures = 0;
    for (const IcnsEntry& entry : entries) {
        std::printf("%s[%s]: PNG %dx%d\n", qPrintable(shownPath), entry.type.constData(), entry.image.width(),
                    entry.image.height());
        if (entry.image.isNull() || entry.image.width() != entry.image.height())
            ++failures;
    }
    for (const int size : desktopIconSizes) {
        if (size == 48)
            continue;  // the format has no slot for it
        const bool present = std::any_of(entries.begin(), entries.end(),
                                         [&](const IcnsEntry& entry) { return entry.image.width() == size; });
        if (!present) {
            std::printf("%s: no %dx%d image\n", qPrintable(shownPath), size, size);
            ++failures;
        }
    }
    return failures;
}

int check(const QDir& root, const QString& pngFolder)
{
    int failures = 0;
    for (const Asset& asset : allAssets()) {
        if (asset.path.endsWith(u".icns"_s)) {
            failures += checkIcns(root.filePath(asset.path), asset.path);
            continue;
        }
        QImageReader reader(root.filePath(asset.path));
        const QByteArray format = reader.format();
        int index = 0;
        do {
            const QImage image = reader.read();
            if (image.isNull()) {
                std::printf("%s: unreadable: %s\n", qPrintable(asset.path), qPrintable(reader.errorString()));
                ++failures;
                break;
            }
            std::printf("%s[%d]: %s %dx%d depth %d colours %lld\n", qPrintable(asset.path), index, format.constData(),
                        image.width(), image.height(), image.depth(), static_cast<long long>(image.colorCount()));
            if (asset.size != 0 && (image.width() != asset.size || image.height() != asset.size)) {
                std::printf("%s: expected %dx%d\n", qPrintable(asset.path), asset.size, asset.size);
                ++failures;
            }
            if (!pngFolder.isEmpty()) {
                const QString name
                    = QFileInfo(asset.path).completeBaseName() + u'-' + QString::number(index) + u".png"_s;
                // Enlarged without smoothing so that single pixels can be judged.
                const int scale = image.width() <= 64 ? 8 : 2;
                image.scaled(image.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                    .save(QDir(pngFolder).filePath(name));
            }
            ++index;
        } while (reader.jumpToNextImage());
    }
    return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() >= 2 && args[0] == u"--check"_s)
        return check(QDir(args[1]), args.value(2));
    if (args.size() >= 2 && args[0] == u"--palette-png"_s) {
        int failures = 0;
        for (const QString& path : args.mid(1)) {
            if (const QString error = rewritePngWithPalette(path); !error.isEmpty()) {
                std::fprintf(stderr, "%s\n", qPrintable(error));
                ++failures;
            }
        }
        return failures == 0 ? 0 : 1;
    }
    if (args.size() == 1)
        return write(QDir(args[0]));
    std::fprintf(stderr, "usage: assetgen ROOT | assetgen --check ROOT [PNGDIR] | assetgen --palette-png PNG...\n");
    return 2;
}
