// Random clicks, keys and texts on the main dialog and the dialogs it opens, with the characters in a scratch store.
// Read back through the registry calls, the store must agree with what the dialog shows: the names at every moment;
// the selected character's entries right after it is calculated, selected or cleared; its figures, which must be
// the next-level calculation of what is stored. "Exit" and closing the dialog end the run; the next one starts on
// the same store.
#include "character_names_dialog.h"
#include "confirm_clear_dialog.h"
#include "control_ids.h"
#include "converter_dialog.h"
#include "integer_text.h"
#include "random_input.h"
#include "registry_api.h"
#include "scratch_store.h"
#include "window_fonts.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <map>
#include <memory>
#include <optional>
#include <utility>

using namespace Qt::StringLiterals;
namespace ids = sorvex::converter;

namespace {

using Slot = std::map<std::string, std::int32_t>;

// The three names and characters as the registry calls read them; a value that is missing is absent.
struct Stored {
    std::array<std::optional<std::string>, 3> names;
    std::array<Slot, 3> slots;

    bool operator==(const Stored&) const = default;
};

const char* const slotValues[]
    = {"Kraanan", "Shalille", "Faren",    "WeaponCraft", "Riija",         "Qor",         "Jala",
       "Spells",  "Spell_P0", "Spell_P1", "Spell_P2",    "Current_Intel", "Magic_Number"};

QString fromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::optional<std::int32_t> value(const Slot& slot, const std::string& name)
{
    const auto found = slot.find(name);
    return found == slot.end() ? std::nullopt : std::optional<std::int32_t>(found->second);
}

std::optional<std::string> readText(sorvex::Registry& registry, HKEY key, const char* name)
{
    DWORD type = 0;
    DWORD size = 0;
    if (registry.queryValue(key, name, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ)
        return std::nullopt;
    std::string text(size, '\0');
    if (registry.queryValue(key, name, &type, reinterpret_cast<BYTE*>(text.data()), &size) != ERROR_SUCCESS)
        return std::nullopt;
    text.resize(size);
    while (!text.empty() && text.back() == '\0')
        text.pop_back();
    return text;
}

std::array<std::optional<std::string>, 3> readNames(sorvex::Registry& registry)
{
    std::array<std::optional<std::string>, 3> names;
    HKEY root = nullptr;
    if (registry.openKey(HKEY_CURRENT_USER, sorvex::rootKeyPath, KEY_READ, &root) != ERROR_SUCCESS)
        return names;
    for (std::size_t i = 0; i < names.size(); ++i)
        names.at(i) = readText(registry, root, ("Player_Name" + std::to_string(i + 1)).c_str());
    registry.closeKey(root);
    return names;
}

Stored readStore()
{
    sorvex::Registry registry;
    Stored stored{readNames(registry), {}};
    for (std::size_t i = 0; i < stored.slots.size(); ++i) {
        const std::string path = std::string(sorvex::rootKeyPath) + "\\Player" + std::to_string(i + 1);
        HKEY key = nullptr;
        if (registry.openKey(HKEY_CURRENT_USER, path.c_str(), KEY_READ, &key) != ERROR_SUCCESS)
            continue;
        for (const char* name : slotValues) {
            DWORD type = 0;
            DWORD data = 0;
            DWORD size = sizeof data;
            if (registry.queryValue(key, name, &type, reinterpret_cast<BYTE*>(&data), &size) == ERROR_SUCCESS
                && type == REG_DWORD)
                stored.slots.at(i)[name] = static_cast<std::int32_t>(data);
        }
        registry.closeKey(key);
    }
    return stored;
}

// How the dialog shows a stored name, and what the store keeps of a typed one: the registry's ANSI calls take
// the system code page on Windows; the file store elsewhere keeps UTF-8.
QString shownName(const std::optional<std::string>& stored)
{
    if (!stored)
        return u"(missing)"_s;
#ifdef Q_OS_WIN
    return QString::fromLocal8Bit(*stored);
#else
    return QString::fromStdString(*stored);
#endif
}

QString keptOfTyped(const QString& typed)
{
#ifdef Q_OS_WIN
    return QString::fromLocal8Bit(typed.toLocal8Bit());
#else
    return QString::fromStdString(typed.toStdString());
#endif
}

struct Entry {
    const char* value;
    int field;
    std::int32_t low, high;
};

// The number fields in the order they are read.
const Entry entries[] = {{"Current_Intel", ids::currentIntelEdit, 0, 297},
                         {"Spell_P0", ids::spellP0Edit, 0, 99},
                         {"Spell_P1", ids::spellP1Edit, 0, 99},
                         {"Spell_P2", ids::spellP2Edit, 0, 99}};

class Sorvex : public QObject, public randominput::Program {
public:
    Sorvex()
    {
        qApp->installEventFilter(this);
        // Exit ends the process; here it ends the run, as closing the dialog does.
        sorvex::ConverterDialog::setExitHandler([this](int status) {
            if (status != 0)
                faults << u"Exit ended the program with status %1"_s.arg(status);
            dialog->hide();
        });
    }
    ~Sorvex() override { sorvex::ConverterDialog::setExitHandler({}); }

    QWidget* mainWindow() const override { return dialog.get(); }

    void start() override
    {
        // Ending the program, by Exit or by closing the dialog, stores nothing.
        if (dialog != nullptr && readStore() != lastSeen)
            faults << u"the store changed as the program ended"_s;
        dialog.reset();
        dialog = std::make_unique<sorvex::ConverterDialog>();
        for (const int id : {ids::calculateButton, ids::player1Button, ids::player2Button, ids::player3Button,
                             ids::clearEntryButton, ids::setPlayerNamesButton}) {
            connect(button(id), &QPushButton::pressed, this, [this] {
                before = readStore();
                if (before != lastSeen)
                    faults << u"the store changed between two commands"_s;
                clearAccepted = namesAccepted = false;
            });
        }
        connect(button(ids::calculateButton), &QPushButton::clicked, this,
                [this] { compareEntries(true, u"Calculate"_s); });
        for (int slot = 1; slot <= 3; ++slot) {
            connect(button(ids::player1Button + slot - 1), &QPushButton::clicked, this,
                    [this, slot] { compareEntries(true, u"selecting Player%1"_s.arg(slot)); });
        }
        connect(button(ids::clearEntryButton), &QPushButton::clicked, this, [this] { cleared(); });
        connect(button(ids::setPlayerNamesButton), &QPushButton::clicked, this, [this] { named(); });
        // Opening loads the first character and calculates it.
        before = readStore();
        justOpened = true;
        dialog->run();
    }

    QStringList check() override
    {
        if (std::exchange(justOpened, false))
            compareEntries(true, u"opening"_s);
        const auto names = readStore().names;
        const int selected = dialog->selectedSlot();
        for (int slot = 1; slot <= 3; ++slot) {
            const QString stored = shownName(names.at(static_cast<std::size_t>(slot - 1)));
            if (const QString shown = button(ids::player1Button + slot - 1)->text(); shown != stored)
                faults << u"the button of Player%1 shows \"%2\" where the store holds \"%3\""_s.arg(slot).arg(shown,
                                                                                                              stored);
            const QString marker = dialog->control<QLabel>(ids::selectionMarker1 + slot - 1)->text();
            if (marker != (slot == selected ? u"^^^^^^^^^"_s : QString()))
                faults << u"the marker under Player%1 reads \"%2\" with Player%3 selected"_s.arg(slot).arg(marker).arg(
                    selected);
        }
        const QString nameBox = dialog->control<QLabel>(ids::nameBox)->text();
        if (const QString stored = shownName(names.at(static_cast<std::size_t>(selected - 1))); nameBox != stored)
            faults << u"the name box shows \"%1\" where the store holds \"%2\""_s.arg(nameBox, stored);
        return std::exchange(faults, {});
    }

private:
    QPushButton* button(int id) const { return dialog->control<QPushButton>(id); }

    int checkedIndex(int firstRadio) const
    {
        int found = -1;
        int index = 0;
        for (const QRadioButton* radio : dialog->radioGroup(firstRadio)) {
            if (radio->isChecked())
                found = index;
            ++index;
        }
        return found;
    }

    void mismatch(const QString& after, int slot, const std::string& name, std::optional<std::int32_t> stored,
                  const QString& shown)
    {
        faults << u"after %1 the store holds %2 = %3 for Player%4 where the dialog shows %5"_s.arg(after)
                      .arg(QString::fromStdString(name), stored ? QString::number(*stored) : u"nothing"_s)
                      .arg(slot)
                      .arg(shown);
    }

    // Right after a calculation (or a clearing): every entry the dialog read is what is stored; a refused field and
    // those after it keep what the character had, but for the percentages a one- or two-spell mode sets to 0.
    void compareEntries(bool calculated, const QString& after)
    {
        const int slot = dialog->selectedSlot();
        lastSeen = readStore();
        const Slot stored = lastSeen.slots.at(static_cast<std::size_t>(slot - 1));
        const Slot& earlier = before.slots.at(static_cast<std::size_t>(slot - 1));
        for (int school = 0; school < sorvex::schoolCount; ++school) {
            const std::string name(sorvex::schoolStoreNames.at(static_cast<std::size_t>(school)));
            const int shown = checkedIndex(ids::firstRadio[school]);
            if (value(stored, name) != shown)
                mismatch(after, slot, name, value(stored, name), u"level %1"_s.arg(shown));
        }
        if (const int shown = checkedIndex(ids::oneSpellRadio); value(stored, "Spells") != shown)
            mismatch(after, slot, "Spells", value(stored, "Spells"), u"spell count %1"_s.arg(shown));
        bool reading = true;
        for (const Entry& entry : entries) {
            const QString text = dialog->control<QLineEdit>(entry.field)->text();
            const auto read = reading ? sorvex::readIntegerText(text.toStdU16String()) : std::nullopt;
            if (read) {
                if (value(stored, entry.value) != *read)
                    mismatch(after, slot, entry.value, value(stored, entry.value), u"\"%1\""_s.arg(text));
                reading = *read >= entry.low && *read <= entry.high;
                continue;
            }
            reading = false;
            const auto now = value(stored, entry.value);
            const bool zeroedByMode
                = entry.field != ids::currentIntelEdit && entry.field != ids::spellP0Edit && now == 0;
            if (now != value(earlier, entry.value) && !zeroedByMode)
                mismatch(after, slot, entry.value, now, u"\"%1\", refused or not read"_s.arg(text));
        }
        if (calculated)
            compareFigures(stored, after);
    }

    // The magic number and the figures shown are the calculation of the character as stored.
    void compareFigures(const Slot& stored, const QString& after)
    {
        sorvex::CharacterSheet sheet;
        for (int school = 0; school < sorvex::schoolCount; ++school)
            sorvex::schoolLevel(sheet, school)
                = value(stored, std::string(sorvex::schoolStoreNames.at(static_cast<std::size_t>(school)))).value_or(0);
        sheet.spellCount = value(stored, "Spells").value_or(-1);
        sorvex::applySpellCountMode(sheet, sheet.spellCount);
        sheet.currentIntel = value(stored, "Current_Intel").value_or(0);
        sheet.spellP0 = value(stored, "Spell_P0").value_or(0);
        sheet.spellP1 = value(stored, "Spell_P1").value_or(0);
        sheet.spellP2 = value(stored, "Spell_P2").value_or(0);
        const sorvex::Calculation calculation = sorvex::calculate(sheet);
        if (value(stored, "Magic_Number") != sheet.magicNumber)
            faults << u"after %1 the stored magic number is %2 where the stored entries give %3"_s.arg(after)
                          .arg(value(stored, "Magic_Number").value_or(-1))
                          .arg(sheet.magicNumber);
        const auto expected = sorvex::nextLevels(sheet, calculation.totalPoints, calculation.percentSum);
        for (std::size_t school = 0; school < expected.size(); ++school) {
            const QString caption = dialog->control<QGroupBox>(ids::resultBox[school])->title();
            const QLineEdit* field = dialog->control<QLineEdit>(ids::resultField[school]);
            const QString expectedCaption = fromView(expected.at(school).caption);
            const QString expectedFigure = QString::number(expected.at(school).figure);
            if (caption != expectedCaption || field->text() != expectedFigure
                || field->isEnabled() != expected.at(school).enabled) {
                faults << u"after %1 %2 shows \"%3\" %4 (%5) where the stored entries give \"%6\" %7 (%8)"_s.arg(
                    after, fromView(sorvex::schoolStoreNames.at(school)), caption, field->text(),
                    field->isEnabled() ? u"enabled"_s : u"disabled"_s, expectedCaption, expectedFigure,
                    expected.at(school).enabled ? u"enabled"_s : u"disabled"_s);
            }
        }
    }

    void cleared()
    {
        if (!clearAccepted) {
            lastSeen = readStore();
            if (lastSeen != before)
                faults << u"Clear Entry, not confirmed, changed the store"_s;
            return;
        }
        compareEntries(false, u"Clear Entry"_s);
        const int slot = dialog->selectedSlot();
        const Stored& stored = lastSeen;
        for (const char* name : slotValues) {
            const std::int32_t emptied = std::string_view(name) == "Spells" ? 2 : 0;
            if (const auto kept = value(stored.slots.at(static_cast<std::size_t>(slot - 1)), name); kept != emptied)
                faults << u"after Clear Entry Player%1's %2 is %3"_s.arg(slot)
                              .arg(QString::fromLatin1(name))
                              .arg(kept.value_or(-1));
        }
        if (const QString name = shownName(stored.names.at(static_cast<std::size_t>(slot - 1)));
            name != u"Player %1"_s.arg(slot))
            faults << u"after Clear Entry Player%1 is named \"%2\""_s.arg(slot).arg(name);
    }

    void named()
    {
        lastSeen = readStore();
        const auto& names = lastSeen.names;
        if (!namesAccepted) {
            if (names != before.names)
                faults << u"Set Player Names, cancelled, changed the names"_s;
            return;
        }
        for (std::size_t i = 0; i < names.size(); ++i) {
            const QString typed = entered.at(i);
            const QString expected = typed.isEmpty() ? u"Player %1"_s.arg(i + 1) : keptOfTyped(typed);
            if (const QString stored = shownName(names.at(i)); stored != expected)
                faults << u"name %1 was entered as \"%2\" but is stored as \"%3\""_s.arg(i + 1).arg(typed, stored);
        }
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Show)
            return false;
        if (auto* names = qobject_cast<sorvex::CharacterNamesDialog*>(watched)) {
            connect(names, &QDialog::accepted, this, [this, names] {
                entered = names->names();
                namesAccepted = true;
            });
        } else if (auto* confirm = qobject_cast<sorvex::ConfirmClearDialog*>(watched)) {
            connect(confirm, &QDialog::accepted, this, [this] { clearAccepted = true; });
        } else if (const auto* box = qobject_cast<QMessageBox*>(watched)) {
            // On a store of its own that nothing else touches, only refused entries have anything to say.
            const QString text = box->text();
            if (text != u"Please enter an integer."_s && !text.startsWith(u"Please enter an integer between "_s))
                faults << u"a message came up: %1"_s.arg(text);
        }
        return false;
    }

    std::unique_ptr<sorvex::ConverterDialog> dialog;
    Stored before;
    Stored lastSeen;  // after the last command that may store
    bool justOpened = false;
    bool clearAccepted = false;
    bool namesAccepted = false;
    std::array<QString, 3> entered;
    QStringList faults;
};

}  // namespace

class SorvexRandomInputTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { quendrith::setUpFonts(); }

    void storeAgreesWithTheDialog()
    {
        const sorvex::testing_support::ScratchStore scratch;
        QVERIFY(scratch.isValid());
        Sorvex program;
        const randominput::Report report = randominput::runFromEnvironment(program);
        QVERIFY2(report.faults.isEmpty(), qPrintable(report.faults.join(u'\n')));
    }
};

QTEST_MAIN(SorvexRandomInputTest)
#include "random_input_test.moc"
