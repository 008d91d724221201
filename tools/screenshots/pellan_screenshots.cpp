// Writes a picture of each of the four windows, as it first opens, into the
// folder named on the command line.
#include "map_window.h"
#include "about_window.h"
#include "fonts.h"
#include "help_window.h"
#include "solver_window.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <cstdio>

using namespace Qt::StringLiterals;

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: pellan_screenshots <folder>\n");
        return 2;
    }
    pellan::setupFonts();
    const QDir folder(QString::fromLocal8Bit(argv[1]));

    TPellanForm PellanForm;
    TForm1 Form1;
    TUnderworldMap UnderworldMap;
    THelpWindow HelpWindow;
    PellanForm.setSecondaryWindows(Form1, UnderworldMap, HelpWindow);

    int failures = 0;
    for (QWidget* window : {static_cast<QWidget*>(&PellanForm), static_cast<QWidget*>(&Form1),
             static_cast<QWidget*>(&UnderworldMap), static_cast<QWidget*>(&HelpWindow)}) {
        window->show();
        QApplication::processEvents();
        const QString file = folder.filePath(window->objectName() + u".png"_s);
        if (!window->grab().save(file)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
