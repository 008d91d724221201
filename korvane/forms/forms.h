// korvane's windows on top of the platform-free core:
//   Form1        the calculator, main window; runs Recalculate on every committed input
//   Form2        the small info window, created on first "About", hidden by a click on it
//   showMessage  the one way the program shows a message box (tests answer it in advance)
//   setUpFonts   font substitutions for the Windows fonts the forms name
// accessibility.h holds what screen readers are told beyond Qt's own interfaces, and Enter on buttons.
#pragma once

#include "recalculate.h"

#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <utility>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace korvane {

void setUpFonts();

struct ShownMessage {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
};

// Installed by tests: receives every message instead of a real box and gives the button pressed.
using MessageResponder = std::function<QMessageBox::StandardButton(const ShownMessage&)>;
void setMessageResponder(MessageResponder responder);  // an empty one restores real boxes
QMessageBox::StandardButton showMessage(QWidget* parent, const ShownMessage& message);

class Form2 : public QWidget {
    Q_OBJECT
public:
    explicit Form2(QWidget* parent = nullptr);
    void hideInfo();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* label7_ = nullptr;
};

class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(QWidget* parent = nullptr);

    void recalculate();
    void selectSchoolLevel(School school, int optionIndex);
    void selectSpellCount(int optionIndex);
    void showInfo();
    [[nodiscard]] Form2* info() const { return form2_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void buildSchoolFrames();
    void buildControls();
    void setTabOrderByIndex();
    void report(const RecalculateFailure& failure);

    SchoolLevels schools_{};
    SpellCount spellCount_ = SpellCount::Three;
    QPointer<Form2> form2_;

    QLineEdit* txtInt_ = nullptr;
    std::array<QLineEdit*, 3> spellBoxes_{};
    QComboBox* combo2_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* lblTotal_ = nullptr;
    std::vector<std::pair<int, QWidget*>> tabIndexes_;
};

}  // namespace korvane
