// How sharp a picture on the screen is: the fine detail it holds against its 1x original enlarged with a
// smooth filter. A picture drawn for the screen's pixel density comes out sharper than one blown up from 1x.
#pragma once

#include <QIcon>
#include <QImage>
#include <QRegion>
#include <QStringList>

class QWidget;

namespace sharpness {

// The mean absolute Laplacian of the image's brightness, over the pixels that have all four neighbours and
// that neither are nor touch a pixel of `left out`.
double meanAbsoluteLaplacian(const QImage& image, const QRegion& leftOut = {});

// A picture control as its window shows it, beside the same part of its 1x original.
struct ShownPicture {
    QImage shown;  // the device pixels of a grab of the whole window that lie wholly inside the control
    QImage original;  // the part of the original (drawn from the control's top-left corner) the window shows
    QRegion covered;  // pixels of `shown`, with a margin, where other controls lie on top of the picture
};

ShownPicture shownPicture(const QWidget& picture, const QImage& original);

// How sharp the shown picture is next to its original enlarged to the same size with a smooth filter,
// leaving out the covered pixels: 1 for a picture blown up from 1x, more for one with finer detail.
double sharpnessRatio(const ShownPicture& picture);

// The sizes, among a window's small and large icons (16 and 32 logical pixels), for which `icon` has no image of
// at least the device pixels `ratio` gives them, so that the title bar or task bar would show it blown up.
QStringList blownUpIconSizes(const QIcon& icon, qreal ratio);

}  // namespace sharpness
