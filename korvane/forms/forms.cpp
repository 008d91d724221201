#include "forms.h"

#include "accessibility.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFont>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

namespace korvane {
namespace {

// Layouts are measured in twips; 15 twips are one pixel at 96 dots per inch.
int px(int twips) { return static_cast<int>(std::lround(twips / 15.0)); }
QRect twips(int left, int top, int width, int height) {
    return {px(left), px(top), px(width), px(height)};
}

QFont fontOf(const QString& family, int pixelSize, bool bold = false, bool italic = false) {
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

QFont defaultFormFont() { return fontOf(QStringLiteral("MS Sans Serif"), 11); }
QFont boxFont() { return fontOf(QStringLiteral("MS Sans Serif"), 13, true); }  // 9.75 pt bold

QString fromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

MessageResponder& responder() {
    static MessageResponder installed;
    return installed;
}

const char* const kProgramName = "korvane";

QString boxName(InputBox box) {
    switch (box) {
    case InputBox::Intellect:
        return QStringLiteral("intellect box");
    case InputBox::Spell1:
        return QStringLiteral("first percentage box");
    case InputBox::Spell2:
        return QStringLiteral("second percentage box");
    case InputBox::Spell3:
        return QStringLiteral("third percentage box");
    }
    return {};
}

QString stepName(ImprovesStep step) {
    switch (step) {
    case ImprovesStep::SetIntellectBracket:
    case ImprovesStep::RequiredPoints:
    case ImprovesStep::ApplyLevelOneRule:
        return QStringLiteral("The points the next level asks for");
    case ImprovesStep::SumPercents:
        return QStringLiteral("The weighted total of the percentages");
    case ImprovesStep::ImprovesNeeded:
        return QStringLiteral("The improves needed");
    }
    return {};
}

QString describe(const RecalculateFailure& failure) {
    if (const auto* input = std::get_if<InputFailure>(&failure)) {
        const QString box = boxName(input->box);
        const QString text = fromUtf8(input->text);
        if (input->error == ConversionError::OutOfRange) {
            return QStringLiteral("The %1 holds \"%2\", which is outside the range -32768 to 32767.").arg(box, text);
        }
        if (text.trimmed().isEmpty()) {
            return QStringLiteral("The %1 is empty. Enter a number, for example 27.").arg(box);
        }
        return QStringLiteral("The %1 holds \"%2\", which is not a number. Enter a number, for example 27.")
            .arg(box, text);
    }
    return QStringLiteral("%1 came out outside the range -32768 to 32767, so nothing was calculated. "
                          "Check the percentages.")
        .arg(stepName(std::get<Overflow>(failure).step));
}

// Recalculate's view of Form1's controls.
class ControlsView final : public CalculatorView {
public:
    ControlsView(QWidget& form, QLineEdit& txtInt, const std::array<QLineEdit*, 3>& spells, QComboBox& combo2,
                 QLabel& lblTotal, QLabel& label1)
        : form_(form), txtInt_(txtInt), spells_(spells), combo2_(combo2), lblTotal_(lblTotal), label1_(label1) {}

    std::string intellectText() const override { return txtInt_.text().toStdString(); }
    void setIntellectText(std::string_view text) override { txtInt_.setText(fromUtf8(text)); }
    std::string percentText(int box) const override {
        return spells_.at(static_cast<std::size_t>(box - 1))->text().toStdString();
    }
    std::string schoolName() const override { return combo2_.currentText().toStdString(); }
    void setTotal(std::string_view text) override { lblTotal_.setText(fromUtf8(text)); }
    void setCaption(std::string_view text) override { form_.setWindowTitle(fromUtf8(text)); }
    void setVerdict(std::string_view text) override { label1_.setText(fromUtf8(text)); }

private:
    QWidget& form_;
    QLineEdit& txtInt_;
    const std::array<QLineEdit*, 3>& spells_;
    QComboBox& combo2_;
    QLabel& lblTotal_;
    QLabel& label1_;
};

const std::array<const char*, 7> kLevelCaptions = {"None",       "Level One",  "Leven Two", "Level Three",
                                                   "Level Four", "Level Five", "Level Six"};

struct SchoolFrame {
    School school;
    const char* frame;
    const char* array;
    int left, top;
    int frameTabIndex;
    int firstTabIndex;  // of the button with index 0
    int tabStep;        // +1 or -1 per index
};

const SchoolFrame kSchoolFrames[] = {
    {School::Kraanan, "Frame1", "Kraanan", 100, 480, 0, 1, 1},
    {School::Shalille, "Frame2", "Shally", 1500, 510, 8, 15, -1},
    {School::Faren, "Frame3", "Faren", 2900, 510, 16, 17, 1},
    {School::WeaponClass, "Frame9", "WC", 4260, 525, 59, 66, -1},
    {School::Riija, "Frame5", "Riija", 100, 2300, 32, 33, 1},
    {School::Qor, "Frame4", "Qor", 1500, 2295, 24, 25, 1},
    {School::Jala, "Frame6", "Jala", 2900, 2340, 40, 41, 1},
};

}  // namespace

void setUpFonts() {
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
}

void setMessageResponder(MessageResponder installed) { responder() = std::move(installed); }

QMessageBox::StandardButton showMessage(QWidget* parent, const ShownMessage& message) {
    if (responder()) {
        return responder()(message);
    }
    QMessageBox box(message.icon, message.title, message.text, QMessageBox::Ok, parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

Form2::Form2(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
    installAccessibleInterfaces();
    setObjectName(QStringLiteral("Form2"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Info..."));
    setWindowIcon(QIcon(QStringLiteral(":/assets/form2.ico")));
    setFont(defaultFormFont());
    setFixedSize(px(3525), px(1050));

    struct Text {
        const char* name;
        QString caption;
        QRect geometry;
    };
    const Text texts[] = {
        {"Label1", QStringLiteral("You can reach me online at almost any time..."), twips(105, 75, 3420, 285)},
        {"Label2", QStringLiteral("Wendlecap   - -       MSN"), twips(150, 330, 2040, 225)},
        {"Label3", QStringLiteral("Wendlecap    - - -     AIM"), twips(120, 540, 2310, 315)},
        {"Label4", QStringLiteral("wendlecap@example.org"), twips(120, 780, 2655, 285)},
    };
    for (const auto& text : texts) {
        auto* label = new QLabel(text.caption, this);
        label->setObjectName(QString::fromLatin1(text.name));
        label->setGeometry(text.geometry);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }

    // Transparent cover that takes the clicks, all but a strip along the right edge.
    label7_ = new QLabel(this);
    label7_->setObjectName(QStringLiteral("Label7"));
    label7_->setAccessibleName(QStringLiteral("Hide this window"));
    label7_->setGeometry(twips(-240, -240, 3675, 2205));
    label7_->raise();
    label7_->installEventFilter(this);
}

void Form2::hideInfo() { hide(); }

// The window has nothing to focus, so a keyboard user hides it with Escape where the mouse clicks it.
void Form2::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        hideInfo();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool Form2::eventFilter(QObject* watched, QEvent* event) {
    if (watched == label7_ && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && label7_->rect().contains(mouse->position().toPoint())) {
            hideInfo();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

Form1::Form1(QWidget* parent) : QWidget(parent, Qt::Window) {
    installAccessibleInterfaces();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(fromUtf8(questionCaption));
    setWindowIcon(QIcon(QStringLiteral(":/assets/form1.ico")));
    setFont(defaultFormFont());
    resize(px(5700), px(6450));

    buildSchoolFrames();
    buildControls();
    setTabOrderByIndex();
    enterPressesFocusedButton(this);

    // Form_Load
    spellCount_ = SpellCount::Three;
    recalculate();
}

void Form1::buildSchoolFrames() {
    for (const auto& def : kSchoolFrames) {
        auto* frame = new QGroupBox(fromUtf8(schoolNames[static_cast<std::size_t>(def.school)]), this);
        frame->setObjectName(QString::fromLatin1(def.frame));
        frame->setGeometry(twips(def.left, def.top, 1275, 1680));
        for (int i = 0; i < 7; ++i) {
            auto* option = new QRadioButton(QString::fromLatin1(kLevelCaptions[static_cast<std::size_t>(i)]), frame);
            option->setObjectName(QStringLiteral("%1(%2)").arg(QString::fromLatin1(def.array)).arg(i));
            option->setGeometry(twips(30, 200 + 200 * i, 1200, 225));
            option->setChecked(i == 0);
            const School school = def.school;
            connect(option, &QRadioButton::clicked, this, [this, school, i] { selectSchoolLevel(school, i); });
            tabIndexes_.emplace_back(def.firstTabIndex + def.tabStep * i, option);
        }
    }
}

void Form1::buildControls() {
    auto* label2 = new QLabel(QStringLiteral("My Intellect is:"), this);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setGeometry(twips(165, 105, 1185, 300));

    txtInt_ = new QLineEdit(QStringLiteral("1"), this);
    txtInt_->setObjectName(QStringLiteral("txtInt"));
    txtInt_->setAccessibleName(QStringLiteral("Intellect"));
    txtInt_->setGeometry(twips(1500, 75, 615, 345));
    txtInt_->setFont(boxFont());
    tabIndexes_.emplace_back(68, txtInt_);

    auto* command3 = new QPushButton(QStringLiteral("About"), this);
    command3->setObjectName(QStringLiteral("Command3"));
    command3->setGeometry(twips(4350, 2655, 1140, 390));
    connect(command3, &QPushButton::clicked, this, &Form1::showInfo);
    tabIndexes_.emplace_back(74, command3);

    auto* frame7 = new QGroupBox(QStringLiteral("There are this many spells in my current level..."), this);
    frame7->setObjectName(QStringLiteral("Frame7"));
    frame7->setGeometry(twips(120, 4080, 3525, 1065));
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
        auto* option = new QRadioButton(QString::fromLatin1(def.caption), frame7);
        option->setObjectName(QStringLiteral("spells(%1)").arg(def.index));
        option->setGeometry(def.geometry);
        option->setChecked(def.index == 3);
        const int index = def.index;
        connect(option, &QRadioButton::clicked, this, [this, index] { selectSpellCount(index); });
        tabIndexes_.emplace_back(def.tabIndex, option);
    }

    combo2_ = new QComboBox(this);
    combo2_->setObjectName(QStringLiteral("Combo2"));
    combo2_->setAccessibleName(QStringLiteral("School to raise"));
    combo2_->setGeometry(twips(3840, 4200, 1455, 315));
    combo2_->setEditable(true);
    combo2_->setInsertPolicy(QComboBox::NoInsert);
    combo2_->setCompleter(nullptr);  // a completer would change the case of what is typed
    for (const auto name : schoolNames) {
        combo2_->addItem(fromUtf8(name));
    }
    combo2_->setCurrentIndex(-1);
    combo2_->setEditText(QStringLiteral("Select School"));
    tabIndexes_.emplace_back(75, combo2_);

    auto* frame8 = new QGroupBox(QStringLiteral("And my current percents are..."), this);
    frame8->setObjectName(QStringLiteral("Frame8"));
    frame8->setGeometry(twips(135, 5190, 2385, 840));
    const int spellLefts[] = {210, 750, 1260};
    const char* const spellNames[] = {"First percentage", "Second percentage", "Third percentage"};
    for (std::size_t i = 0; i < spellBoxes_.size(); ++i) {
        auto* box = new QLineEdit(QStringLiteral("1"), frame8);
        box->setObjectName(QStringLiteral("Spell%1").arg(i + 1));
        box->setAccessibleName(QString::fromLatin1(spellNames[i]));
        box->setGeometry(twips(spellLefts[i], 330, 435, 315));
        box->setFont(boxFont());
        spellBoxes_[i] = box;
        tabIndexes_.emplace_back(53 + static_cast<int>(i), box);
    }
    for (QLineEdit* box : {txtInt_, spellBoxes_[0], spellBoxes_[1], spellBoxes_[2]}) {
        // The key itself goes on to the box unchanged.
        connect(box, &QLineEdit::returnPressed, this, &Form1::recalculate);
    }

    auto* command1 = new QPushButton(QStringLiteral("enter"), frame8);
    command1->setObjectName(QStringLiteral("Command1"));
    command1->setGeometry(twips(1815, 345, 495, 285));
    connect(command1, &QPushButton::clicked, this, &Form1::recalculate);
    tabIndexes_.emplace_back(56, command1);

    label1_ = new QLabel(QStringLiteral("Your magic number..."), this);
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setGeometry(twips(2685, 5250, 1545, 225));

    lblTotal_ = new QLabel(QStringLiteral("0"), this);
    lblTotal_->setObjectName(QStringLiteral("lblTotal"));
    lblTotal_->setGeometry(twips(2670, 5535, 1425, 540));
    lblTotal_->setFont(fontOf(QStringLiteral("MS Sans Serif"), 32, true));
    lblTotal_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    auto* command2 = new QPushButton(QStringLiteral("Exit"), this);
    command2->setObjectName(QStringLiteral("Command2"));
    command2->setGeometry(twips(4770, 6060, 825, 300));
    connect(command2, &QPushButton::clicked, this, &Form1::close);
    tabIndexes_.emplace_back(69, command2);

    const QString serif = QStringLiteral("Times New Roman");
    struct Decoration {
        const char* name;
        QString caption;
        QRect geometry;
        QFont font;
        QColor colour;
    };
    const Decoration decorations[] = {
        {"Label4", QStringLiteral("Tobbleweft sends, \""), twips(30, 6105, 1560, 345), fontOf(serif, 13), Qt::black},
        {"Label3", QStringLiteral("<Quarrow>"), twips(1605, 6105, 1140, 345), fontOf(serif, 13, true, true),
         QColor(0, 128, 0)},
        {"Label5", QStringLiteral("\""), twips(2565, 6105, 1560, 345), fontOf(serif, 13), Qt::black},
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

    auto* combo1 = new QComboBox(this);
    combo1->setObjectName(QStringLiteral("Combo1"));
    combo1->setAccessibleName(QStringLiteral("Strength"));
    combo1->setGeometry(twips(2850, 6045, 1755, 315));
    combo1->addItems({QStringLiteral("1 - Slight"), QStringLiteral("2 - Small"), QStringLiteral("3 - Moderate"),
                      QStringLiteral("4 - Solid"), QStringLiteral("5 - Severe"), QStringLiteral("6 - Swift"),
                      QStringLiteral("7 - Potent"), QStringLiteral("8 - Damaging"), QStringLiteral("9 - Prominent"),
                      QStringLiteral("10 - Crushing"), QStringLiteral("11 - Enormous")});
    combo1->setCurrentIndex(-1);
    tabIndexes_.emplace_back(73, combo1);
}

void Form1::setTabOrderByIndex() {
    std::sort(tabIndexes_.begin(), tabIndexes_.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < tabIndexes_.size(); ++i) {
        QWidget::setTabOrder(tabIndexes_[i - 1].second, tabIndexes_[i].second);
    }
}

void Form1::recalculate() {
    ControlsView view(*this, *txtInt_, spellBoxes_, *combo2_, *lblTotal_, *label1_);
    const auto outcome = korvane::recalculate(view, schools_, spellCount_, QLocale().decimalPoint().toStdString());
    if (!outcome) {
        report(outcome.error());
    }
}

void Form1::report(const RecalculateFailure& failure) {
    showMessage(this, {QMessageBox::Warning, QString::fromLatin1(kProgramName), describe(failure)});
    if (const auto* input = std::get_if<InputFailure>(&failure)) {
        QLineEdit* box = input->box == InputBox::Intellect ? txtInt_
                                                           : spellBoxes_.at(static_cast<std::size_t>(input->box) - 1);
        box->setFocus();
        box->selectAll();
    }
}

void Form1::selectSchoolLevel(School school, int optionIndex) {
    schools_.at(static_cast<std::size_t>(school)) = levelStateForOption(optionIndex);
    recalculate();
}

void Form1::selectSpellCount(int optionIndex) {
    spellCount_ = static_cast<SpellCount>(std::clamp(optionIndex, 1, 3));
    const auto set = [](QLineEdit* box, bool enabled) {
        box->setEnabled(enabled);
        box->setText(enabled ? QStringLiteral("1") : QStringLiteral("X"));
    };
    set(spellBoxes_[1], optionIndex >= 2);
    set(spellBoxes_[2], optionIndex >= 3);
    recalculate();
}

void Form1::showInfo() {
    if (!form2_) {
        form2_ = new Form2(this);
    }
    form2_->show();
    form2_->raise();
    form2_->activateWindow();
}

// Tab enters an option group at its selected button, as the arrow keys then move from there.
bool Form1::focusNextPrevChild(bool next) {
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

void Form1::closeEvent(QCloseEvent* event) {
    if (form2_) {
        form2_->close();
    }
    QWidget::closeEvent(event);
    QCoreApplication::quit();
}

}  // namespace korvane
