#pragma once

#include <QImage>

QImage drawStar();  // 230 x 218, opaque
QImage drawUnderworldMap();  // 384 x 424, opaque
QImage drawPellanIcon(int size = 32);  // square, with transparency

// 16-colour icons, drawn without antialiasing at 32 or 16 pixels.
QImage drawSorvexIcon(int size);
QImage drawCalculatorIcon(int size);
QImage drawInfoIcon(int size);
QImage drawKorvaneIcon(int size);
