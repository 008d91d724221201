#pragma once

#include <QString>

// Rewrites a PNG as an 8-bit palette image when that changes no pixel, or changes only the edges of
// smoothed text a little; otherwise keeps its colours. Either way it is written at the highest compression.
// Returns an empty string on success, else what went wrong.
QString rewritePngWithPalette(const QString& path);
