// Random input for a whole program, in process: from a seed, clicks at random points of its visible windows,
// keys, and odd texts typed or pasted into whatever has the focus, with every popup and modal dialog answered as
// it comes. Between events, at every quiet moment, the program's own test says whether its windows still agree
// with each other and with what the program keeps.
#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

class QWidget;

namespace randominput {

// What the random input needs of the program under test.
class Program {
public:
    virtual ~Program() = default;
    // The window whose close ends the program; null before the first start.
    [[nodiscard]] virtual QWidget* mainWindow() const = 0;
    // Starts the program afresh once its previous run has ended (its main window is closed). A program whose main
    // window is a modal dialog runs it here and returns when it ends.
    virtual void start() = 0;
    // What is inconsistent in the program's windows now, one line each. Called only at quiet moments: no popup
    // open and no modal dialog but the main window.
    [[nodiscard]] virtual QStringList check() = 0;
};

struct Settings {
    quint64 seed = 0;
    int events = 0;
};

struct Report {
    quint64 seed = 0;
    int events = 0;  // sent
    int starts = 0;  // of the program, the first one included
    int modals = 0;  // modal dialogs and message boxes that came up
    int popups = 0;  // menus and lists
    // The first inconsistency the program's check found, followed by the events that led to it; empty when none.
    QStringList faults;

    [[nodiscard]] QString summary() const;
};

// Starts the program and sends it settings.events random events in an event loop of its own. Returns once every
// window of the program is closed again: after the last event, or at the first fault. With RANDOM_INPUT_TRACE set,
// every event is logged as it is sent, so that the last ones before a crash can be read.
Report run(Program& program, const Settings& settings);

// RANDOM_INPUT_SEED and RANDOM_INPUT_EVENTS where they are set, else the defaults.
Settings settingsFromEnvironment(quint64 defaultSeed, int defaultEvents);

// A program's own random-input test: run with the settings from the environment, by default a fixed seed and 3000
// events; the seed and what came up are logged.
Report runFromEnvironment(Program& program);

// Texts a user might type or paste: empty, signs, separators, numbers at and beyond the 16- and 32-bit limits,
// a long text, non-Latin letters, quotes, backslashes, brackets, format placeholders.
const QStringList& oddTexts();

}  // namespace randominput
