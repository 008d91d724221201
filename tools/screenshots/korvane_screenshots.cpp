// Writes form1.png (the calculator) and form2.png (the info window) as they first open into the folder given
// as argument.
#include "calculator_window.h"
#include "window_fonts.h"

#include <QApplication>
#include <QDir>
#include <QTextStream>

using namespace Qt::StringLiterals;

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        QTextStream(stderr) << "usage: korvane_screenshots <folder>\n";
        return 2;
    }
    const QDir folder(args.at(1));
    quendrith::setUpFonts();
    korvane::CalculatorWindow calculator;
    calculator.show();
    calculator.showInfo();
    QApplication::processEvents();
    const bool written = calculator.grab().save(folder.filePath(u"form1.png"_s))
        && calculator.info()->grab().save(folder.filePath(u"form2.png"_s));
    return written ? 0 : 1;
}
