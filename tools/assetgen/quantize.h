#pragma once

#include "writers.h"

#include <QImage>

#include <vector>

// The standard Windows 16-colour palette, in its usual order.
std::vector<QRgb> windows16();
// The 16 standard colours, a 6x6x6 colour cube and a grey ramp.
std::vector<QRgb> general256();
// The 16 standard colours, the paper colour and ramps from the paper to each ink.
std::vector<QRgb> inkRamps(QRgb paper, const std::vector<QRgb>& inks);

// Maps every pixel to its nearest palette colour; pixels with alpha below half become transparent.
IndexedImage quantize(const QImage& image, const std::vector<QRgb>& palette);

// An opaque palette image as a QImage of 8-bit indexes.
QImage paletteImage(const IndexedImage& image);
