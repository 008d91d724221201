#include "calculator_window.h"
#include "window_fonts.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    quendrith::setUpFonts();
    korvane::CalculatorWindow calculator;
    calculator.show();
    return QApplication::exec();
}
