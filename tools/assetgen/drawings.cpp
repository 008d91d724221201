#include "drawings.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>
#include <cmath>
#include <numbers>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

QFont font(const QString& family, int pixels, bool bold = false, bool italic = false)
{
    QFont f(family);
    f.setPixelSize(pixels);
    f.setBold(bold);
    f.setItalic(italic);
    f.setHintingPreference(QFont::PreferFullHinting);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

// Tips and inner corners of a five-pointed star with one point straight down, outer first.
std::array<QPointF, 10> starCorners(QPointF centre, double outer, double inner)
{
    std::array<QPointF, 10> corners;
    for (int k = 0; k < 10; ++k) {
        const double angle = std::numbers::pi / 2 + k * std::numbers::pi / 5;
        const double radius = k % 2 == 0 ? outer : inner;
        corners[static_cast<std::size_t>(k)] = centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
    }
    return corners;
}

QPolygonF starPolygon(QPointF centre, double outer, double inner)
{
    const auto corners = starCorners(centre, outer, inner);
    return QPolygonF(QList<QPointF>(corners.begin(), corners.end()));
}

// Each arm is split along its ridge; each half is shaded by how it faces a light from the upper left.
void paintBevelledStar(QPainter& p, QPointF centre, double outer, double inner, QColor base, QColor outline,
                       double outlineWidth)
{
    const auto corners = starCorners(centre, outer, inner);
    const QPointF light(-0.6, -0.8);
    for (int k = 0; k < 10; ++k) {
        const QPointF a = corners[static_cast<std::size_t>(k)];
        const QPointF b = corners[static_cast<std::size_t>((k + 1) % 10)];
        const QPointF mid = (a + b) / 2 - centre;
        const double length = std::hypot(mid.x(), mid.y());
        const double facing = (mid.x() * light.x() + mid.y() * light.y()) / length;
        const int factor = static_cast<int>(100 + 45 * facing);
        const QColor shade = factor >= 100 ? base.lighter(factor) : base.darker(200 - factor);
        p.setPen(QPen(shade, 0.6));
        p.setBrush(shade);
        p.drawPolygon(QPolygonF({centre, a, b}));
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(outline, outlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::MiterJoin));
    p.drawPolygon(starPolygon(centre, outer, inner));
}

// A smooth curve through the given points (Catmull-Rom turned into cubic segments).
QPainterPath smoothPath(const std::vector<QPointF>& points)
{
    QPainterPath path(points.front());
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        const QPointF p0 = points[i == 0 ? 0 : i - 1];
        const QPointF p1 = points[i];
        const QPointF p2 = points[i + 1];
        const QPointF p3 = points[i + 2 < points.size() ? i + 2 : i + 1];
        path.cubicTo(p1 + (p2 - p0) / 6, p2 - (p3 - p1) / 6, p2);
    }
    return path;
}

}  // namespace

QImage drawStar(int scale)
{
    QImage image(230 * scale, 218 * scale, QImage::Format_RGB32);
    image.fill(QColor(192, 192, 192));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(scale, scale);

    const QPointF centre(115, 99);
    const double outer = 116;
    const double inner = 49;

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 150, 150));
    p.drawPolygon(starPolygon(centre + QPointF(3, 3), outer, inner));

    paintBevelledStar(p, centre, outer, inner, QColor(214, 28, 24), QColor(110, 8, 8), 1.6);

    const double discRadius = 52;
    QRadialGradient glow(centre + QPointF(-14, -16), discRadius * 1.5);
    glow.setColorAt(0, QColor(255, 214, 120));
    glow.setColorAt(0.55, QColor(250, 150, 30));
    glow.setColorAt(1, QColor(212, 100, 10));
    p.setBrush(glow);
    p.setPen(QPen(QColor(150, 60, 0), 2));
    p.drawEllipse(centre, discRadius, discRadius);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 226, 160), 1.2));
    p.drawEllipse(centre, discRadius - 5, discRadius - 5);

    auto title = [&](const QString& text, const QFont& f, double baseline) {
        QPainterPath path;
        path.addText(0, 0, f, text);
        const QRectF box = path.boundingRect();
        const QPointF at(centre.x() - box.center().x(), baseline);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 236, 190));
        p.drawPath(path.translated(at + QPointF(-1, -1)));
        p.setBrush(QColor(120, 20, 6));
        p.drawPath(path.translated(at + QPointF(1, 1)));
        p.setBrush(QColor(176, 30, 10));
        p.drawPath(path.translated(at));
    };
    title(u"Pellan"_s, font(u"Liberation Serif"_s, 30, true, true), centre.y() - 2);
    title(u"95"_s, font(u"Liberation Sans"_s, 28, true), centre.y() + 28);
    return image;
}

