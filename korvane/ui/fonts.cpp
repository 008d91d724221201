#include "fonts.h"

namespace korvane {

void setUpFonts() {
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
}

QFont fontOf(const QString& family, int pixelSize, bool bold, bool italic) {
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

QFont windowFont() { return fontOf(QStringLiteral("MS Sans Serif"), 11); }

} // namespace korvane
