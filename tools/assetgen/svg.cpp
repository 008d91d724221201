#include "svg.h"

#include <QBuffer>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgGenerator>

#include <stdexcept>

using namespace Qt::StringLiterals;

QByteArray svg(const QString& title, int units, const std::function<void(QPainter&)>& paint)
{
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setTitle(title);
    generator.setSize(QSize(units, units));
    generator.setViewBox(QRect(0, 0, units, units));
    QPainter painter;
    if (!painter.begin(&generator))
        throw std::runtime_error("cannot draw an SVG");
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter);
    painter.end();
    // The generator gives the size in millimetres; icon themes expect pixels.
    QString text = QString::fromUtf8(out);
    const QString pixels = u"\"%1\""_s.arg(units);
    text.replace(QRegularExpression(u"<svg width=\"[^\"]*\" height=\"[^\"]*\""_s),
                 u"<svg width=%1 height=%1"_s.arg(pixels));
    return text.toUtf8();
}

QByteArray pixelSvg(const QString& title, const QImage& image)
{
    const QImage pixels = image.convertToFormat(QImage::Format_ARGB32);
    return svg(title, pixels.width(), [&](QPainter& painter) {
        painter.setRenderHint(QPainter::Antialiasing, false);
        for (int y = 0; y < pixels.height(); ++y) {
            for (int x = 0; x < pixels.width();) {
                const QRgb colour = pixels.pixel(x, y);
                int end = x + 1;
                while (end < pixels.width() && pixels.pixel(end, y) == colour)
                    ++end;
                if (qAlpha(colour) != 0)
                    painter.fillRect(QRect(x, y, end - x, 1), QColor::fromRgba(colour));
                x = end;
            }
        }
    });
}
