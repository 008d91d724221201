#include "converter_app.h"

#include "converter_dialog.h"
#include "dialog_layouts.h"
#include "window_fonts.h"

namespace sorvex {

ConverterApp::ConverterApp(int& argc, char** argv) : QApplication(argc, argv)
{
    quendrith::setUpFonts();
    setWindowIcon(applicationIcon());
}

int ConverterApp::run()
{
    {
        ConverterDialog dialog;
        dialog.run();
    }
    return 0;
}

}  // namespace sorvex
