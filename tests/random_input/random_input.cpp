#include "random_input.h"

#include "keyboard_walker.h"
#include "random_events.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <deque>

using namespace Qt::StringLiterals;

namespace randominput {
namespace {

// Events an open popup or modal dialog gets before the input answers it, and after which one still open is a fault.
constexpr int popupPatience = 6;
constexpr int dialogPatience = 12;
constexpr int stuckDialog = 60;
// The events kept to explain a fault.
constexpr std::size_t traceLength = 40;

QAbstractButton* buttonDown()
{
    for (const QWidget* window : visibleWindows()) {
        for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
            if (button->isDown())
                return button;
        }
    }
    return nullptr;
}

void track(QWidget* now, QPointer<QWidget>& last, int& age, int& count)
{
    if (now == nullptr) {
        last = nullptr;
        age = 0;
    } else if (now != last.data()) {
        last = now;
        age = 0;
        ++count;
    } else {
        ++age;
    }
}

QtMessageHandler platformHandler = nullptr;

// The offscreen platform warns each time a window asks for what it has not got (raising, grabbing the keyboard),
// which random input does thousands of times.
void withoutPlatformWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && message.startsWith(u"This plugin does not support"_s))
        return;
    platformHandler(type, context, message);
}

class Walker : public QObject {
public:
    Walker(Program& driven, const Settings& chosen)
        : program(driven), settings(chosen), events(
                                                 chosen.seed, [this](const QString& event) { note(event); },
                                                 [this](QWidget* window) { focusExpected = window; }),
          tracing(!qEnvironmentVariableIsEmpty("RANDOM_INPUT_TRACE"))
    {
        report.seed = chosen.seed;
    }

    Report run()
    {
        qInfo().noquote() << u"Random input from seed %1, %2 events; RANDOM_INPUT_SEED=%1 repeats this run."_s
                                 .arg(settings.seed)
                                 .arg(settings.events);
        platformHandler = qInstallMessageHandler(withoutPlatformWarnings);
        qApp->installEventFilter(this);
        schedule();
        loop.exec();
        qApp->removeEventFilter(this);
        qInstallMessageHandler(platformHandler);
        return report;
    }

private:
    // Each step sends one event. The next one is due before this one is sent: an event that opens a modal dialog
    // returns only when the dialog closes, and the steps go on inside the dialog's loop meanwhile.
    void schedule(int milliseconds = 0)
    {
        QTimer::singleShot(milliseconds, this, [this] { step(); });
    }

    void step()
    {
        if (!programRunning()) {
            // The run that ended is still leaving the handler or the modal loop it ended in.
            if (starting > 0 || dispatching > 0) {
                schedule(1);
                return;
            }
            if (finishing) {
                loop.quit();
                return;
            }
            schedule();
            startProgram();
            return;
        }
        // A button pressed by its access key clicks itself a moment later; the next event waits for that, so that
        // a seed always gives the same order of events. One that stays down is waited for once.
        if (QAbstractButton* down = buttonDown(); down != nullptr && down != givenUp) {
            if (waitedForButton < 50) {
                ++waitedForButton;
                schedule(10);
                return;
            }
            givenUp = down;
        }
        waitedForButton = 0;
        if (settling()) {
            schedule(1);
            return;
        }
        schedule();
        if (finishing) {
            windDown();
            return;
        }
        if (quiet()) {
            if (const QStringList faults = program.check(); !faults.isEmpty()) {
                fail(faults);
                return;
            }
        }
        if (report.events >= settings.events) {
            finishing = true;
            return;
        }
        ++dispatching;
        sendEvent();
        --dispatching;
    }

