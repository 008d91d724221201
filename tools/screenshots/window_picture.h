// One picture of a window as it first opens, for the screenshot writers.
#pragma once

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QWidget>

#include <cstdio>

// Shows `window`, lets it paint, and writes it into `folder` as OBJECTNAME.png; says so on stderr where it cannot.
inline bool writeWindowPicture(QWidget& window, const QDir& folder)
{
    window.show();
    QApplication::processEvents();
    const QString file = folder.filePath(window.objectName() + QLatin1StringView(".png"));
    if (window.grab().save(file))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
    return false;
}
