// The player's main action in each program, timed from the input event until its result has been
// painted, in process on the offscreen platform: a light box click in pellan, an option click and
// Enter in korvane, and "Calculate" in sorvex against two durable file replacements of the store.
#include "calculator_window.h"
#include "control_ids.h"
#include "converter_dialog.h"
#include "file_registry.h"
#include "messages.h"
#include "solver_window.h"
#include "window_fonts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

using Clock = std::chrono::steady_clock;

[[noreturn]] void fail(const std::string& what)
{
    throw std::runtime_error(what);
}

// Counts the paint events each watched widget receives.
class PaintWatch : public QObject {
public:
    void watch(QWidget* widget)
    {
        widget->installEventFilter(this);
        counts.push_back({widget, 0});
    }
    void reset()
    {
        for (auto& entry : counts)
            entry.second = 0;
    }
    bool painted(QWidget* widget) const
    {
        for (const auto& entry : counts)
            if (entry.first == widget)
                return entry.second > 0;
        return false;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            for (auto& entry : counts)
                if (entry.first == watched)
                    ++entry.second;
        return QObject::eventFilter(watched, event);
    }

private:
    std::vector<std::pair<QObject*, int>> counts;
};

// Runs the action, then every event it posted, repaints included, and returns the milliseconds taken.
// Each widget named by mustPaint afterwards has to have been painted, or the figure would be meaningless.
double timeUntilPainted(PaintWatch& watch, const std::function<void()>& action,
                        const std::function<std::vector<QWidget*>()>& mustPaint)
{
    watch.reset();
    const Clock::time_point start = Clock::now();
    action();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    const Clock::time_point end = Clock::now();
    for (QWidget* widget : mustPaint())
        if (!watch.painted(widget))
            fail("the result in " + widget->objectName().toStdString() + " was not repainted");
    return std::chrono::duration<double, std::milli>(end - start).count();
}

void settle(QWidget& window)
{
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        fail(window.objectName().toStdString() + " was not exposed");
    QCoreApplication::processEvents();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

template <typename T> T* find(QWidget& window, const QString& name)
{
    T* child = window.findChild<T*>(name);
    if (child == nullptr)
        fail("no control " + name.toStdString() + " in " + window.objectName().toStdString());
    return child;
}

void printRow(const std::string& what, double medianMs)
{
    std::printf("| reaction, %s | %.3f ms | | | < 2 ms | %s |\n", what.c_str(), medianMs,
                medianMs < 2.0 ? "yes" : "no");
}

std::vector<double> pellanLightClicks(int runs)
{
    pellan::SolverWindow form;
    settle(form);
    PaintWatch watch;
    QCheckBox* boxes[5];
    QLineEdit* statuses[5];
    for (int i = 0; i < 5; ++i) {
        boxes[i] = find<QCheckBox>(form, u"Light%1Box"_s.arg(i + 1));
        statuses[i] = find<QLineEdit>(form, u"Light%1Status"_s.arg(i + 1));
        watch.watch(statuses[i]);
    }
    auto* output = find<QLineEdit>(form, u"OutputText"_s);
    watch.watch(output);

    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        // Walks through all 32 patterns and back again, one light at a time.
        QCheckBox* box = boxes[run % 5];
        QLineEdit* status = statuses[run % 5];
        QString answerBefore;
        times.push_back(timeUntilPainted(
            watch,
            [&] {
                answerBefore = output->text();
                QTest::mouseClick(box, Qt::LeftButton);
            },
            [&] {
                std::vector<QWidget*> changed{status};
                if (output->text() != answerBefore)
                    changed.push_back(output);
                return changed;
            }));
    }
    return times;
}

struct KorvaneTimes {
    std::vector<double> optionClicks;
    std::vector<double> enterKeys;
};

KorvaneTimes korvaneActions(int runs)
{
    quendrith::setMessageResponder([](const quendrith::ShownMessage& message) {
        fail("korvane showed a message: " + message.text.toStdString());
    });
    korvane::CalculatorWindow form;
    settle(form);
    PaintWatch watch;
    auto* total = find<QLabel>(form, u"lblTotal"_s);
    auto* intellect = find<QLineEdit>(form, u"txtInt"_s);
    watch.watch(total);
    QRadioButton* options[2] = {find<QRadioButton>(form, u"Kraanan(3)"_s), find<QRadioButton>(form, u"Kraanan(5)"_s)};
    for (QRadioButton* option : options)
        watch.watch(option);
    find<QComboBox>(form, u"Combo2"_s)->setEditText(u"Faren"_s);
    intellect->setText(u"30"_s);
    intellect->setFocus();
    QTest::keyClick(intellect, Qt::Key_Return);
    QCoreApplication::processEvents();

    KorvaneTimes times;
    for (int run = 0; run < runs; ++run) {
        QRadioButton* option = options[run % 2];
        times.optionClicks.push_back(timeUntilPainted(
            watch, [&] { QTest::mouseClick(option, Qt::LeftButton); },
            [&] { return std::vector<QWidget*>{option, total}; }));

        // A different intellect each time, typed beforehand, so that Enter has a new figure to show.
        intellect->setText(QString::number(run % 2 ? 20 : 45));
        QCoreApplication::processEvents();
        times.enterKeys.push_back(timeUntilPainted(
            watch, [&] { QTest::keyClick(intellect, Qt::Key_Return); }, [&] { return std::vector<QWidget*>{total}; }));
    }
    quendrith::setMessageResponder({});
    return times;
}