QImage drawUnderworldMap(int scale)
{
    const QColor paper(238, 226, 192);
    const QColor ink(58, 36, 20);
    const QColor red(176, 32, 20);
    const QColor orange(240, 140, 24);
    const QColor blue(30, 52, 130);
    const QColor shade(170, 140, 96);

    QImage image(384 * scale, 424 * scale, QImage::Format_RGB32);
    image.fill(paper);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(scale, scale);

    // Frame
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(shade, 3));
    p.drawRect(QRectF(5.5, 5.5, 373, 411));
    p.setPen(QPen(ink, 1));
    p.drawRect(QRectF(9.5, 9.5, 365, 403));

    auto text = [&](const QString& s, const QFont& f, QColor c, QPointF at, double angle = 0) {
        p.save();
        p.translate(at);
        p.rotate(angle);
        p.setFont(f);
        p.setPen(c);
        p.drawText(QPointF(0, 0), s);
        p.restore();
    };
    auto centred = [&](const QString& s, const QFont& f, QColor c, QPointF at) {
        p.setFont(f);
        p.setPen(c);
        const QRectF box(at.x() - 100, at.y() - 20, 200, 40);
        p.drawText(box, Qt::AlignCenter, s);
    };

    centred(u"The Underworld"_s, font(u"Liberation Serif"_s, 24, true, true), ink, QPointF(192, 30));

    const QPointF node(192, 214);
    const QPointF start(318, 372);
    const std::array<QPointF, 5> braziers = {
        QPointF(62, 96), QPointF(310, 84), QPointF(338, 236), QPointF(226, 330), QPointF(58, 262),
    };

    const std::vector<std::vector<QPointF>> corridors = {
        // start to the node, the long way round
        {start, {292, 390}, {250, 384}, {200, 392}, {152, 372}, {150, 330}, {176, 300}, {160, 268}, {176, 240}, node},
        // node to brazier 1
        {node, {160, 196}, {150, 160}, {110, 170}, {96, 136}, {120, 110}, {96, 84}, braziers[0]},
        // node to brazier 2
        {node, {210, 180}, {196, 146}, {226, 124}, {252, 140}, {276, 112}, {262, 84}, braziers[1]},
        // node to brazier 3
        {node, {230, 226}, {256, 198}, {290, 206}, {300, 178}, {336, 180}, {350, 206}, braziers[2]},
        // node to brazier 4
        {node, {214, 246}, {236, 266}, {250, 290}, {238, 312}, braziers[3]},
        // node to brazier 5
        {node, {156, 232}, {120, 220}, {110, 250}, {84, 240}, braziers[4]},
        // dead ends and a loop
        {{150, 160}, {170, 120}, {150, 92}, {176, 70}},
        {{110, 250}, {120, 290}, {96, 318}, {116, 344}},
        {{252, 140}, {300, 150}, {300, 178}},
        {{96, 136}, {50, 150}, {36, 190}},
    };

    std::vector<QPainterPath> paths;
    for (const auto& points : corridors)
        paths.push_back(smoothPath(points));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink, 10, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (const auto& path : paths)
        p.drawPath(path);
    p.setPen(QPen(paper, 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (const auto& path : paths)
        p.drawPath(path);
    // footsteps along the way from the start
    p.setPen(QPen(shade, 1.2, Qt::DotLine, Qt::RoundCap));
    p.drawPath(paths[0]);

    // Rooms
    auto room = [&](QPointF at, double radius) {
        p.setPen(QPen(ink, 1.5));
        p.setBrush(paper);
        p.drawEllipse(at, radius, radius);
    };
    room(node, 21);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink, 1));
    p.drawEllipse(node, 17.5, 17.5);
    centred(u"Node"_s, font(u"Liberation Serif"_s, 12, true), ink, node);

    auto brazier = [&](QPointF at, int number, QPointF labelOffset) {
        room(at, 15);
        // bowl on three legs
        p.setPen(QPen(ink, 1.2));
        p.drawLine(at + QPointF(-5, 4), at + QPointF(-7, 10));
        p.drawLine(at + QPointF(5, 4), at + QPointF(7, 10));
        p.drawLine(at + QPointF(0, 5), at + QPointF(0, 10));
        p.setBrush(ink);
        QPainterPath bowl(at + QPointF(-8, 0));
        bowl.cubicTo(at + QPointF(-7, 6), at + QPointF(7, 6), at + QPointF(8, 0));
        bowl.closeSubpath();
        p.drawPath(bowl);
        // flame
        QPainterPath flame(at + QPointF(0, -13));
        flame.cubicTo(at + QPointF(3, -8), at + QPointF(8, -5), at + QPointF(6, -1));
        flame.lineTo(at + QPointF(-6, -1));
        flame.cubicTo(at + QPointF(-8, -5), at + QPointF(-2, -7), at + QPointF(0, -13));
        p.setPen(QPen(red, 1));
        p.setBrush(orange);
        p.drawPath(flame);
        QPainterPath core(at + QPointF(0, -7));
        core.cubicTo(at + QPointF(2, -5), at + QPointF(3, -3), at + QPointF(2, -1));
        core.lineTo(at + QPointF(-2, -1));
        core.cubicTo(at + QPointF(-3, -3), at + QPointF(-1, -5), at + QPointF(0, -7));
        p.setPen(Qt::NoPen);
        p.setBrush(red);
        p.drawPath(core);
        text(u"Brazier "_s + QString::number(number), font(u"Liberation Serif"_s, 13, true, true), red,
             at + labelOffset);
    };
    brazier(braziers[0], 1, QPointF(-32, -20));
    brazier(braziers[1], 2, QPointF(-30, -20));
    brazier(braziers[2], 3, QPointF(-82, 5));
    brazier(braziers[3], 4, QPointF(20, 14));
    brazier(braziers[4], 5, QPointF(-30, 31));

    // Start
    room(start, 13);
    p.setPen(QPen(red, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(start + QPointF(-6, -6), start + QPointF(6, 6));
    p.drawLine(start + QPointF(6, -6), start + QPointF(-6, 6));
    text(u"Start"_s, font(u"Liberation Serif"_s, 15, true, true), red, start + QPointF(-18, -19));

    // Compass
    const QPointF compass(344, 40);
    p.setPen(QPen(ink, 1));
    p.setBrush(ink);
    p.drawPolygon(QPolygonF(
        {compass + QPointF(0, -14), compass + QPointF(5, 4), compass + QPointF(0, 1), compass + QPointF(-5, 4)}));
    text(u"N"_s, font(u"Liberation Serif"_s, 11, true), ink, compass + QPointF(-4, 16));

    // Notes
    const QFont note = font(u"Liberation Serif"_s, 13, false, true);
    text(u"Light all five braziers!"_s, note, blue, QPointF(176, 58), -4);
    text(u"Return to the node"_s, note, blue, QPointF(266, 276), -3);
    text(u"once all braziers"_s, note, blue, QPointF(270, 291), -3);
    text(u"are lit."_s, note, blue, QPointF(274, 306), -3);
    text(u"dead end"_s, note, blue, QPointF(188, 84), 8);
    text(u"dead end"_s, note, blue, QPointF(124, 356), -6);
    text(u"keep to the left"_s, note, blue, QPointF(170, 410), 0);
    text(u"here be shades"_s, note, blue, QPointF(18, 204), -80);
    return image;
}

QImage drawPellanIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    paintPellanIcon(p);
    return image;
}

