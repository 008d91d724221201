#pragma once

class QFont;
class QString;

namespace pellan {

// Maps the fonts the windows are laid out for onto installed equivalents.
void setupFonts();

// A font of the given family at a character height in pixels.
QFont pixelFont(const QString& family, int pixels);

}  // namespace pellan
