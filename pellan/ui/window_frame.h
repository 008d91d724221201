#pragma once

#include <QFrame>
#include <QPixmap>
#include <QRect>
#include <QString>
#include <QWidget>

class QPushButton;

namespace pellan {

// Shared by all four windows: fixed size, system menu and minimise only,
// the program's icon and the window font, placed at its screen position.
void setupFixedWindow(QWidget& window, const QRect& screenGeometry);

// One of the program's BMP pictures from its resources.
QPixmap bitmap(const QString& path);

// A sunken rectangular frame drawn behind the controls it surrounds.
QFrame* makeBevel(QWidget* parent, const char* name, const QRect& geometry);

// The "Done" button of a secondary window, which closes it.
QPushButton* makeDoneButton(QWidget& window, const char* name, const QRect& geometry);

}  // namespace pellan
