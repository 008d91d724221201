#pragma once
// The main window: five light boxes around the star, their states, and the solver's answer.

#include "solver.h"

#include <QMainWindow>

#include <string>

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace quendrith {
class AlwaysOnTop;
}

namespace pellan {

class SolverWindow : public QMainWindow, private LightsView {
    Q_OBJECT
public:
    explicit SolverWindow(QWidget* parent = nullptr);

    // The map, help and About windows follow its choice.
    [[nodiscard]] quendrith::AlwaysOnTop& alwaysOnTop() const { return *onTop; }

Q_SIGNALS:
    void mapRequested();
    void helpRequested();
    void aboutRequested();
    // Sent from the close event, before the window goes.
    void closing();

protected:
    void closeEvent(QCloseEvent* event) override;
#ifdef Q_OS_WIN
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;
#else
    void contextMenuEvent(QContextMenuEvent* event) override;
#endif

private:
    void createPictureAndLabels(QWidget* client);
    void createControls(QWidget* client);
    void createMenus();
    void connectControls();

    [[nodiscard]] bool checked(int index) const override;
    void setAnswerText(const std::string& text) override;
    void lightToggled(int index);

    QFrame* lightsBevel = nullptr;
    QFrame* solutionBevel = nullptr;
    QLabel* starPicture = nullptr;
    QLabel* lightLabels[Solver::lightCount] = {};
    QCheckBox* lightBoxes[Solver::lightCount] = {};
    QLineEdit* statusEdits[Solver::lightCount] = {};
    QLabel* solutionLabel = nullptr;
    QLineEdit* solutionEdit = nullptr;
    QPushButton* mapButton = nullptr;
    QPushButton* exitButton = nullptr;
    QMenu* fileMenu = nullptr;
    QAction* mapAction = nullptr;
    QAction* exitAction = nullptr;
    QMenu* helpMenu = nullptr;
    QAction* helpAction = nullptr;
    QAction* aboutAction = nullptr;
    quendrith::AlwaysOnTop* onTop = nullptr;
    Solver lightsSolver{*this};
};

}  // namespace pellan
