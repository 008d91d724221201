#pragma once

#include <QFrame>
#include <QRect>
#include <QString>
#include <QWidget>

class QPushButton;

namespace pellan {

// Shared by all four windows: fixed size, system menu and minimise only,
// the program's icon and the window font, placed at its screen position.
void setupFixedWindow(QWidget& window, const QRect& screenGeometry);

// Shared by the three secondary windows: announced to screen readers as a window, named and titled, then set up as
// setupFixedWindow does. Call it first in the window's constructor.
void setupSecondaryWindow(QWidget& window, const QString& name, const QString& title, const QRect& screenGeometry);

// A sunken rectangular frame drawn behind the controls it surrounds.
QFrame* makeBevel(QWidget* parent, const char* name, const QRect& geometry);

// The "Done" button of a secondary window, which closes it; Enter presses it as Space does.
QPushButton* makeDoneButton(QWidget& window, const QString& name, const QRect& geometry);

}  // namespace pellan
