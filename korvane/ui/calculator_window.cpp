#include "calculator_window.h"

#include "accessible_interfaces.h"
#include "always_on_top.h"
#include "enter_presses_button.h"
#include "failure_text.h"
#include "messages.h"
#include "push_button.h"
#include "screen_pictures.h"
#include "text_conversion.h"
#include "twips.h"
#include "whole_box_buttons.h"
#include "window_fonts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <string>

using namespace Qt::StringLiterals;

namespace korvane {
namespace {

using quendrith::fromUtf8;
using quendrith::pixelFont;

QFont boxFont()
{
    return pixelFont(u"MS Sans Serif"_s, 13, true);
}  // 9.75 pt bold

// recalculate's view of the calculator window's controls.
class ControlsView final : public CalculatorView {
public:
    ControlsView(QWidget& shownWindow, QLineEdit& intellect, const std::array<QLineEdit*, 3>& percents,
                 QComboBox& school, QLabel& total, QLabel& verdict)
        : window(shownWindow), intellectEdit(intellect), percentEdits(percents), schoolCombo(school), totalLabel(total),
          verdictLabel(verdict)
    { }

    std::string intellectText() const override { return intellectEdit.text().toStdString(); }
    void setIntellectText(std::string_view text) override { intellectEdit.setText(fromUtf8(text)); }
    std::string percentText(int box) const override
    {
        return percentEdits.at(static_cast<std::size_t>(box - 1))->text().toStdString();
    }
    std::string schoolName() const override { return schoolCombo.currentText().toStdString(); }
    void setTotal(std::string_view text) override { totalLabel.setText(fromUtf8(text)); }
    void setCaption(std::string_view text) override { window.setWindowTitle(fromUtf8(text)); }
    void setVerdict(std::string_view text) override { verdictLabel.setText(fromUtf8(text)); }

private:
    QWidget& window;
    QLineEdit& intellectEdit;
    const std::array<QLineEdit*, 3>& percentEdits;
    QComboBox& schoolCombo;
    QLabel& totalLabel;
    QLabel& verdictLabel;
};

const std::array<const char*, 7> levelCaptions
    = {"None", "Level One", "Leven Two", "Level Three", "Level Four", "Level Five", "Level Six"};

struct SchoolFrame {
    School school;
    const char* frameName;
    const char* optionArrayName;  // the options are named optionArrayName(0) .. optionArrayName(6)
    int left, top;
    int frameTabIndex;
    int firstTabIndex;  // of the button with index 0
    int tabStep;  // +1 or -1 per index
};

const SchoolFrame schoolFrames[] = {
    {School::Kraanan, "Frame1", "Kraanan", 100, 480, 0, 1, 1},
    {School::Shalille, "Frame2", "Shally", 1500, 510, 8, 15, -1},
    {School::Faren, "Frame3", "Faren", 2900, 510, 16, 17, 1},
    {School::WeaponClass, "Frame9", "WC", 4260, 525, 59, 66, -1},
    {School::Riija, "Frame5", "Riija", 100, 2300, 32, 33, 1},
    {School::Qor, "Frame4", "Qor", 1500, 2295, 24, 25, 1},
    {School::Jala, "Frame6", "Jala", 2900, 2340, 40, 41, 1},
};

}  // namespace

CalculatorWindow::CalculatorWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    quendrith::announceAsWindow(*this);
    setObjectName(u"Form1"_s);
    setWindowTitle(fromUtf8(questionCaption));
    setWindowIcon(quendrith::sharedIcon(u":/assets/form1.ico"_s));
    setFont(quendrith::windowFont());
    resize(px(5700), px(6450));

    buildSchoolFrames();
    buildIntellectRow();
    buildSpellCountOptions();
    buildSchoolCombo();
    buildPercentBoxes();
    buildResult();
    buildBottomRow();
    setTabOrderByIndex();
    quendrith::enterPressesFocusedButton(this);
    onTop = new quendrith::AlwaysOnTop(*this);

