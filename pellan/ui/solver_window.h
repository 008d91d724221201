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

namespace pellan {

class SolverWindow : public QMainWindow, private LightsView {
    Q_OBJECT
public:
    explicit SolverWindow(QWidget* parent = nullptr);

Q_SIGNALS:
    void mapRequested();
    void helpRequested();
    void aboutRequested();
    // Sent from the close event, before the window goes.
    void closing();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createPictureAndLabels(QWidget* client);
    void createControls(QWidget* client);
    void createMenus();
    void connectControls();

    [[nodiscard]] bool checked(int index) const override;
    void setAnswerText(const std::string& text) override;
    void lightToggled(int index);

    QFrame* lightsBevel_ = nullptr;
    QFrame* solutionBevel_ = nullptr;
    QLabel* starPicture_ = nullptr;
    QLabel* lightLabels_[Solver::lightCount] = {};
    QCheckBox* lightBoxes_[Solver::lightCount] = {};
    QLineEdit* statusEdits_[Solver::lightCount] = {};
    QLabel* solutionLabel_ = nullptr;
    QLineEdit* solutionEdit_ = nullptr;
    QPushButton* mapButton_ = nullptr;
    QPushButton* exitButton_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QAction* mapAction_ = nullptr;
    QAction* exitAction_ = nullptr;
    QMenu* helpMenu_ = nullptr;
    QAction* helpAction_ = nullptr;
    QAction* aboutAction_ = nullptr;
    Solver solver_{*this};
};

}  // namespace pellan
