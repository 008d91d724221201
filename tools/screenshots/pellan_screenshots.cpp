// Writes a picture of each of the four windows, as it first opens, into the
// folder named on the command line.
#include "pellan_app.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QWidget>
#include <cstdio>

using namespace Qt::StringLiterals;

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: pellan_screenshots <folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const pellan::PellanApp program;

    int failures = 0;
    for (QWidget* window : program.windows()) {
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
