#include "Umap.h"
#include "aboutU.h"
#include "fonts.h"
#include "helptext.h"
#include "pellan1.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

#include <memory>

using namespace Qt::StringLiterals;

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    pellan::setupFonts();
    QApplication::setWindowIcon(QIcon(u":/assets/pellan.ico"_s));

    TPellanForm PellanForm;
    // The solver window is mapped and painted first; the hidden windows, with the map picture,
    // follow as the loop starts, before its buttons can be used.
    PellanForm.show();
    QGuiApplication::sync();
    std::unique_ptr<TForm1> Form1;
    std::unique_ptr<TUnderworldMap> UnderworldMap;
    std::unique_ptr<THelpWindow> HelpWindow;
    QTimer::singleShot(0, &PellanForm, [&] {
        Form1 = std::make_unique<TForm1>();
        UnderworldMap = std::make_unique<TUnderworldMap>();
        HelpWindow = std::make_unique<THelpWindow>();
        PellanForm.setSecondaryWindows(*Form1, *UnderworldMap, *HelpWindow);
    });
    return QApplication::exec();
}
