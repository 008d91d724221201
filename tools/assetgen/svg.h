#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <functional>

class QPainter;

// A scalable icon of `units` x `units`, drawn by `paint`, titled for the theme that shows it.
QByteArray svg(const QString& title, int units, const std::function<void(QPainter&)>& paint);

// A pixel drawing as a scalable icon, each run of one colour in a row a rectangle, so that it stays a crisp
// pixel drawing at any size.
QByteArray pixelSvg(const QString& title, const QImage& image);
