#pragma once
// The program's four windows: made in start-up order, the solver window wired to the three it opens.
// Works inside an existing QApplication; start() is the program's start-up.

#include <QList>
#include <QObject>

#include <memory>

namespace pellan {

class AboutWindow;
class HelpWindow;
class MapWindow;
class SolverWindow;

class PellanApp : public QObject {
    Q_OBJECT
public:
    // All four windows, none shown.
    explicit PellanApp(QObject* parent = nullptr);
    ~PellanApp() override;

    // The program itself: shows the solver window, then makes the others. They live as long as the result,
    // and closing the solver window ends the event loop.
    [[nodiscard]] static std::unique_ptr<PellanApp> start();

    [[nodiscard]] SolverWindow& solverWindow() const { return *solver; }
    [[nodiscard]] AboutWindow& aboutWindow() const { return *about; }
    [[nodiscard]] MapWindow& mapWindow() const { return *map; }
    [[nodiscard]] HelpWindow& helpWindow() const { return *help; }
    // In the order they are made: solver, About, map, help.
    [[nodiscard]] QList<QWidget*> windows() const;
    // The window of that object name, or null.
    [[nodiscard]] QWidget* window(const QString& objectName) const;

private:
    enum class Start { Hidden, SolverWindowFirst };
    PellanApp(Start start, QObject* parent);

    void closeSecondaryWindows();
    static void showWindow(QWidget* window);

    std::unique_ptr<SolverWindow> solver;
    std::unique_ptr<AboutWindow> about;
    std::unique_ptr<MapWindow> map;
    std::unique_ptr<HelpWindow> help;
};

}  // namespace pellan
