#include "pellan_app.h"

#include "about_window.h"
#include "always_on_top.h"
#include "help_window.h"
#include "map_window.h"
#include "screen_pictures.h"
#include "solver_window.h"
#include "window_fonts.h"
#include "window_style.h"

#include <QApplication>

using namespace Qt::StringLiterals;

namespace pellan {

PellanApp::PellanApp(QObject* parent) : PellanApp(Start::Hidden, parent) { }

PellanApp::PellanApp(Start start, QObject* parent) : QObject(parent)
{
    quendrith::setUpFonts();
    quendrith::setUpStyle();
    solver = std::make_unique<SolverWindow>();
    if (start == Start::SolverWindowFirst) {
        // The solver window goes to the screen before the hidden windows and the map picture are made;
        // what the user types or clicks meanwhile waits until they exist.
        solver->show();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    about = std::make_unique<AboutWindow>();
    map = std::make_unique<MapWindow>();
    help = std::make_unique<HelpWindow>();
    for (QWidget* follower :
         {static_cast<QWidget*>(about.get()), static_cast<QWidget*>(map.get()), static_cast<QWidget*>(help.get())})
        solver->alwaysOnTop().addFollower(*follower);

    connect(solver.get(), &SolverWindow::mapRequested, this, [this] { showWindow(map.get()); });
    connect(solver.get(), &SolverWindow::helpRequested, this, [this] { showWindow(help.get()); });
    connect(solver.get(), &SolverWindow::aboutRequested, this, [this] { showWindow(about.get()); });
    // The main window's close ends the program, whatever else is showing.
    connect(solver.get(), &SolverWindow::closing, this, [this] {
        closeSecondaryWindows();
        QCoreApplication::quit();
    });
}

PellanApp::~PellanApp() = default;

std::unique_ptr<PellanApp> PellanApp::start()
{
    QApplication::setWindowIcon(quendrith::sharedIcon(u":/assets/pellan.ico"_s));
    return std::unique_ptr<PellanApp>(new PellanApp(Start::SolverWindowFirst, nullptr));
}

QList<QWidget*> PellanApp::windows() const
{
    return {solver.get(), about.get(), map.get(), help.get()};
}

QWidget* PellanApp::window(const QString& objectName) const
{
    for (QWidget* candidate : windows()) {
        if (candidate->objectName() == objectName)
            return candidate;
    }
    return nullptr;
}

void PellanApp::closeSecondaryWindows()
{
    for (QWidget* secondary :
         {static_cast<QWidget*>(about.get()), static_cast<QWidget*>(map.get()), static_cast<QWidget*>(help.get())})
        secondary->close();
}

void PellanApp::showWindow(QWidget* window)
{
    // Already showing: leave it where it is in the stacking order.
    if (!window->isVisible())
        window->setVisible(true);
}

}  // namespace pellan