    // The outputs show the figures of the start-up values from the first moment.
    recalculate();
}

void CalculatorWindow::buildSchoolFrames()
{
    for (const auto& def : schoolFrames) {
        auto* frame = new QGroupBox(fromUtf8(schoolNames[static_cast<std::size_t>(def.school)]), this);
        frame->setObjectName(QString::fromLatin1(def.frameName));
        frame->setGeometry(twips(def.left, def.top, 1275, 1680));
        for (int i = 0; i < 7; ++i) {
            auto* option
                = new quendrith::RadioButton(QString::fromLatin1(levelCaptions[static_cast<std::size_t>(i)]), frame);
            option->setObjectName(u"%1(%2)"_s.arg(QString::fromLatin1(def.optionArrayName)).arg(i));
            option->setGeometry(twips(30, 200 + 200 * i, 1200, 225));
            option->setChecked(i == 0);
            const School school = def.school;
            connect(option, &QRadioButton::clicked, this, [this, school, i] { selectSchoolLevel(school, i); });
            tabIndexes.emplace_back(def.firstTabIndex + def.tabStep * i, option);
        }
    }
}

void CalculatorWindow::buildIntellectRow()
{
    auto* intellectLabel = new QLabel(u"My Intellect is:"_s, this);
    intellectLabel->setObjectName(u"Label2"_s);
    intellectLabel->setGeometry(twips(165, 105, 1185, 300));

    intellectEdit = new QLineEdit(u"1"_s, this);
    intellectEdit->setObjectName(u"txtInt"_s);
    intellectEdit->setAccessibleName(u"Intellect"_s);
    intellectEdit->setGeometry(twips(1500, 75, 615, 345));
    intellectEdit->setFont(boxFont());
    tabIndexes.emplace_back(68, intellectEdit);

    auto* aboutButton = quendrith::makePushButton(this, u"Command3"_s, u"About"_s, twips(4350, 2655, 1140, 390));
    connect(aboutButton, &QPushButton::clicked, this, &CalculatorWindow::showInfo);
    tabIndexes.emplace_back(74, aboutButton);
}

void CalculatorWindow::buildSpellCountOptions()
{
    auto* spellCountFrame = new QGroupBox(u"There are this many spells in my current level..."_s, this);
    spellCountFrame->setObjectName(u"Frame7"_s);
    spellCountFrame->setGeometry(twips(120, 4080, 3525, 1065));
    struct Spells {
        int index;
        const char* caption;
        QRect geometry;
        int tabIndex;
    };
    const Spells spells[] = {
        {1, "One spell\\skill", twips(30, 240, 2190, 210), 49},
        {2, "Two", twips(30, 480, 2955, 210), 51},
        {3, "Three", twips(30, 720, 1215, 210), 50},
    };
    for (const auto& def : spells) {
        auto* option = new quendrith::RadioButton(QString::fromLatin1(def.caption), spellCountFrame);
        option->setObjectName(u"spells(%1)"_s.arg(def.index));
        option->setGeometry(def.geometry);
        option->setChecked(def.index == 3);
        const int index = def.index;
        connect(option, &QRadioButton::clicked, this, [this, index] { selectSpellCount(index); });
        tabIndexes.emplace_back(def.tabIndex, option);
    }
}

void CalculatorWindow::buildSchoolCombo()
{
    schoolCombo = new QComboBox(this);
    schoolCombo->setObjectName(u"Combo2"_s);
    schoolCombo->setAccessibleName(u"School to raise"_s);
    schoolCombo->setGeometry(twips(3840, 4200, 1455, 315));
    schoolCombo->setEditable(true);
    schoolCombo->setInsertPolicy(QComboBox::NoInsert);
    schoolCombo->setCompleter(nullptr);  // a completer would change the case of what is typed
    for (const auto name : schoolNames) {
        schoolCombo->addItem(fromUtf8(name));
    }
    schoolCombo->setCurrentIndex(-1);
    schoolCombo->setEditText(u"Select School"_s);
    tabIndexes.emplace_back(75, schoolCombo);
}

