#include "forms.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    korvane::setUpFonts();
    korvane::Form1 form1;
    form1.show();
    return QApplication::exec();
}