void paintPellanIcon(QPainter& p)
{
    const QPointF centre(16, 15);
    paintBevelledStar(p, centre, 15.5, 6.6, QColor(214, 28, 24), QColor(110, 8, 8), 1);
    p.setPen(QPen(QColor(150, 60, 0), 1));
    p.setBrush(QColor(255, 153, 0));
    p.drawEllipse(centre, 5, 5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 102));
    p.drawEllipse(centre + QPointF(-1.5, -1.5), 2, 2);
}

namespace {

// The colours of the 16-colour icons, all from the standard palette.
const QColor black(0, 0, 0);
const QColor maroon(128, 0, 0);
const QColor green(0, 128, 0);
const QColor olive(128, 128, 0);
const QColor navy(0, 0, 128);
const QColor teal(0, 128, 128);
const QColor silver(192, 192, 192);
const QColor grey(128, 128, 128);
const QColor red(255, 0, 0);
const QColor lime(0, 255, 0);
const QColor yellow(255, 255, 0);
const QColor blue(0, 0, 255);
const QColor white(255, 255, 255);

// Pixel drawing on a transparent square; rectangles are given as first and last pixel, inclusive.
class Pixels {
public:
    explicit Pixels(int size) : picture(size, size, QImage::Format_ARGB32) { picture.fill(Qt::transparent); }

