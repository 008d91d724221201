// Writes a picture of each of the four windows, as it first opens, into the
// folder named on the command line.
#include "pellan_app.h"
#include "window_picture.h"

#include <QApplication>
#include <QDir>
#include <QWidget>

#include <cstdio>

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
        if (!writeWindowPicture(*window, folder))
            ++failures;
    }
    return failures == 0 ? 0 : 1;
}
