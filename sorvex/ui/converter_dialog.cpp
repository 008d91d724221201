#include "converter_dialog.h"

#include "about_dialog.h"
#include "always_on_top.h"
#include "character_names_dialog.h"
#include "confirm_clear_dialog.h"
#include "dialog_layouts.h"
#include "integer_text.h"
#include "message_box.h"
#include "text_conversion.h"
#include "windows_api.h"

#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>

#include <cstdlib>
#include <optional>
#include <utility>

using namespace Qt::StringLiterals;

namespace sorvex {

namespace {

enum class BindingKind { RadioIndex, Integer };

struct Binding {
    std::int32_t CharacterSheet::* field;
    int controlId;
    BindingKind kind;
    bool ranged;
    std::int32_t low, high;
};

using enum BindingKind;
using namespace converter;
using S = CharacterSheet;

// The order in which entries are read and written.
constexpr Binding bindings[] = {
    {&S::levelFaren, firstRadio[Faren], RadioIndex, false, 0, 0},
    {&S::levelJala, firstRadio[Jala], RadioIndex, false, 0, 0},
    {&S::levelRiija, firstRadio[Riija], RadioIndex, false, 0, 0},
    {&S::levelKraanan, firstRadio[Kraanan], RadioIndex, false, 0, 0},
    {&S::levelQor, firstRadio[Qor], RadioIndex, false, 0, 0},
    {&S::levelShalille, firstRadio[Shalille], RadioIndex, false, 0, 0},
    {&S::levelWeaponCraft, firstRadio[WeaponCraft], RadioIndex, false, 0, 0},
    {&S::spellCount, oneSpellRadio, RadioIndex, false, 0, 0},
    {&S::currentIntel, currentIntelEdit, Integer, true, 0, 297},
    {&S::spellP0, spellP0Edit, Integer, true, 0, 99},
    {&S::spellP1, spellP1Edit, Integer, true, 0, 99},
    {&S::spellP2, spellP2Edit, Integer, true, 0, 99},
    {&S::nextKraanan, resultField[Kraanan], Integer, false, 0, 0},
    {&S::nextShalille, resultField[Shalille], Integer, false, 0, 0},
    {&S::nextFaren, resultField[Faren], Integer, false, 0, 0},
    {&S::nextWeaponCraft, resultField[WeaponCraft], Integer, false, 0, 0},
    {&S::nextRiija, resultField[Riija], Integer, false, 0, 0},
    {&S::nextQor, resultField[Qor], Integer, false, 0, 0},
    {&S::nextJala, resultField[Jala], Integer, false, 0, 0},
};

constexpr int percentFields[] = {spellP0Edit, spellP1Edit, spellP2Edit};
constexpr int playerButtons[] = {player1Button, player2Button, player3Button};
constexpr int markers[] = {selectionMarker1, selectionMarker2, selectionMarker3};
constexpr int spellCountRadios[] = {oneSpellRadio, twoSpellsRadio, threeSpellsRadio};

ConverterDialog::ExitHandler& exitHandler()
{
    static ConverterDialog::ExitHandler installed;
    return installed;
}

using quendrith::fromUtf8;

// Names are stored as bytes: on Windows the registry's ANSI calls take them in the system code page,
// as characters already stored there were written; our own file store keeps UTF-8.
QString fromStoredName(std::string_view name)
{
#ifdef Q_OS_WIN
    return QString::fromLocal8Bit(name.data(), static_cast<qsizetype>(name.size()));
#else
    return fromUtf8(name);
#endif
}

std::string toStoredName(const QString& name)
{
#ifdef Q_OS_WIN
    return name.toLocal8Bit().toStdString();
#else
    return name.toStdString();
#endif
}

}  // namespace

void ConverterDialog::setExitHandler(ExitHandler handler)
{
    exitHandler() = std::move(handler);
}

ConverterDialog::ConverterDialog(QWidget* parent) : TemplateDialog(converterDialogTemplate, parent)
{
    setObjectName(u"ConverterDialog"_s);

    connect(control<QPushButton>(converter::exitButton), &QPushButton::clicked, this, &ConverterDialog::exitProgram);
    connect(control<QPushButton>(converter::calculateButton), &QPushButton::clicked, this, &ConverterDialog::calculate);
    for (int slot = 1; slot <= 3; ++slot) {
        connect(control<QPushButton>(playerButtons[slot - 1]), &QPushButton::clicked, this,
                [this, slot] { selectPlayer(slot); });
    }
    for (int mode = 0; mode < 3; ++mode) {
        connect(control<QRadioButton>(spellCountRadios[mode]), &QRadioButton::clicked, this,
                [this, mode] { selectSpellCount(mode); });
    }
    connect(control<QPushButton>(converter::setPlayerNamesButton), &QPushButton::clicked, this,
            &ConverterDialog::editPlayerNames);
    connect(control<QPushButton>(converter::clearEntryButton), &QPushButton::clicked, this,
            &ConverterDialog::clearEntry);
    addKeyboardShortcuts();
    onTop = new quendrith::AlwaysOnTop(*this);
}

void ConverterDialog::addKeyboardShortcuts()
{
    // Radio buttons are not tab stops; Ctrl+1..Ctrl+7 reach the schools, Ctrl+8 the spell count.
    std::vector<int> groups(std::begin(converter::firstRadio), std::end(converter::firstRadio));
    groups.push_back(converter::oneSpellRadio);
    for (std::size_t i = 0; i < groups.size(); ++i) {
        const auto digit = static_cast<Qt::Key>(Qt::Key_1 + static_cast<int>(i));
        auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | digit), this);
        connect(shortcut, &QShortcut::activated, this, [this, first = groups[i]] {
            const std::vector<QRadioButton*> group = radioGroup(first);
            QRadioButton* target = group.front();
            for (QRadioButton* radio : group) {
                if (radio->isChecked()) {
                    target = radio;
                    break;
                }
            }
            target->setFocus(Qt::ShortcutFocusReason);
        });
    }
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, &ConverterDialog::showAbout);
}