    void fill(int x0, int y0, int x1, int y1, QColor c)
    {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                set(x, y, c);
    }
    void box(int x0, int y0, int x1, int y1, QColor inside, QColor edge)
    {
        fill(x0, y0, x1, y1, edge);
        fill(x0 + 1, y0 + 1, x1 - 1, y1 - 1, inside);
    }
    void set(int x, int y, QColor c)
    {
        if (picture.rect().contains(x, y))
            picture.setPixelColor(x, y, c);
    }
    void disc(int cx, int cy, int radius, QColor inside, QColor edge)
    {
        for (int y = cy - radius; y <= cy + radius; ++y)
            for (int x = cx - radius; x <= cx + radius; ++x) {
                const int d = (x - cx) * (x - cx) + (y - cy) * (y - cy);
                if (d <= radius * radius + radius)
                    set(x, y, d >= (radius - 1) * (radius - 1) + radius - 1 ? edge : inside);
            }
    }
    // A horizontal arrow from x0 to the tip at x1, shaft rows y..y+thickness-1, head spreading by spread rows.
    void arrow(int x0, int x1, int y, int thickness, int spread, QColor c)
    {
        const int step = x1 > x0 ? 1 : -1;
        const int headLength = 2 * spread + 1;
        const int headStart = x1 - step * (headLength - 1);
        for (int x = x0; x != headStart; x += step)
            fill(x, y, x, y + thickness - 1, c);
        for (int i = 0, x = headStart; i < headLength; ++i, x += step)
            fill(x, y - spread + (i + 1) / 2, x, y + thickness - 1 + spread - (i + 1) / 2, c);
    }
    void filled(const QPolygonF& points, QColor c)
    {
        QPainter p(&picture);
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.drawPolygon(points);
    }
    QImage image() const { return picture; }

private:
    QImage picture;
};

// An arrow from tail to tip as one polygon: shaft half-width, head half-width and head length.
QPolygonF diagonalArrow(QPointF tail, QPointF tip, double shaft, double head, double headLength)
{
    const QPointF along = tip - tail;
    const double length = std::hypot(along.x(), along.y());
    const QPointF d = along / length;
    const QPointF n(-d.y(), d.x());
    const QPointF base = tip - d * headLength;
    return QPolygonF({tail + n * shaft, base + n * shaft, base + n * head, tip, base - n * head, base - n * shaft,
                      tail - n * shaft});
}

}  // namespace

