#include "converter_app.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const auto program = sorvex::ConverterApp::start();
    return QApplication::exec();
}