void CalculatorWindow::buildPercentBoxes()
{
    auto* percentFrame = new QGroupBox(u"And my current percents are..."_s, this);
    percentFrame->setObjectName(u"Frame8"_s);
    percentFrame->setGeometry(twips(135, 5190, 2385, 840));
    const int spellLefts[] = {210, 750, 1260};
    const char* const spellNames[] = {"First percentage", "Second percentage", "Third percentage"};
    for (std::size_t i = 0; i < percentEdits.size(); ++i) {
        auto* box = new QLineEdit(u"1"_s, percentFrame);
        box->setObjectName(u"Spell%1"_s.arg(i + 1));
        box->setAccessibleName(QString::fromLatin1(spellNames[i]));
        box->setGeometry(twips(spellLefts[i], 330, 435, 315));
        box->setFont(boxFont());
        percentEdits[i] = box;
        tabIndexes.emplace_back(53 + static_cast<int>(i), box);
    }
    for (QLineEdit* box : {intellectEdit, percentEdits[0], percentEdits[1], percentEdits[2]}) {
        // The key itself goes on to the box unchanged.
        connect(box, &QLineEdit::returnPressed, this, &CalculatorWindow::recalculate);
    }

    auto* calculateButton
        = quendrith::makePushButton(percentFrame, u"Command1"_s, u"enter"_s, twips(1815, 345, 495, 285));
    connect(calculateButton, &QPushButton::clicked, this, &CalculatorWindow::recalculate);
    tabIndexes.emplace_back(56, calculateButton);
}

void CalculatorWindow::buildResult()
{
    verdictLabel = new QLabel(u"Your magic number..."_s, this);
    verdictLabel->setObjectName(u"Label1"_s);
    verdictLabel->setGeometry(twips(2685, 5250, 1545, 225));

    totalLabel = new QLabel(u"0"_s, this);
    totalLabel->setObjectName(u"lblTotal"_s);
    totalLabel->setGeometry(twips(2670, 5535, 1425, 540));
    totalLabel->setFont(pixelFont(u"MS Sans Serif"_s, 32, true));
    totalLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
}

void CalculatorWindow::buildBottomRow()
{
    auto* exitButton = quendrith::makePushButton(this, u"Command2"_s, u"Exit"_s, twips(4770, 6060, 825, 300));
    connect(exitButton, &QPushButton::clicked, this, &CalculatorWindow::close);
    tabIndexes.emplace_back(69, exitButton);

    const QString serif = u"Times New Roman"_s;
    struct Decoration {
        const char* name;
        QString caption;
        QRect geometry;
        QFont font;
        QColor colour;
    };
    const Decoration decorations[] = {
        {"Label4", u"Tobbleweft sends, \""_s, twips(30, 6105, 1560, 345), pixelFont(serif, 13), Qt::black},
        {"Label3", u"<Quarrow>"_s, twips(1605, 6105, 1140, 345), pixelFont(serif, 13, true, true), QColor(0, 128, 0)},
        {"Label5", u"\""_s, twips(2565, 6105, 1560, 345), pixelFont(serif, 13), Qt::black},
    };
    for (const auto& def : decorations) {
        auto* label = new QLabel(def.caption, this);
        label->setObjectName(QString::fromLatin1(def.name));
        label->setTextFormat(Qt::PlainText);
        label->setGeometry(def.geometry);
        label->setFont(def.font);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, def.colour);
        label->setPalette(palette);
    }

    auto* strengthCombo = new QComboBox(this);
    strengthCombo->setObjectName(u"Combo1"_s);
    strengthCombo->setAccessibleName(u"Strength"_s);
    strengthCombo->setGeometry(twips(2850, 6045, 1755, 315));
    strengthCombo->addItems({u"1 - Slight"_s, u"2 - Small"_s, u"3 - Moderate"_s, u"4 - Solid"_s, u"5 - Severe"_s,
                             u"6 - Swift"_s, u"7 - Potent"_s, u"8 - Damaging"_s, u"9 - Prominent"_s, u"10 - Crushing"_s,
                             u"11 - Enormous"_s});
    strengthCombo->setCurrentIndex(-1);
    tabIndexes.emplace_back(73, strengthCombo);
}

