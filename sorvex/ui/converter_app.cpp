#include "converter_app.h"

#include "converter_dialog.h"
#include "dialog_layouts.h"
#include "window_fonts.h"
#include "window_style.h"

#include <QApplication>

namespace sorvex {

ConverterApp::ConverterApp()
{
    quendrith::setUpFonts();
    quendrith::setUpStyle();
    QApplication::setWindowIcon(applicationIcon());
    QMetaObject::invokeMethod(this, &ConverterApp::runMainDialog, Qt::QueuedConnection);
}

std::unique_ptr<ConverterApp> ConverterApp::start()
{
    return std::unique_ptr<ConverterApp>(new ConverterApp);
}

void ConverterApp::runMainDialog()
{
    {
        ConverterDialog dialog;
        dialog.run();
    }
    QCoreApplication::exit(0);
}

}  // namespace sorvex
