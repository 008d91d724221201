#include "korvane_app.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const auto program = korvane::KorvaneApp::start();
    return QApplication::exec();
}
