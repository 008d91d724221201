#pragma once

#include <QImage>

class QPainter;

// Drawn for a screen of that many device pixels to the pixel.
QImage drawStar(int scale = 1);  // 230 x 218 times the scale, opaque
QImage drawUnderworldMap(int scale = 1);  // 384 x 424 times the scale, opaque
QImage drawPellanIcon(int size = 32);  // square, with transparency
void paintPellanIcon(QPainter& painter);  // the same, on a painter of 32 x 32 units

// 16-colour icons, drawn without antialiasing at 32 or 16 pixels.
QImage drawSorvexIcon(int size);
QImage drawCalculatorIcon(int size);
QImage drawInfoIcon(int size);
QImage drawKorvaneIcon(int size);
