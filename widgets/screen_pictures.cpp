#include "screen_pictures.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QLabel>

#include <cmath>
#include <functional>
#include <utility>

namespace quendrith {

namespace {

QImage read(const QString& path)
{
    // Told the format, the reader goes straight to its decoder instead of loading every image plugin to
    // ask whether it reads the file.
    QImageReader reader(path, QFileInfo(path).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

// Keeps a label's pixmap drawn for the ratio the label is painted at.
class RatioFollower : public QObject {
public:
    RatioFollower(QLabel& shown, std::function<QPixmap(qreal)> drawing)
        : QObject(&shown), label(shown), draw(std::move(drawing))
    {
        label.installEventFilter(this);
        follow();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // Every paint is checked too: a screen whose own ratio changes (the only screen, on Windows) does not
        // move the window to another screen, and only repaints it.
        if (watched == &label && (event->type() == QEvent::ScreenChangeInternal || event->type() == QEvent::Paint))
            follow();
        return QObject::eventFilter(watched, event);
    }

private:
    void follow()
    {
        const qreal ratio = label.devicePixelRatioF();
        if (ratio == shownRatio)
            return;
        shownRatio = ratio;
        label.setPixmap(draw(ratio));
    }

    QLabel& label;
    std::function<QPixmap(qreal)> draw;
    qreal shownRatio = 0;
};

// The program's shared icons, gone with the application object.
class IconCache : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    QHash<QString, QIcon> icons;
};

}  // namespace

QPixmap pictureFor(const PictureFiles& files, qreal ratio)
{
    if (ratio <= 1)
        return QPixmap::fromImage(read(files.at1x));
    const int drawnFor = ratio <= 2 ? 2 : 3;
    QImage drawn = read(drawnFor == 2 ? files.at2x : files.at3x);
    const QSize device(static_cast<int>(std::lround(drawn.width() * ratio / drawnFor)),
                       static_cast<int>(std::lround(drawn.height() * ratio / drawnFor)));
    if (drawn.size() != device) {
        // Qt smooths a palette image in worker threads that cannot see its palette (a crash in 6.4), and
        // would reduce the result to the palette again: the picture is smoothed in full colour.
        const QImage::Format colour
            = drawn.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
        drawn = drawn.convertToFormat(colour).scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    drawn.setDevicePixelRatio(ratio);
    return QPixmap::fromImage(drawn);
}

void showPicture(QLabel& label, const PictureFiles& files)
{
    new RatioFollower(label, [files](qreal ratio) { return pictureFor(files, ratio); });
}

void showIcon(QLabel& label, const QIcon& icon, QSize size)
{
    new RatioFollower(label, [icon, size](qreal ratio) { return icon.pixmap(size, ratio); });
}

QIcon sharedIcon(const QString& path)
{
    QCoreApplication* application = QCoreApplication::instance();
    auto* cache = application->findChild<IconCache*>(QString(), Qt::FindDirectChildrenOnly);
    if (cache == nullptr)
        cache = new IconCache(application);
    auto found = cache->icons.constFind(path);
    if (found == cache->icons.constEnd())
        found = cache->icons.insert(path, QIcon(path));
    return *found;
}

}  // namespace quendrith

#include "screen_pictures.moc"
