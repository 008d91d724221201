#include "map_window.h"
#include "about_window.h"
#include "fonts.h"
#include "help_window.h"
#include "solver_window.h"

#include <QApplication>
#include <QIcon>

using namespace Qt::StringLiterals;

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    pellan::setupFonts();
    QApplication::setWindowIcon(QIcon(u":/assets/pellan.ico"_s));

    TPellanForm PellanForm;
    // The solver window goes to the screen before the hidden windows and the map picture are made;
    // what the user types or clicks meanwhile waits until they exist.
    PellanForm.show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    TForm1 Form1;
    TUnderworldMap UnderworldMap;
    THelpWindow HelpWindow;
    PellanForm.setSecondaryWindows(Form1, UnderworldMap, HelpWindow);
    return QApplication::exec();
}
