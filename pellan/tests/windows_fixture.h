// The four windows as the program makes them, with lookups of their controls by object name, for the
// window tests.
#pragma once

#include "about_window.h"
#include "help_window.h"
#include "map_window.h"
#include "pellan_app.h"
#include "solver_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

struct Windows {
    pellan::PellanApp app;
    pellan::SolverWindow& solver = app.solverWindow();
    pellan::AboutWindow& about = app.aboutWindow();
    pellan::MapWindow& map = app.mapWindow();
    pellan::HelpWindow& help = app.helpWindow();

    QWidget* window(const QString& name) const { return app.window(name); }
    // The window shown and on the screen; null where there is no such window or it did not appear.
    QWidget* shown(const QString& name) const
    {
        QWidget* top = window(name);
        if (top == nullptr)
            return nullptr;
        top->show();
        return QTest::qWaitForWindowExposed(top) ? top : nullptr;
    }
    // The control of that name in the window shown; null where either is missing.
    template <class Control> Control* shownControl(const QString& window, const QString& name) const
    {
        QWidget* top = shown(window);
        return top == nullptr ? nullptr : top->findChild<Control*>(name);
    }
    QCheckBox* box(int light) const { return solver.findChild<QCheckBox*>(u"Light%1Box"_s.arg(light)); }
    QLineEdit* status(int light) const { return solver.findChild<QLineEdit*>(u"Light%1Status"_s.arg(light)); }
    QString output() const { return solver.findChild<QLineEdit*>(u"OutputText"_s)->text(); }
    QAction* action(const QString& name) const { return solver.findChild<QAction*>(name); }
    static QPushButton* button(QWidget* window, const QString& name) { return window->findChild<QPushButton*>(name); }
};

// Top-level windows nobody owns: each test must leave none behind.
inline QList<QWidget*> ownerlessWindows()
{
    QList<QWidget*> found;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->parentWidget() == nullptr)
            found.append(w);
    }
    return found;
}
