#include "pellan_app.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    return pellan::PellanApp::run();
}