void ConverterDialog::initDialog()
{
#ifdef Q_OS_WIN
    if (HMENU systemMenu = GetSystemMenu(reinterpret_cast<HWND>(winId()), FALSE)) {
        AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(systemMenu, MF_STRING, static_cast<UINT_PTR>(aboutCommand),
                    reinterpret_cast<const wchar_t*>(aboutItemText));
    }
#endif
    setWindowIcon(applicationIcon());
    loadCharacter();
}

#ifdef Q_OS_WIN
bool ConverterDialog::nativeEvent(const QByteArray& eventType, void* message, qintptr* result)
{
    if (onTop->handleSystemCommand(eventType, message, result))
        return true;
    if (eventType == "windows_generic_MSG") {
        const MSG* msg = static_cast<const MSG*>(message);
        if (msg->message == WM_SYSCOMMAND && (msg->wParam & 0xFFF0u) == static_cast<WPARAM>(aboutCommand)) {
            showAbout();
            *result = 0;
            return true;
        }
    }
    return TemplateDialog::nativeEvent(eventType, message, result);
}
#endif

void ConverterDialog::contextMenuEvent(QContextMenuEvent* event)
{
#ifdef Q_OS_WIN
    TemplateDialog::contextMenuEvent(event);
#else
    // Window managers own the system menu here, so its items live in the client area's menu.
    QMenu* menu = onTop->contextMenu([this](QMenu& made) {
        made.setObjectName(u"aboutMenu"_s);
        made.addSeparator();
        made.addAction(QString::fromUtf16(aboutItemText), this, &ConverterDialog::showAbout);
    });
    menu->popup(event->globalPos());
#endif
}

void ConverterDialog::refuseEntry(QLineEdit* field, const QString& message)
{
    showMessage(this, QMessageBox::Warning, message);
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
}

bool ConverterDialog::readControls()
{
    for (const Binding& binding : bindings) {
        if (binding.kind == RadioIndex) {
            std::int32_t value = -1;
            std::int32_t index = 0;
            for (QRadioButton* radio : radioGroup(binding.controlId)) {
                if (radio->isChecked())
                    value = index;
                ++index;
            }
            sheet.*binding.field = value;
            continue;
        }
        auto* field = control<QLineEdit>(binding.controlId);
        const std::optional<std::int32_t> value = readIntegerText(field->text().toStdU16String());
        if (!value) {
            refuseEntry(field, u"Please enter an integer."_s);
            return false;
        }
        sheet.*binding.field = *value;
        if (binding.ranged && (*value < binding.low || *value > binding.high)) {
            const QString message = u"Please enter an integer between %1 and %2."_s;
            refuseEntry(field, message.arg(binding.low).arg(binding.high));
            return false;
        }
    }
    return true;
}

void ConverterDialog::writeControls()
{
    for (const Binding& binding : bindings) {
        const std::int32_t value = sheet.*binding.field;
        if (binding.kind == RadioIndex) {
            std::int32_t index = 0;
            for (QRadioButton* radio : radioGroup(binding.controlId))
                radio->setChecked(index++ == value);
        } else {
            control<QLineEdit>(binding.controlId)->setText(QString::number(value));
        }
    }
}

void ConverterDialog::loadCharacter()
{
    const LoadedCharacter loaded = store.load(currentPlayer, sheet);
    showKeyFailures(loaded.messages);
    sheet = loaded.sheet;
    names = loaded.names;
    if (loaded.percentFields)
        showPercentFields(*loaded.percentFields);
    showNames();
    showMarkers(loaded.markers);
    showNotice(loaded.messages);
    writeControls();
    calculateStoring(!loaded.storeUnread);
}

