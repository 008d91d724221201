#include "pellan_app.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const auto program = pellan::PellanApp::start();
    return QApplication::exec();
}