QImage drawSorvexIcon(int size)
{
    Pixels px(size);
    if (size >= 32) {
        // a scroll: rolled ends over an unrolled sheet, and arrows in and out
        px.box(7, 2, 24, 18, white, black);
        px.box(5, 0, 26, 3, olive, black);
        px.box(5, 17, 26, 20, olive, black);
        px.fill(6, 1, 25, 1, yellow);
        px.fill(6, 18, 25, 18, yellow);
        for (int y = 6; y <= 15; y += 3)
            px.fill(10, y, y == 15 ? 17 : 21, y, navy);
        px.arrow(3, 28, 23, 2, 2, blue);
        px.arrow(28, 3, 28, 2, 2, red);
    } else {
        px.box(3, 2, 12, 8, white, black);
        px.box(2, 0, 13, 2, olive, black);
        px.box(2, 8, 13, 10, olive, black);
        px.fill(5, 4, 10, 4, navy);
        px.fill(5, 6, 8, 6, navy);
        px.fill(1, 12, 11, 12, blue);
        px.fill(11, 11, 12, 13, blue);
        px.set(13, 12, blue);
        px.fill(4, 14, 14, 14, red);
        px.fill(3, 13, 4, 15, red);
        px.set(2, 14, red);
    }
    return px.image();
}

QImage drawCalculatorIcon(int size)
{
    Pixels px(size);
    if (size < 32) {
        px.box(3, 0, 12, 15, silver, black);
        px.box(4, 1, 11, 4, green, black);
        px.fill(6, 2, 9, 2, lime);
        px.fill(8, 3, 9, 3, lime);
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 3; ++col) {
                const int x = 4 + col * 3;
                const int y = 6 + row * 3;
                px.fill(x, y, x + 1, y + 1, col == 2 ? (row == 2 ? red : teal) : white);
            }
        return px.image();
    }
    px.box(6, 1, 25, 30, silver, black);
    px.fill(7, 29, 24, 29, grey);
    px.fill(24, 2, 24, 29, grey);
    px.box(8, 3, 23, 9, green, black);
    // "42" in lit segments
    px.fill(13, 5, 13, 7, lime);
    px.fill(13, 7, 15, 7, lime);
    px.fill(15, 5, 15, 9, lime);
    px.fill(18, 5, 20, 5, lime);
    px.fill(20, 5, 20, 7, lime);
    px.fill(18, 7, 20, 7, lime);
    px.fill(18, 7, 18, 9, lime);
    px.fill(18, 9, 20, 9, lime);
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 4; ++col) {
            const int x = 8 + col * 4;
            const int y = 12 + row * 4;
            const bool equals = col == 3 && row == 3;
            const bool operation = col == 3 && !equals;
            px.box(x, y, x + 3, y + 3, equals ? red : operation ? teal : white, black);
        }
    return px.image();
}

QImage drawInfoIcon(int size)
{
    Pixels px(size);
    if (size < 32) {
        px.disc(7, 7, 7, blue, navy);
        px.fill(6, 3, 8, 4, white);
        px.fill(5, 6, 8, 6, white);
        px.fill(6, 7, 8, 10, white);
        px.fill(5, 11, 9, 11, white);
        return px.image();
    }
    px.disc(15, 15, 14, blue, navy);
    px.fill(14, 6, 17, 9, white);
    px.fill(12, 12, 17, 13, white);
    px.fill(14, 14, 17, 22, white);
    px.fill(12, 23, 19, 24, white);
    return px.image();
}

QImage drawKorvaneIcon(int size)
{
    Pixels px(size);
    if (size >= 32) {
        px.box(2, 20, 9, 29, teal, black);
        px.box(12, 13, 19, 29, teal, black);
        px.box(22, 6, 29, 29, teal, black);
        px.fill(1, 30, 30, 30, black);
        const QPolygonF up = diagonalArrow(QPointF(4, 20), QPointF(24, 0), 1.8, 5.5, 8);
        px.filled(up.translated(1, 1), maroon);
        px.filled(up, red);
        px.set(26, 3, yellow);
        px.fill(25, 2, 27, 2, yellow);
        px.set(26, 1, yellow);
    } else {
        px.box(1, 10, 4, 14, teal, black);
        px.box(6, 7, 9, 14, teal, black);
        px.box(11, 4, 14, 14, teal, black);
        px.fill(0, 15, 15, 15, black);
        px.filled(diagonalArrow(QPointF(1.5, 9.5), QPointF(12, -0.5), 1.1, 3.2, 4.5), red);
    }
    return px.image();
}
