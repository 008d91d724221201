#include "calculator_window.h"
#include "fonts.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    korvane::setUpFonts();
    korvane::CalculatorWindow calculator;
    calculator.show();
    return QApplication::exec();
}
