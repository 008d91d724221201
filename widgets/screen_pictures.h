// Pictures and icons drawn for the pixel density of the screen their window is on: a screen at 125 % to
// 300 % shows them with the detail its pixels allow rather than a 1x bitmap blown up, and one at 100 %
// shows the 1x bitmap pixel for pixel.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

class QLabel;

namespace quendrith {

// One picture drawn beforehand for screens of 1, 2 and 3 device pixels to the pixel: resource paths.
struct PictureFiles {
    QString at1x;
    QString at2x;
    QString at3x;
};

// The picture for a screen of `ratio` device pixels to the pixel: up to 1 the 1x file as it is; else the
// one drawn for the nearest ratio at or above it, smoothed down to the device pixels the ratio gives it.
QPixmap pictureFor(const PictureFiles& files, qreal ratio);

// Shows the picture, or `icon` at `size` logical pixels, on `label` for the ratio of the screen it is on,
// and again for the new ratio whenever the window goes to another screen or its screen's ratio changes.
// The icon comes from its smallest image of at least that many device pixels.
void showPicture(QLabel& label, const PictureFiles& files);
void showIcon(QLabel& label, const QIcon& icon, QSize size);

// The icon of an .ico resource, read once for the whole program however many windows show it: Qt decodes
// every image of an .ico when the icon is made.
QIcon sharedIcon(const QString& path);

}  // namespace quendrith
