#pragma once
// Pellan's windows: TPellanForm (pellan1) is the solver window and main window;
// TUnderworldMap (Umap), THelpWindow (helptext) and TForm1 (aboutU) are the map,
// help and About windows it shows. The solver itself lives in solver.h.

#include "solver.h"

#include <QMainWindow>

#include <string>

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class TForm1;
class THelpWindow;
class TUnderworldMap;

class TPellanForm : public QMainWindow, private pellan::LightsView {
    Q_OBJECT
public:
    explicit TPellanForm(QWidget* parent = nullptr);

    // The secondary windows are created after this one and outlive its handlers.
    void setSecondaryWindows(TForm1& about, TUnderworldMap& map, THelpWindow& help);

protected:
    void closeEvent(QCloseEvent* event) override;

private Q_SLOTS:
    void Light1BoxClick();
    void Light2BoxClick();
    void Light3BoxClick();
    void Light4BoxClick();
    void Light5BoxClick();
    void Exit1Click();
    void About1Click();
    void MapButtonClick();
    void ViewUnderworldMap1Click();
    void Help2Click();
    void ExitButtonClick();

private:
    [[nodiscard]] bool checked(int index) const override;
    void setOutputText(const std::string& text) override;
    void lightChanged(int index);
    static void showWindow(QWidget* window);

    QCheckBox* Light1Box;
    QCheckBox* Light2Box;
    QCheckBox* Light3Box;
    QCheckBox* Light4Box;
    QCheckBox* Light5Box;
    QLabel* Image1;
    QLineEdit* Light1Status;
    QLineEdit* Light2Status;
    QLineEdit* Light3Status;
    QLineEdit* Light4Status;
    QLineEdit* Light5Status;
    QLabel* Light1Label;
    QLabel* Light2Label;
    QLabel* Light3Label;
    QLabel* Light4Label;
    QLabel* Light5Label;
    QLineEdit* OutputText;
    QLabel* Label1;
    QMenuBar* MainMenu1;
    QMenu* File1;
    QAction* Exit1;
    QMenu* Help1;
    QAction* About1;
    QFrame* Bevel1;
    QFrame* Bevel2;
    QPushButton* MapButton;
    QAction* ViewUnderworldMap1;
    QAction* Help2;
    QPushButton* ExitButton;

    QCheckBox* boxes_[pellan::Solver::kLights];
    QLineEdit* statuses_[pellan::Solver::kLights];
    TForm1* about_ = nullptr;
    TUnderworldMap* map_ = nullptr;
    THelpWindow* help_ = nullptr;
    pellan::Solver solver_{*this};
};
