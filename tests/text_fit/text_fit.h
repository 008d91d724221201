// Whether every control of a window shows its whole text at the scale the window has now. A control clips
// what it draws to its rectangle, and a line edit or combo box to its text field, rounded to whole device
// pixels; the ink of a caption laid out in logical pixels must stay inside that, or part of a stroke is lost.
#pragma once

#include <QStringList>

class QWidget;

namespace textfit {

// One line for each visible control of the window whose text is cut off: its name, its text, and where
// its ink and its clip lie along the way it runs over, in device pixels.
QStringList clippedTexts(const QWidget& window);

}  // namespace textfit