void ConverterDialog::saveCharacter()
{
    const SaveResult saved = store.save(currentPlayer, sheet, names);
    showKeyFailures(saved.messages);
    showNames();
    showNotice(saved.messages);
}

void ConverterDialog::calculate()
{
    calculateStoring(true);
}

void ConverterDialog::calculateStoring(bool saving)
{
    readControls();
    // Stored twice: the entries as read, then with their magic number. The second save alone would leave the
    // same store, but each save opens the keys afresh and reports every key it cannot open and any trouble
    // with the file, so such a key has always been reported once per save (up to six messages for a load and
    // its calculation); one save would drop half of those messages.
    if (saving)
        saveCharacter();
    const Calculation calculation = sorvex::calculate(sheet);
    if (saving)
        saveCharacter();
    showNextLevels(nextLevels(sheet, calculation.totalPoints, calculation.percentSum));
}

void ConverterDialog::selectPlayer(int player)
{
    currentPlayer = player;
    loadCharacter();
}

void ConverterDialog::selectSpellCount(int mode)
{
    if (const std::optional<PercentFields> fields = applySpellCountMode(sheet, mode))
        showPercentFields(*fields);
}

void ConverterDialog::editPlayerNames()
{
    PlayerNames typed;
    {
        CharacterNamesDialog dialog(this);
        std::array<QString, 3> texts;
        for (std::size_t i = 0; i < texts.size(); ++i)
            texts[i] = fromStoredName(names[i]);
        dialog.setNames(texts);
        if (dialog.run() != QDialog::Accepted)
            return;
        for (std::size_t i = 0; i < typed.size(); ++i)
            typed[i] = toStoredName(dialog.names()[i]);
    }
    names = enteredNames(typed);
    saveCharacter();
}

void ConverterDialog::clearEntry()
{
    {
        ConfirmClearDialog dialog(this);
        if (dialog.run() != QDialog::Accepted)
            return;
    }
    showPercentFields(clearCharacter(sheet, names, currentPlayer));
    writeControls();
    saveCharacter();
}

void ConverterDialog::exitProgram()
{
    if (const ExitHandler& handler = exitHandler())
        handler(0);
    else
        std::exit(0);
}

void ConverterDialog::showAbout()
{
    AboutDialog dialog(this);
    dialog.run();
}

void ConverterDialog::showPercentFields(const PercentFields& fields)
{
    for (std::size_t i = 0; i < fields.size(); ++i) {
        auto* field = control<QLineEdit>(percentFields[i]);
        field->setEnabled(fields[i]);
        if (!fields[i])
            field->setText(u"0"_s);
    }
}

void ConverterDialog::showNames()
{
    for (int slot = 1; slot <= 3; ++slot) {
        auto* button = control<QPushButton>(playerButtons[slot - 1]);
        const QString caption = fromStoredName(names[static_cast<std::size_t>(slot - 1)]);
        button->setText(caption);
        // A blank name leaves the button without a caption to read out.
        button->setAccessibleName(caption.trimmed().isEmpty() ? QString::fromStdString(defaultSlotName(slot))
                                                              : QString());
    }
    if (!isSlot(currentPlayer))
        return;
    auto* box = control<QLabel>(converter::nameBox);
    box->setText(fromStoredName(names[static_cast<std::size_t>(currentPlayer - 1)]));
    // An accessible name hides a label's own text, so it carries the name too.
    box->setAccessibleName(u"Selected character: %1"_s.arg(box->text()));
}

void ConverterDialog::showMarkers(const std::array<std::string_view, 3>& markerTexts)
{
    for (int slot = 1; slot <= 3; ++slot) {
        const std::string_view text = markerTexts[static_cast<std::size_t>(slot - 1)];
        auto* marker = control<QLabel>(markers[slot - 1]);
        marker->setText(fromUtf8(text));
        marker->setAccessibleName(u"Player %1 %2"_s.arg(slot).arg(text.empty() ? u"not selected"_s : u"selected"_s));
    }
}

void ConverterDialog::showNextLevels(const std::array<NextLevel, schoolCount>& levels)
{
    for (int school = 0; school < schoolCount; ++school) {
        const NextLevel& level = levels[static_cast<std::size_t>(school)];
        control<QGroupBox>(converter::resultBox[school])->setTitle(fromUtf8(level.caption));
        auto* field = control<QLineEdit>(converter::resultField[school]);
        field->setText(QString::number(level.figure));
        field->setEnabled(level.enabled);
    }
}

void ConverterDialog::showKeyFailures(const StoreMessages& messages)
{
    for (const std::string& text : messages.keyFailures)
        showMessage(this, QMessageBox::Warning, fromUtf8(text));
}

void ConverterDialog::showNotice(const StoreMessages& messages)
{
    if (messages.notice)
        showMessage(this, QMessageBox::Warning, fromUtf8(*messages.notice));
}

}  // namespace sorvex
