// CalculatorWindow: korvane's main window. Every committed input (Enter in a box, the "enter" button, a level
// or spell count option) runs recalculate on the controls; a failure is shown as a warning.
#pragma once

#include "improves_calculation.h"
#include "info_window.h"
#include "recalculate.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <utility>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;

namespace quendrith {
class AlwaysOnTop;
}

namespace korvane {

class CalculatorWindow : public QWidget {
    Q_OBJECT
public:
    explicit CalculatorWindow(QWidget* parent = nullptr);

    void recalculate();
    void selectSchoolLevel(School school, int optionIndex);
    void selectSpellCount(int optionIndex);
    void showInfo();
    [[nodiscard]] InfoWindow* info() const { return infoWindow; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool focusNextPrevChild(bool next) override;
#ifdef Q_OS_WIN
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;
#else
    void contextMenuEvent(QContextMenuEvent* event) override;
#endif

private:
    void buildSchoolFrames();
    void buildIntellectRow();
    void buildSpellCountOptions();
    void buildSchoolCombo();
    void buildPercentBoxes();
    void buildResult();
    void buildBottomRow();
    void setTabOrderByIndex();
    void reportFailure(const RecalculateFailure& failure);

    SchoolLevels schoolLevels{};
    SpellCount spellCount = SpellCount::Three;
    QPointer<InfoWindow> infoWindow;
    quendrith::AlwaysOnTop* onTop = nullptr;

    QLineEdit* intellectEdit = nullptr;
    std::array<QLineEdit*, 3> percentEdits{};
    QComboBox* schoolCombo = nullptr;
    QLabel* verdictLabel = nullptr;
    QLabel* totalLabel = nullptr;
    std::vector<std::pair<int, QWidget*>> tabIndexes;  // each focusable control with its place in the Tab order
};

}  // namespace korvane
