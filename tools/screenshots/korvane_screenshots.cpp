// Writes form1.png and form2.png of the freshly started forms into the folder given as argument.
#include "forms.h"

#include <QApplication>
#include <QDir>
#include <QTextStream>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        QTextStream(stderr) << "usage: korvane_screenshots <folder>\n";
        return 2;
    }
    const QDir folder(args.at(1));
    korvane::setUpFonts();
    korvane::Form1 form1;
    form1.show();
    form1.showInfo();
    QApplication::processEvents();
    const bool written = form1.grab().save(folder.filePath(QStringLiteral("form1.png"))) &&
                         form1.info()->grab().save(folder.filePath(QStringLiteral("form2.png")));
    return written ? 0 : 1;
}
