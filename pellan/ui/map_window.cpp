#include "map_window.h"

#include "accessibility.h"
#include "window_frame.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>

using namespace Qt::StringLiterals;

TUnderworldMap::TUnderworldMap(QWidget* parent)
    : QWidget(parent)
{
    pellan::installAccessibleInterfaces();
    setObjectName(u"UnderworldMap"_s);
    setWindowTitle(u"Underworld Map"_s);
    // The picture is one row taller than the window, so its bottom row is cut off.
    pellan::setupFixedWindow(*this, QRect(258, 102, 384, 423));

    Image1 = new QLabel(this);
    Image1->setObjectName(u"Image1"_s);
    Image1->setAccessibleName(u"Underworld map"_s);
    Image1->setPixmap(QPixmap(u":/assets/underworld.bmp"_s));
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setGeometry(0, 0, 384, 424);

    DoneMap = new QPushButton(u"Done"_s, this);
    DoneMap->setObjectName(u"DoneMap"_s);
    DoneMap->setGeometry(32, 384, 75, 25);
    connect(DoneMap, &QPushButton::clicked, this, &TUnderworldMap::DoneMapClick);
    pellan::enterPressesFocusedButton(this);
}

void TUnderworldMap::DoneMapClick()
{
    close();
}
