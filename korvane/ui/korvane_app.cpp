#include "korvane_app.h"

#include "calculator_window.h"
#include "window_fonts.h"
#include "window_style.h"

namespace korvane {

KorvaneApp::KorvaneApp()
{
    quendrith::setUpFonts();
    quendrith::setUpStyle();
    calculator = std::make_unique<CalculatorWindow>();
    calculator->show();
}

KorvaneApp::~KorvaneApp() = default;

std::unique_ptr<KorvaneApp> KorvaneApp::start()
{
    return std::unique_ptr<KorvaneApp>(new KorvaneApp);
}

}  // namespace korvane