// What a durable saveCharacter cannot do without: write a file of the store's size next to it,
// flush it, rename it over the old one and flush the folder.
void durableReplacement(const std::string& folder, const std::string& data)
{
    const std::string target = folder + "/floor.reg";
    const std::string temporary = target + ".tmp";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0 || ::write(fd, data.data(), data.size()) != static_cast<ssize_t>(data.size()) || ::fsync(fd) != 0)
        fail("cannot write " + temporary);
    ::close(fd);
    if (::rename(temporary.c_str(), target.c_str()) != 0)
        fail("cannot rename " + temporary);
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0 || ::fsync(dir) != 0)
        fail("cannot flush " + folder);
    ::close(dir);
}

template <typename T> T* control(sorvex::TemplateDialog& dialog, int id)
{
    T* control = dialog.control<T>(id);
    if (control == nullptr)
        fail("no control " + std::to_string(id) + " in sorvex's dialog");
    return control;
}

struct SorvexTimes {
    std::vector<double> calculate;
    std::vector<double> floor;
};

SorvexTimes sorvexCalculate(int runs)
{
    namespace fs = std::filesystem;
    const fs::path config = fs::temp_directory_path() / ("reaction-bench-" + std::to_string(::getpid()));
    fs::remove_all(config);
    fs::create_directories(config);
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);

    SorvexTimes times;
    {
        quendrith::setUpFonts();
        sorvex::ConverterDialog dialog;
        settle(dialog);
        PaintWatch watch;
        auto* calculate = control<QAbstractButton>(dialog, sorvex::converter::calculateButton);
        auto* intellect = control<QLineEdit>(dialog, sorvex::converter::currentIntelEdit);
        std::vector<QWidget*> results;
        for (const int id : sorvex::converter::resultField) {
            results.push_back(control<QWidget>(dialog, id));
            watch.watch(results.back());
        }
        const auto figures = [&] {
            std::vector<QString> texts;
            for (QWidget* result : results)
                texts.push_back(result->property("text").toString());
            return texts;
        };

        const std::string folder = sorvex::regfile::storeFolder();
        for (int run = 0; run < runs; ++run) {
            // Another intellect each time, so that the figures change and have to be painted anew.
            intellect->setText(QString::number(run % 2 ? 0 : 150));
            QCoreApplication::processEvents();
            const std::vector<QString> before = figures();
            times.calculate.push_back(timeUntilPainted(
                watch, [&] { QTest::mouseClick(calculate, Qt::LeftButton); },
                [&] {
                    const std::vector<QString> after = figures();
                    std::vector<QWidget*> changed;
                    for (std::size_t i = 0; i < results.size(); ++i)
                        if (after[i] != before[i])
                            changed.push_back(results[i]);
                    if (changed.empty())
                        fail("Calculate changed no figure");
                    return changed;
                }));

            const std::string data(static_cast<std::size_t>(fs::file_size(sorvex::regfile::storeFile())), 'x');
            const Clock::time_point start = Clock::now();
            durableReplacement(folder, data);
            durableReplacement(folder, data);
            times.floor.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        }
    }
    fs::remove_all(config);
    return times;
}

}  // namespace

int main(int argc, char* argv[])
{
    int runs = 201;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else {
            std::fprintf(stderr, "usage: reaction_bench [--runs N]\n");
            return 2;
        }
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // A message box would wait for a click that never comes.
    QTimer modalWatch;
    QObject::connect(&modalWatch, &QTimer::timeout, &app, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            std::fprintf(stderr, "reaction_bench: a modal window \"%s\" opened\n",
                         modal->windowTitle().toStdString().c_str());
            std::exit(1);
        }
    });
    modalWatch.start(1000);
    try {
        printRow("pellan light box click", median(pellanLightClicks(runs)));
        const KorvaneTimes korvane = korvaneActions(runs);
        printRow("korvane option click", median(korvane.optionClicks));
        printRow("korvane Enter", median(korvane.enterKeys));
        const SorvexTimes sorvex = sorvexCalculate(runs);
        const double calculate = median(sorvex.calculate);
        const double floor = median(sorvex.floor);
        const double ratio = calculate / floor;
        std::printf("| reaction, sorvex Calculate | %.3f ms | %.3f ms (two durable replacements) | %.2f | ≤ 1.20 × "
                    "floor | %s |\n",
                    calculate, floor, ratio, ratio <= 1.2 ? "yes" : "no");
    } catch (const std::exception& error) {
        std::fprintf(stderr, "reaction_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
