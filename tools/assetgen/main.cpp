// Writes the programs' pictures and icons:  assetgen <repository root>
// Reads them back and reports them:         assetgen --check <repository root> [png folder]
// Shrinks PNG files in place:                assetgen --palette-png <file>...

#include "drawings.h"
#include "png_palette.h"
#include "quantize.h"
#include "writers.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QTextStream>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

struct Asset {
    QString path;
    QByteArray (*make)();
};

QByteArray star() { return bmp24(drawStar()); }

QByteArray underworld()
{
    const std::vector<QRgb> inks = {
        qRgb(58, 36, 20),   // ink
        qRgb(176, 32, 20),  // flame red
        qRgb(240, 140, 24), // flame orange
        qRgb(30, 52, 130),  // notes
        qRgb(170, 140, 96), // paper shading
    };
    return bmpRle8(quantize(drawUnderworldMap(), inkRamps(qRgb(238, 226, 192), inks)));
}

QByteArray pellanIcon() { return ico({quantize(drawPellanIcon(), general256())}, 8); }

template <QImage (*Draw)(int)>
QByteArray twoSizes()
{
    return ico({quantize(Draw(32), windows16()), quantize(Draw(16), windows16())}, 4);
}

template <QImage (*Draw)(int)>
QByteArray oneSize()
{
    return ico({quantize(Draw(32), windows16())}, 4);
}

const Asset assets[] = {
    {u"pellan/assets/star.bmp"_s, star},
    {u"pellan/assets/underworld.bmp"_s, underworld},
    {u"pellan/assets/pellan.ico"_s, pellanIcon},
    {u"sorvex/resources/sorvex.ico"_s, twoSizes<drawSorvexIcon>},
    {u"korvane/assets/form1.ico"_s, oneSize<drawCalculatorIcon>},
    {u"korvane/assets/form2.ico"_s, oneSize<drawInfoIcon>},
    {u"korvane/assets/korvane.ico"_s, twoSizes<drawKorvaneIcon>},
};

int write(const QDir &root)
{
    for (const Asset &asset : assets) {
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

int check(const QDir &root, const QString &pngFolder)
{
    int failures = 0;
    for (const Asset &asset : assets) {
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
            std::printf("%s[%d]: %s %dx%d depth %d colours %lld\n", qPrintable(asset.path), index,
                        format.constData(), image.width(), image.height(), image.depth(),
                        static_cast<long long>(image.colorCount()));
            if (!pngFolder.isEmpty()) {
                const QString name = QFileInfo(asset.path).completeBaseName() + u'-' + QString::number(index) + u".png"_s;
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

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() >= 2 && args[0] == u"--check"_s)
        return check(QDir(args[1]), args.value(2));
    if (args.size() >= 2 && args[0] == u"--palette-png"_s) {
        int failures = 0;
        for (const QString &path : args.mid(1)) {
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
