#include "Umap.h"
#include "aboutU.h"
#include "fonts.h"
#include "helptext.h"
#include "pellan1.h"

#include <QApplication>
#include <QIcon>

using namespace Qt::StringLiterals;

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    pellan::setupFonts();
    QApplication::setWindowIcon(QIcon(u":/assets/pellan.ico"_s));

    TPellanForm PellanForm;
    TForm1 Form1;
    TUnderworldMap UnderworldMap;
    THelpWindow HelpWindow;
    PellanForm.setSecondaryWindows(Form1, UnderworldMap, HelpWindow);

    PellanForm.show();
    return QApplication::exec();
}