void CalculatorWindow::setTabOrderByIndex()
{
    std::sort(tabIndexes.begin(), tabIndexes.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < tabIndexes.size(); ++i) {
        QWidget::setTabOrder(tabIndexes[i - 1].second, tabIndexes[i].second);
    }
}

void CalculatorWindow::recalculate()
{
    ControlsView view(*this, *intellectEdit, percentEdits, *schoolCombo, *totalLabel, *verdictLabel);
    const auto outcome = korvane::recalculate(view, schoolLevels, spellCount, QLocale().decimalPoint().toStdString());
    if (!outcome) {
        reportFailure(outcome.error());
    }
}

void CalculatorWindow::reportFailure(const RecalculateFailure& failure)
{
    quendrith::showMessage(this, QMessageBox::Warning, u"korvane"_s, failureText(failure));
    if (const auto* input = std::get_if<InputFailure>(&failure)) {
        QLineEdit* box = input->box == InputBox::Intellect ? intellectEdit
                                                           : percentEdits.at(static_cast<std::size_t>(input->box) - 1);
        box->setFocus();
        box->selectAll();
    }
}

void CalculatorWindow::selectSchoolLevel(School school, int optionIndex)
{
    schoolLevels.at(static_cast<std::size_t>(school)) = levelStateForOption(optionIndex);
    recalculate();
}

void CalculatorWindow::selectSpellCount(int optionIndex)
{
    spellCount = static_cast<SpellCount>(std::clamp(optionIndex, 1, 3));
    const auto set = [](QLineEdit* box, bool enabled) {
        box->setEnabled(enabled);
        box->setText(enabled ? u"1"_s : u"X"_s);
    };
    set(percentEdits[1], optionIndex >= 2);
    set(percentEdits[2], optionIndex >= 3);
    recalculate();
}

void CalculatorWindow::showInfo()
{
    if (!infoWindow) {
        infoWindow = new InfoWindow(this);
        onTop->addFollower(*infoWindow);
    }
    infoWindow->show();
    infoWindow->raise();
    infoWindow->activateWindow();
}

// Tab enters an option group at its selected button, as the arrow keys then move from there.
bool CalculatorWindow::focusNextPrevChild(bool next)
{
    const bool moved = QWidget::focusNextPrevChild(next);
    auto* option = qobject_cast<QRadioButton*>(QApplication::focusWidget());
    if (!moved || option == nullptr || option->isChecked() || option->parentWidget() == nullptr) {
        return moved;
    }
    for (auto* sibling : option->parentWidget()->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly)) {
        if (sibling->isChecked() && sibling->isEnabled()) {
            sibling->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            break;
        }
    }
    return moved;
}

#ifdef Q_OS_WIN
bool CalculatorWindow::nativeEvent(const QByteArray& eventType, void* message, qintptr* result)
{
    return onTop->handleSystemCommand(eventType, message, result) || QWidget::nativeEvent(eventType, message, result);
}
#else
// The window manager owns the system menu here, so the item lives in the client area's menu.
void CalculatorWindow::contextMenuEvent(QContextMenuEvent* event)
{
    onTop->contextMenu()->popup(event->globalPos());
}
#endif

void CalculatorWindow::closeEvent(QCloseEvent* event)
{
    if (infoWindow) {
        infoWindow->close();
    }
    QWidget::closeEvent(event);
    QCoreApplication::quit();
}

}  // namespace korvane
