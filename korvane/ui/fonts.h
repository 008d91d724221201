// The fonts korvane's windows name, and what stands in for them where the Windows fonts are missing.
#pragma once

#include <QFont>
#include <QString>

namespace korvane {

// Substitutes Liberation fonts for the Windows fonts the windows name; call once before any window is made.
void setUpFonts();

[[nodiscard]] QFont fontOf(const QString& family, int pixelSize, bool bold = false, bool italic = false);

// The font of every control that names none of its own.
[[nodiscard]] QFont windowFont();

}  // namespace korvane
