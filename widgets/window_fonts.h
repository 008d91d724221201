// The Windows faces the windows are laid out in, and the installed look-alikes that stand in for them.
#pragma once

class QFont;
class QString;

namespace quendrith {

// Substitutes Liberation fonts for MS Sans Serif, Arial and Times New Roman where those are not installed;
// call once before the first window is made.
void setUpFonts();

// A font of `family` at a character height in pixels, asked for by the face that will be drawn.
[[nodiscard]] QFont pixelFont(const QString& family, int pixels, bool bold = false, bool italic = false);

// The font of every control that names none of its own: MS Sans Serif at 11 pixels (8 points).
[[nodiscard]] QFont windowFont();

}  // namespace quendrith
