#include "converter_app.h"

#include "converter_dialog.h"
#include "dialog_layouts.h"

namespace sorvex {

ConverterApp::ConverterApp(int& argc, char** argv) : QApplication(argc, argv)
{
    setUpDialogFonts();
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
