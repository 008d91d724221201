#include "map_window.h"

#include "screen_pictures.h"
#include "window_frame.h"

#include <QLabel>

using namespace Qt::StringLiterals;

namespace pellan {

MapWindow::MapWindow(QWidget* parent) : QWidget(parent)
{
    // The picture is one row taller than the window, so its bottom row is cut off.
    setupSecondaryWindow(*this, u"UnderworldMap"_s, u"Underworld Map"_s, QRect(258, 102, 384, 423));

    mapPicture = new QLabel(this);
    mapPicture->setObjectName(u"Image1"_s);
    mapPicture->setAccessibleName(u"Underworld map"_s);
    quendrith::showPicture(
        *mapPicture, {u":/assets/underworld.bmp"_s, u":/assets/underworld@2x.png"_s, u":/assets/underworld@3x.png"_s});
    mapPicture->setAlignment(Qt::AlignCenter);
    mapPicture->setGeometry(0, 0, 384, 424);

    doneButton = makeDoneButton(*this, u"DoneMap"_s, QRect(32, 384, 75, 25));
}

}  // namespace pellan