    // The window system gives the keyboard to a window shown or activated a moment later, and, unlike a window
    // manager, to none when a popup closes. The next event waits for that, so that a seed always sends the same
    // input to the same place.
    bool settling()
    {
        if (QApplication::activePopupWidget() == nullptr && QGuiApplication::focusWindow() == nullptr
            && (focusExpected == nullptr || !focusExpected->isVisible())) {
            focusExpected = openDialog();
            if (focusExpected == nullptr && lastActive != nullptr && lastActive->isVisible())
                focusExpected = lastActive;
            if (focusExpected == nullptr)
                focusExpected = program.mainWindow();
            focusExpected->activateWindow();
        }
        if (focusExpected != nullptr && focusExpected->isVisible()
            && QGuiApplication::focusWindow() != focusExpected->windowHandle() && waitedForFocus < 50) {
            ++waitedForFocus;
            return true;
        }
        focusExpected = nullptr;
        waitedForFocus = 0;
        lastActive = QApplication::activeWindow();
        return false;
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            if (widget->isWindow() && widget->windowType() != Qt::ToolTip)
                focusExpected = widget;
        }
        return false;
    }

    bool programRunning() const
    {
        const QWidget* main = program.mainWindow();
        return main != nullptr && main->isVisible();
    }

    // The modal dialog or message box in front, unless it is the program's main window.
    QWidget* openDialog() const
    {
        QWidget* modal = QApplication::activeModalWidget();
        return modal == program.mainWindow() ? nullptr : modal;
    }

    bool quiet() const { return QApplication::activePopupWidget() == nullptr && openDialog() == nullptr; }

    void startProgram()
    {
        ++report.starts;
        note(u"start the program (run %1)"_s.arg(report.starts));
        ++starting;
        program.start();
        --starting;
    }

    // Closes what is open, front first, with a last check before the main window goes.
    void windDown()
    {
        ++windingDown;
        if (QWidget* popup = QApplication::activePopupWidget()) {
            popup->close();
        } else if (QWidget* dialog = openDialog()) {
            if (auto* modal = qobject_cast<QDialog*>(dialog))
                modal->reject();
            else
                dialog->close();
        } else if (QWidget* main = program.mainWindow()) {
            if (report.faults.isEmpty() && !checkedLast) {
                checkedLast = true;
                if (const QStringList faults = program.check(); !faults.isEmpty())
                    fail(faults);
            }
            if (windingDown > 20)
                main->hide();
            else
                main->close();
        }
    }

    void fail(const QStringList& faults)
    {
        report.faults = faults;
        report.faults << u"The events before, the last one last:"_s;
        for (const QString& line : trace)
            report.faults << u"  "_s + line;
        finishing = true;
    }

    void note(const QString& event)
    {
        const QString line = u"%1: %2"_s.arg(report.events).arg(event);
        trace.push_back(line);
        if (trace.size() > traceLength)
            trace.pop_front();
        // Straight to stderr, unbuffered: the last lines must be there when the program under test crashes.
        if (tracing)
            std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    }

    void sendEvent()
    {
        ++report.events;
        QWidget* popup = QApplication::activePopupWidget();
        QWidget* dialog = openDialog();
        track(popup, lastPopup, popupAge, report.popups);
        track(dialog, lastDialog, dialogAge, report.modals);
        if (dialog != nullptr && dialogAge > stuckDialog) {
            fail({u"%1 stayed open through %2 events, Enter, Escape and clicks on its buttons included"_s
                      .arg(keyboard::nameOf(dialog))
                      .arg(dialogAge)});
            return;
        }
        if (popup != nullptr && popupAge >= popupPatience) {
            events.escape();
            return;
        }
        if (popup == nullptr && dialog != nullptr && dialogAge >= dialogPatience) {
            events.answer(dialog);
            return;
        }
        events.sendRandom(popup, dialog);
    }

    Program& program;
    const Settings settings;
    EventSender events;
    Report report;
    QEventLoop loop;
    const bool tracing;
    bool finishing = false;
    bool checkedLast = false;
    int starting = 0;
    int dispatching = 0;
    int waitedForButton = 0;
    QPointer<QAbstractButton> givenUp;
    QPointer<QWidget> focusExpected;
    QPointer<QWidget> lastActive;
    int waitedForFocus = 0;
    int windingDown = 0;
    QPointer<QWidget> lastPopup;
    int popupAge = 0;
    QPointer<QWidget> lastDialog;
    int dialogAge = 0;
    std::deque<QString> trace;
};

}  // namespace

Settings settingsFromEnvironment(quint64 defaultSeed, int defaultEvents)
{
    Settings settings{defaultSeed, defaultEvents};
    bool ok = false;
    const quint64 seed = qEnvironmentVariable("RANDOM_INPUT_SEED").toULongLong(&ok);
    if (ok)
        settings.seed = seed;
    const int events = qEnvironmentVariableIntValue("RANDOM_INPUT_EVENTS", &ok);
    if (ok && events >= 0)
        settings.events = events;
    return settings;
}

Report runFromEnvironment(Program& program)
{
    Report report = run(program, settingsFromEnvironment(20261209, 3000));
    qInfo().noquote() << report.summary();
    return report;
}

QString Report::summary() const
{
    return u"seed %1: %2 events, %3 starts of the program, %4 modal dialogs, %5 popups"_s.arg(seed)
        .arg(events)
        .arg(starts)
        .arg(modals)
        .arg(popups);
}

Report run(Program& program, const Settings& settings)
{
    Walker walker(program, settings);
    return walker.run();
}

}  // namespace randominput
