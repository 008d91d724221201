#include "about_dialog.h"
#include "cancelling.h"
#include "character_names_dialog.h"
#include "confirm_clear_dialog.h"
#include "converter_dialog.h"
#include "dialog_layouts.h"
#include "message_box.h"
#include "registry_api.h"
#include "scratch_store.h"
#include "window_fonts.h"

#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <memory>
#include <optional>
#include <utility>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

using namespace sorvex;
namespace ids = sorvex::converter;

namespace {

const QString marker = u"^^^^^^^^^"_s;
const QString integerMessage = u"Please enter an integer."_s;

std::string slotKey(int player)
{
    return std::string(rootKeyPath) + "\\Player" + std::to_string(player);
}

std::optional<std::int32_t> storedInt(int player, const char* name)
{
    Registry registry;
    HKEY key = nullptr;
    if (registry.openKey(HKEY_CURRENT_USER, slotKey(player).c_str(), KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    const LONG status = registry.queryValue(key, name, &type, reinterpret_cast<BYTE*>(&value), &size);
    registry.closeKey(key);
    if (status != ERROR_SUCCESS || type != REG_DWORD)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::optional<std::string> storedName(int player)
{
    Registry registry;
    HKEY key = nullptr;
    if (registry.openKey(HKEY_CURRENT_USER, rootKeyPath, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    char text[256] = {};
    DWORD type = 0;
    DWORD size = sizeof text;
    const std::string name = "Player_Name" + std::to_string(player);
    const LONG status = registry.queryValue(key, name.c_str(), &type, reinterpret_cast<BYTE*>(text), &size);
    registry.closeKey(key);
    if (status != ERROR_SUCCESS || type != REG_SZ)
        return std::nullopt;
    return std::string(text);
}

// The bytes the store keeps for a name typed into the dialog: the registry's ANSI calls take the system code
// page; the file store keeps UTF-8.
std::string inStoreEncoding(const QString& name)
{
#ifdef Q_OS_WIN
    return name.toLocal8Bit().toStdString();
#else
    return name.toStdString();
#endif
}

void storeName(int player, const std::string& bytes)
{
    Registry registry;
    HKEY key = nullptr;
    QCOMPARE(registry.createKey(HKEY_CURRENT_USER, rootKeyPath, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    const std::string name = "Player_Name" + std::to_string(player);
    QCOMPARE(registry.setValue(key, name.c_str(), REG_SZ, reinterpret_cast<const BYTE*>(bytes.c_str()),
                               static_cast<DWORD>(bytes.size() + 1)),
             ERROR_SUCCESS);
    registry.closeKey(key);
}

void storeInt(int player, const char* name, std::int32_t value)
{
    Registry registry;
    HKEY key = nullptr;
    QCOMPARE(registry.createKey(HKEY_CURRENT_USER, slotKey(player).c_str(), KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    const auto data = static_cast<DWORD>(value);
    QCOMPARE(registry.setValue(key, name, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data), ERROR_SUCCESS);
    registry.closeKey(key);
}

// The main dialog as the start-up opens it, shown without a modal loop of its own.
struct Opened {
    ConverterDialog dialog;

    Opened() { dialog.show(); }
    // For keys that go through the focus widget.
    [[nodiscard]] bool activate()
    {
        if (!QTest::qWaitForWindowExposed(&dialog))
            return false;
        dialog.activateWindow();
        return QTest::qWaitForWindowActive(&dialog);
    }
    QLineEdit* edit(int id) const { return dialog.control<QLineEdit>(id); }
    QString text(int id) const { return edit(id)->text(); }
    QPushButton* button(int id) const { return dialog.control<QPushButton>(id); }
    QRadioButton* radio(int id) const { return dialog.control<QRadioButton>(id); }
    QString label(int id) const { return dialog.control<QLabel>(id)->text(); }
    QString resultCaption(int school) const { return dialog.control<QGroupBox>(ids::resultBox[school])->title(); }
    QLineEdit* resultField(int school) const { return edit(ids::resultField[school]); }
    int checked(int firstId) const
    {
        int found = -1;
        int index = 0;
        for (QRadioButton* r : dialog.radioGroup(firstId)) {
            if (r->isChecked())
                found = index;
            ++index;
        }
        return found;
    }
    void check(int school, int level) { QTest::mouseClick(radio(ids::firstRadio[school] + level), Qt::LeftButton); }
    void click(int id) { QTest::mouseClick(button(id), Qt::LeftButton); }
};

// What the small dialog run next sees and does; set before the button that opens it.
struct SmallDialogRun {
    QString type;
    QWidget* owner = nullptr;
    QString focusName;
    bool ownerModal = false;
    int result = -1;
};

}  // namespace

class ConverterDialogTest : public QObject {
    Q_OBJECT
    std::unique_ptr<sorvex::testing_support::ScratchStore> scratchStore;
    QList<ShownMessage> shownMessages;
    QList<int> exitStatuses;
    SmallDialogRun smallDialogRun;

    // act plays the user in the next small dialog.
    void answerNextDialog(std::function<void(TemplateDialog&)> act)
    {
        smallDialogRun = {};
        TemplateDialog::setOpenedHook([this, act](TemplateDialog& open) {
            smallDialogRun.type = QString::fromLatin1(open.metaObject()->className());
            smallDialogRun.owner = open.parentWidget();
            smallDialogRun.focusName = open.focusWidget() ? open.focusWidget()->objectName() : u"(none)"_s;
            smallDialogRun.ownerModal = QApplication::activeModalWidget() == &open;
            act(open);
            smallDialogRun.result = open.result();
        });
    }
    static void press(TemplateDialog& open, int id)
    {
        QTest::mouseClick(open.control<QPushButton>(id), Qt::LeftButton);
    }

private Q_SLOTS:
    void initTestCase()
    {
        quendrith::setUpFonts();
        setMessageResponder([this](const ShownMessage& message) { shownMessages << message; });
        ConverterDialog::setExitHandler([this](int status) { exitStatuses << status; });
    }
    void init()
    {
        scratchStore.reset();
        scratchStore = std::make_unique<sorvex::testing_support::ScratchStore>();
        QVERIFY(scratchStore->isValid());
        shownMessages.clear();
        exitStatuses.clear();
        smallDialogRun = {};
    }
    void cleanup() { TemplateDialog::setOpenedHook({}); }

    void firstStartOnAnEmptyStore()
    {
        Opened o;
        QCOMPARE(o.dialog.windowTitle(), u"Sorvex"_s);
        QCOMPARE(o.dialog.size(), QSize(338, 626));
        QCOMPARE(o.button(ids::player1Button)->text(), u"Player1"_s);
        QCOMPARE(o.button(ids::player2Button)->text(), u"Player2"_s);
        QCOMPARE(o.button(ids::player3Button)->text(), u"Player3"_s);
        QCOMPARE(o.label(ids::nameBox), u"Player1"_s);
        QCOMPARE(o.label(ids::selectionMarker1), marker);
        QCOMPARE(o.label(ids::selectionMarker2), QString());
        QCOMPARE(o.label(ids::selectionMarker3), QString());
        QCOMPARE(o.dialog.control(ids::selectionMarker1)->accessibleName(), u"Player 1 selected"_s);
        QCOMPARE(o.dialog.control(ids::selectionMarker2)->accessibleName(), u"Player 2 not selected"_s);
        QCOMPARE(o.dialog.control(ids::nameBox)->accessibleName(), u"Selected character: Player1"_s);
        QCOMPARE(o.text(ids::currentIntelEdit), u"0"_s);
        for (int school = 0; school < schoolCount; ++school)
            QCOMPARE(o.checked(ids::firstRadio[school]), school == Riija ? 1 : 0);
        QCOMPARE(o.radio(ids::firstRadio[Riija])->text(), u"Blink"_s);
        QCOMPARE(o.checked(ids::oneSpellRadio), 2);
        for (int id : {ids::spellP0Edit, ids::spellP1Edit, ids::spellP2Edit}) {
            QCOMPARE(o.text(id), u"1"_s);
            QVERIFY(o.edit(id)->isEnabled());
        }
        for (int school = 0; school < schoolCount; ++school) {
            const bool riija = school == Riija;
            QCOMPARE(o.resultCaption(school), riija ? u"Next Level"_s : QString());
            QCOMPARE(o.resultField(school)->text(), riija ? u"196"_s : u"0"_s);
            QCOMPARE(o.resultField(school)->isEnabled(), riija);
        }
        QCOMPARE(o.dialog.focusWidget(), o.button(ids::exitButton));
        QVERIFY(shownMessages.isEmpty());
        // Opening calculates, so the first character is stored at once.
        QCOMPARE(storedInt(1, "Riija"), 1);
        QCOMPARE(storedInt(1, "Spells"), 2);
        QCOMPARE(storedName(1), "Player1");
        QCOMPARE(o.dialog.windowIcon().isNull(), false);
    }

    void storedCharacterIsShownAndCalculateStoresItBack()
    {
        storeInt(1, "Qor", 2);
        storeInt(1, "Spells", 0);
        storeInt(1, "Spell_P0", 40);
        storeInt(1, "Current_Intel", 120);
        storeName(1, "Thornwick");
        Opened o;
        QCOMPARE(o.button(ids::player1Button)->text(), u"Thornwick"_s);
        QCOMPARE(o.label(ids::nameBox), u"Thornwick"_s);
        QCOMPARE(o.checked(ids::firstRadio[Qor]), 2);
        QCOMPARE(o.checked(ids::oneSpellRadio), 0);
        QCOMPARE(o.text(ids::spellP0Edit), u"40"_s);
        QCOMPARE(o.text(ids::currentIntelEdit), u"120"_s);
        o.edit(ids::currentIntelEdit)->setText(u"150"_s);
        o.check(Jala, 1);
        o.click(ids::calculateButton);
        QCOMPARE(storedInt(1, "Current_Intel"), 150);
        QCOMPARE(storedInt(1, "Jala"), 1);
        QCOMPARE(storedInt(1, "Qor"), 2);
        QCOMPARE(storedName(1), "Thornwick");
        QVERIFY(shownMessages.isEmpty());
    }

#ifdef Q_OS_WIN
    void namesGoThroughTheSystemCodePage()
    {
        QVERIFY2(GetACP() == 1252, "the names below are in the Western European code page");
        storeName(1, "\xC6rwyn");
        Opened o;
        QCOMPARE(o.button(ids::player1Button)->text(), u"\u00C6rwyn"_s);
        answerNextDialog([&](TemplateDialog& open) {
            open.findChild<QLineEdit*>(u"name2Edit"_s)->setText(u"B\u00F6"_s);
            // Beyond the code page: what the ANSI call stores is what comes back.
            open.findChild<QLineEdit*>(u"name3Edit"_s)->setText(u"\u0421\u0432\u0435\u0442"_s);
            press(open, idOk);
        });
        o.click(ids::setPlayerNamesButton);
        QCOMPARE(storedName(1), "\xC6rwyn");
        QCOMPARE(storedName(2), "B\xF6");
        QCOMPARE(storedName(3), "????");
        QCOMPARE(o.button(ids::player2Button)->text(), u"B\u00F6"_s);
        QCOMPARE(o.button(ids::player3Button)->text(), u"????"_s);
    }

    void unopenableKeyIsReported()
    {
        HKEY root = nullptr;
        QCOMPARE(RegCreateKeyExA(HKEY_CURRENT_USER, rootKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                 nullptr, &root, nullptr),
                 ERROR_SUCCESS);
        // An empty access list: nobody may read, write or create below it; the owner may still change the list.
        SECURITY_DESCRIPTOR security;
        ACL empty;
        QVERIFY(InitializeSecurityDescriptor(&security, SECURITY_DESCRIPTOR_REVISION));
        QVERIFY(InitializeAcl(&empty, sizeof empty, ACL_REVISION));
        QVERIFY(SetSecurityDescriptorDacl(&security, TRUE, &empty, FALSE));
        QCOMPARE(RegSetKeySecurity(root, DACL_SECURITY_INFORMATION, &security), ERROR_SUCCESS);
        {
            Opened o;
            QCOMPARE(o.button(ids::player1Button)->text(), u"Player1"_s);
        }
        QVERIFY(SetSecurityDescriptorDacl(&security, TRUE, nullptr, FALSE));
        QCOMPARE(RegSetKeySecurity(root, DACL_SECURITY_INFORMATION, &security), ERROR_SUCCESS);
        RegCloseKey(root);

        const QString rootFailure = u"CVORegistry() Constructor3: KEY_READ Access Failed: 80000001\n"
                                    u"Software\\Quendrith Converter\n"_s;
        // Windows also refuses to create the slot key below it; Wine creates it regardless.
        const QString slotFailure = u"CVORegistry() Constructor3: KEY_READ Access Failed: 80000001\n"
                                    u"Software\\Quendrith Converter\\Player1\n"_s;
        QStringList texts;
        for (const ShownMessage& message : shownMessages) {
            QCOMPARE(message.icon, QMessageBox::Warning);
            QCOMPARE(message.title, u"sorvex_converter_dialog_test"_s);
            QVERIFY2(message.text == rootFailure || message.text == slotFailure, qPrintable(message.text));
            texts << message.text;
        }
        QVERIFY(texts.contains(rootFailure));
    }
#endif

    void tabStopsFollowTheTemplate()
    {
        Opened o;
        const QList<int> expected = {ids::exitButton,
                                     ids::spellP0Edit,
                                     ids::spellP1Edit,
                                     ids::spellP2Edit,
                                     ids::currentIntelEdit,
                                     ids::calculateButton,
                                     ids::player1Button,
                                     ids::player2Button,
                                     ids::player3Button,
                                     ids::setPlayerNamesButton,
                                     ids::resultField[Kraanan],
                                     ids::resultField[Riija],
                                     ids::resultField[WeaponCraft],
                                     ids::resultField[Faren],
                                     ids::resultField[Shalille],
                                     ids::resultField[Qor],
                                     ids::resultField[Jala],
                                     ids::clearEntryButton};
        QList<QWidget*> stops(o.dialog.tabStops().begin(), o.dialog.tabStops().end());
        QList<QWidget*> wanted;
        for (int id : expected)
            wanted << o.dialog.control(id);
        QCOMPARE(stops, wanted);
        for (QRadioButton* radio : o.dialog.findChildren<QRadioButton*>())
            QVERIFY(!(radio->focusPolicy() & Qt::TabFocus));
    }

    void everyControlWithoutACaptionHasAnAccessibleName()
    {
        Opened o;
        CharacterNamesDialog names(&o.dialog);
        AboutDialog about(&o.dialog);
        for (QWidget* dialog :
             {static_cast<QWidget*>(&o.dialog), static_cast<QWidget*>(&names), static_cast<QWidget*>(&about)}) {
            for (QWidget* w : dialog->findChildren<QWidget*>()) {
                const auto* label = qobject_cast<QLabel*>(w);
                const bool uncaptioned = qobject_cast<QLineEdit*>(w)
                    || (label
                        && (label->text().isEmpty() || label->text() == marker || w->objectName() == u"nameBox"_s));
                if (uncaptioned)
                    QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
            }
        }
    }

    void enterInAnEditRunsCalculate()
    {
        Opened o;
        QVERIFY(o.activate());
        o.edit(ids::currentIntelEdit)->setFocus();
        o.edit(ids::currentIntelEdit)->selectAll();
        QTest::keyClicks(o.edit(ids::currentIntelEdit), u"120"_s);
        QTest::keyClick(o.edit(ids::currentIntelEdit), Qt::Key_Return);
        QCOMPARE(storedInt(1, "Current_Intel"), 120);
        QVERIFY(exitStatuses.isEmpty());
    }

    void intellectEntry_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("stored");
        QTest::addColumn<bool>("percentagesRead");
        QTest::newRow("298 is out of range but kept")
            << u"298"_s << u"Please enter an integer between 0 and 297."_s << 298 << false;
        QTest::newRow("-1 is out of range")
            << u"-1"_s << u"Please enter an integer between 0 and 297."_s << -1 << false;
        QTest::newRow("empty keeps the old value") << QString() << integerMessage << 0 << false;
        QTest::newRow("letters") << u"12a"_s << integerMessage << 0 << false;
        QTest::newRow("297 between blanks") << u" \t297 "_s << QString() << 297 << true;
    }
    void intellectEntry()
    {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(int, stored);
        QFETCH(bool, percentagesRead);
        Opened o;
        o.edit(ids::currentIntelEdit)->setText(typed);
        o.edit(ids::spellP0Edit)->setText(u"40"_s);
        o.click(ids::calculateButton);

        if (message.isEmpty()) {
            QVERIFY(shownMessages.isEmpty());
        } else {
            QCOMPARE(shownMessages.size(), 1);
            QCOMPARE(shownMessages[0].text, message);
            QCOMPARE(shownMessages[0].icon, QMessageBox::Warning);
            QCOMPARE(shownMessages[0].title, u"sorvex_converter_dialog_test"_s);
            QCOMPARE(shownMessages[0].owner.data(), &o.dialog);
            QCOMPARE(o.dialog.focusWidget(), o.edit(ids::currentIntelEdit));
            QCOMPARE(o.edit(ids::currentIntelEdit)->selectedText(), typed);
        }
        QCOMPARE(storedInt(1, "Current_Intel"), stored);
        QCOMPARE(storedInt(1, "Spell_P0"), percentagesRead ? 40 : 1);
        // The calculation went on with the sheet as it stood.
        CharacterSheet expected;
        expected.levelRiija = 1;
        expected.spellCount = 2;
        expected.currentIntel = stored;
        expected.spellP0 = percentagesRead ? 40 : 1;
        expected.spellP1 = expected.spellP2 = 1;
        applySpellCountMode(expected, expected.spellCount);
        const Calculation calculation = calculate(expected);
        nextLevels(expected, calculation.totalPoints, calculation.percentSum);
        QCOMPARE(o.resultField(Riija)->text(), QString::number(expected.nextRiija));
        QCOMPARE(storedInt(1, "Magic_Number"), expected.magicNumber);
    }

    void percentageEntry_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("stored");
        QTest::newRow("minus zero") << u"-0"_s << integerMessage << 1;
        QTest::newRow("plus zero") << u"+0"_s << integerMessage << 1;
        QTest::newRow("plus zeros") << u"+00"_s << integerMessage << 1;
        QTest::newRow("zero") << u"0"_s << QString() << 0;
        QTest::newRow("7 between blanks") << u" 7 "_s << QString() << 7;
        QTest::newRow("plus 7") << u"+7"_s << QString() << 7;
        QTest::newRow("100") << u"100"_s << u"Please enter an integer between 0 and 99."_s << 100;
        QTest::newRow("beyond 32 bits") << u"99999999999"_s << u"Please enter an integer between 0 and 99."_s
                                        << 2147483647;
        QTest::newRow("a sign alone") << u"-"_s << integerMessage << 1;
    }
    void percentageEntry()
    {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(int, stored);
        Opened o;
        o.edit(ids::spellP0Edit)->setText(typed);
        o.edit(ids::spellP1Edit)->setText(u"9"_s);
        o.click(ids::calculateButton);
        QCOMPARE(storedInt(1, "Spell_P0"), stored);
        if (message.isEmpty()) {
            QVERIFY(shownMessages.isEmpty());
            QCOMPARE(storedInt(1, "Spell_P1"), 9);
        } else {
            QCOMPARE(shownMessages.size(), 1);
            QCOMPARE(shownMessages[0].text, message);
            QCOMPARE(o.dialog.focusWidget(), o.edit(ids::spellP0Edit));
            QCOMPARE(storedInt(1, "Spell_P1"), 1);
        }
    }

    void storedOutOfRangeIntellectWarnsOnEveryLoad()
    {
        storeInt(1, "Current_Intel", 298);
        Opened o;
        QCOMPARE(shownMessages.size(), 1);
        QCOMPARE(shownMessages[0].text, u"Please enter an integer between 0 and 297."_s);
        // Opening ends with the focus on "Exit" all the same.
        QCOMPARE(o.dialog.focusWidget(), o.button(ids::exitButton));
        o.click(ids::player1Button);
        QCOMPARE(shownMessages.size(), 2);
        QCOMPARE(storedInt(1, "Current_Intel"), 298);
    }

    void oneSpellDisablesTwoFieldsAtOnce()
    {
        Opened o;
        o.edit(ids::spellP1Edit)->setText(u"5"_s);
        o.edit(ids::spellP2Edit)->setText(u"6"_s);
        const QString figure = o.resultField(Riija)->text();
        QTest::mouseClick(o.radio(ids::oneSpellRadio), Qt::LeftButton);
        QVERIFY(o.radio(ids::oneSpellRadio)->isChecked());
        QVERIFY(!o.radio(ids::threeSpellsRadio)->isChecked());
        QVERIFY(o.edit(ids::spellP0Edit)->isEnabled());
        for (int id : {ids::spellP1Edit, ids::spellP2Edit}) {
            QVERIFY(!o.edit(id)->isEnabled());
            QCOMPARE(o.text(id), u"0"_s);
        }
        QCOMPARE(o.resultField(Riija)->text(), figure);
        QCOMPARE(storedInt(1, "Spells"), 2);
        o.click(ids::calculateButton);
        QCOMPARE(storedInt(1, "Spells"), 0);
        QVERIFY(o.resultField(Riija)->text() != figure);

        QTest::mouseClick(o.radio(ids::twoSpellsRadio), Qt::LeftButton);
        QVERIFY(o.edit(ids::spellP1Edit)->isEnabled());
        QVERIFY(!o.edit(ids::spellP2Edit)->isEnabled());
    }

    void keyboardReachesTheRadioGroups()
    {
        Opened o;
        QVERIFY(o.activate());
        QTest::keyClick(&o.dialog, Qt::Key_8, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), o.radio(ids::threeSpellsRadio));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QVERIFY(o.radio(ids::oneSpellRadio)->isChecked());
        QVERIFY(!o.edit(ids::spellP2Edit)->isEnabled());

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_5, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), o.radio(ids::firstRadio[Riija] + 1));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(o.checked(ids::firstRadio[Riija]), 2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_1, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), o.radio(ids::firstRadio[Kraanan]));
        // Riija's arrows did not touch the neighbouring group.
        QCOMPARE(o.checked(ids::firstRadio[Kraanan]), 0);
    }

    void ownButtonReloadsAndDiscardsEntries()
    {
        Opened o;
        o.edit(ids::currentIntelEdit)->setText(u"50"_s);
        o.check(Kraanan, 3);
        o.click(ids::player1Button);
        QCOMPARE(o.text(ids::currentIntelEdit), u"0"_s);
        QCOMPARE(o.checked(ids::firstRadio[Kraanan]), 0);
        QCOMPARE(storedInt(1, "Current_Intel"), 0);
    }

    void eachCharacterKeepsItsOwnEntries()
    {
        Opened o;
        o.edit(ids::currentIntelEdit)->setText(u"100"_s);
        o.click(ids::calculateButton);
        o.click(ids::player2Button);
        QCOMPARE(o.label(ids::nameBox), u"Player2"_s);
        QCOMPARE(o.label(ids::selectionMarker1), QString());
        QCOMPARE(o.label(ids::selectionMarker2), marker);
        QCOMPARE(o.text(ids::currentIntelEdit), u"0"_s);
        o.click(ids::player1Button);
        QCOMPARE(o.text(ids::currentIntelEdit), u"100"_s);
        QCOMPARE(storedInt(2, "Current_Intel"), 0);
    }

    void clearEntry_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::newRow("Cancel") << u"Cancel"_s;
        QTest::newRow("Escape") << u"Escape"_s;
        QTest::newRow("close box") << u"close"_s;
        QTest::newRow("OK") << u"OK"_s;
    }
    void clearEntry()
    {
        QFETCH(QString, answer);
        Opened o;
        o.edit(ids::currentIntelEdit)->setText(u"100"_s);
        o.check(Kraanan, 2);
        QTest::mouseClick(o.radio(ids::twoSpellsRadio), Qt::LeftButton);
        o.click(ids::calculateButton);
        const QString kraananCaption = o.resultCaption(Kraanan);
        QCOMPARE(kraananCaption, u"Next Level"_s);

        answerNextDialog([&](TemplateDialog& open) {
            if (answer == u"OK"_s)
                press(open, idOk);
            else if (answer == u"Cancel"_s)
                press(open, idCancel);
            else if (answer == u"Escape"_s)
                QTest::keyClick(open.focusWidget(), Qt::Key_Escape);
            else
                open.close();
        });
        o.click(ids::clearEntryButton);
        QCOMPARE(smallDialogRun.type, u"sorvex::ConfirmClearDialog"_s);
        QCOMPARE(smallDialogRun.owner, &o.dialog);
        QVERIFY(smallDialogRun.ownerModal);
        QCOMPARE(smallDialogRun.focusName, u"okButton"_s);

        if (answer != u"OK"_s) {
            QCOMPARE(o.text(ids::currentIntelEdit), u"100"_s);
            QCOMPARE(o.checked(ids::firstRadio[Kraanan]), 2);
            QCOMPARE(storedInt(1, "Current_Intel"), 100);
            QCOMPARE(storedName(1), "Player1");
            return;
        }
        for (int school = 0; school < schoolCount; ++school)
            QCOMPARE(o.checked(ids::firstRadio[school]), 0);
        QCOMPARE(o.checked(ids::oneSpellRadio), 2);
        for (int id : {ids::spellP0Edit, ids::spellP1Edit, ids::spellP2Edit, ids::currentIntelEdit}) {
            QCOMPARE(o.text(id), u"0"_s);
            QVERIFY(o.edit(id)->isEnabled());
        }
        for (int school = 0; school < schoolCount; ++school)
            QCOMPARE(o.resultField(school)->text(), u"0"_s);
        QCOMPARE(o.button(ids::player1Button)->text(), u"Player 1"_s);
        QCOMPARE(o.label(ids::nameBox), u"Player 1"_s);
        // No recalculation: the captions stay until the next "Calculate".
        QCOMPARE(o.resultCaption(Kraanan), kraananCaption);
        QCOMPARE(storedName(1), "Player 1");
        QCOMPARE(storedInt(1, "Kraanan"), 0);
        QCOMPARE(storedInt(1, "Riija"), 0);
        QCOMPARE(storedInt(1, "Spells"), 2);
        QCOMPARE(storedInt(1, "Current_Intel"), 0);
        QCOMPARE(storedInt(1, "Magic_Number"), 0);
    }

    void clearEntryNamesTheSelectedSlot()
    {
        Opened o;
        o.click(ids::player3Button);
        answerNextDialog([](TemplateDialog& open) { press(open, idOk); });
        o.click(ids::clearEntryButton);
        QCOMPARE(o.button(ids::player3Button)->text(), u"Player 3"_s);
        QCOMPARE(o.button(ids::player1Button)->text(), u"Player1"_s);
        QCOMPARE(storedName(3), "Player 3");
    }

    void setPlayerNames_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("all emptied") << QStringList{u""_s, u""_s, u""_s} << true
                                     << QStringList{u"Player 1"_s, u"Player 2"_s, u"Player 3"_s};
        QTest::newRow("a single blank") << QStringList{u" "_s, u"Bo"_s, u"Cy"_s} << true
                                        << QStringList{u" "_s, u"Bo"_s, u"Cy"_s};
        QTest::newRow("kept untrimmed") << QStringList{u"  Ann  "_s, u"Bo"_s, u"Cy"_s} << true
                                        << QStringList{u"  Ann  "_s, u"Bo"_s, u"Cy"_s};
#ifdef Q_OS_WIN
        // The registry's ANSI calls hold the system code page only; namesGoThroughTheSystemCodePage goes beyond.
        const QString third = u"\u00DE\u00F0r"_s;
#else
        const QString third = u"\u0421\u0432\u0435\u0442"_s;
#endif
        QTest::newRow("beyond ASCII") << QStringList{u"\u00C6rwyn"_s, u"B\u00F6"_s, third} << true
                                      << QStringList{u"\u00C6rwyn"_s, u"B\u00F6"_s, third};
        QTest::newRow("changed, then Cancel") << QStringList{u"Ann"_s, u"Bo"_s, u"Cy"_s} << false
                                              << QStringList{u"Player1"_s, u"Player2"_s, u"Player3"_s};
    }
    void setPlayerNames()
    {
        QFETCH(QStringList, typed);
        QFETCH(bool, ok);
        QFETCH(QStringList, shown);
        Opened o;
        QStringList offered;
        answerNextDialog([&](TemplateDialog& open) {
            for (const char* name : {"name1Edit", "name2Edit", "name3Edit"}) {
                auto* field = open.findChild<QLineEdit*>(QString::fromLatin1(name));
                offered << field->text();
                field->setText(typed[offered.size() - 1]);
            }
            press(open, ok ? idOk : idCancel);
        });
        o.click(ids::setPlayerNamesButton);
        QCOMPARE(smallDialogRun.type, u"sorvex::CharacterNamesDialog"_s);
        QVERIFY(smallDialogRun.ownerModal);
        QCOMPARE(smallDialogRun.focusName, u"okButton"_s);
        QCOMPARE(offered, QStringList({u"Player1"_s, u"Player2"_s, u"Player3"_s}));
        const int buttons[] = {ids::player1Button, ids::player2Button, ids::player3Button};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(o.button(buttons[i])->text(), shown[i]);
            QCOMPARE(storedName(i + 1), inStoreEncoding(shown[i]));
            if (shown[i].trimmed().isEmpty())
                QCOMPARE(o.button(buttons[i])->accessibleName(), u"Player %1"_s.arg(i + 1));
        }
        QCOMPARE(o.label(ids::nameBox), shown[0]);
    }

    void enterAcceptsTheNamesAtOnce()
    {
        Opened o;
        answerNextDialog([](TemplateDialog& open) { QTest::keyClick(open.focusWidget(), Qt::Key_Return); });
        o.click(ids::setPlayerNamesButton);
        QCOMPARE(smallDialogRun.result, int(QDialog::Accepted));
        QCOMPARE(o.button(ids::player2Button)->text(), u"Player2"_s);
    }

    void namesStoreTheSheetAsLastRead()
    {
        Opened o;
        o.edit(ids::currentIntelEdit)->setText(u"77"_s);
        answerNextDialog([](TemplateDialog& open) { press(open, idOk); });
        o.click(ids::setPlayerNamesButton);
        QCOMPARE(storedInt(1, "Current_Intel"), 0);
        QCOMPARE(o.text(ids::currentIntelEdit), u"77"_s);
    }

    void exitEndsTheProcessStoringNothing()
    {
        {
            Opened o;
            o.edit(ids::currentIntelEdit)->setText(u"150"_s);
            o.check(Qor, 4);
            o.click(ids::exitButton);
            QCOMPARE(exitStatuses, QList<int>{0});
            QVERIFY(o.dialog.isVisible());
            QCOMPARE(storedInt(1, "Current_Intel"), 0);
        }
        Opened next;
        QCOMPARE(next.text(ids::currentIntelEdit), u"0"_s);
        QCOMPARE(next.checked(ids::firstRadio[Qor]), 0);
    }

    void cancelEndsTheDialogStoringNothing_data() { testing_support::addCancellingRows(); }
    void cancelEndsTheDialogStoringNothing()
    {
        QFETCH(bool, closeBox);
        ConverterDialog dialog;
        TemplateDialog::setOpenedHook([&](TemplateDialog& open) {
            open.control<QLineEdit>(ids::currentIntelEdit)->setText(u"150"_s);
            testing_support::cancel(open, open.control(ids::currentIntelEdit), closeBox);
        });
        QCOMPARE(dialog.run(), int(QDialog::Rejected));
        QCOMPARE(storedInt(1, "Current_Intel"), 0);
        QVERIFY(exitStatuses.isEmpty());
    }

    void aboutBox()
    {
        Opened o;
        QVERIFY(o.activate());
        QString version;
        QSize iconSize;
        answerNextDialog([&](TemplateDialog& open) {
            version = open.findChild<QLabel*>(u"versionLabel"_s)->text();
            iconSize = open.findChild<QLabel*>(u"icon"_s)->pixmap().size();
            QTest::keyClick(open.focusWidget(), Qt::Key_Escape);
        });
        QTest::keyClick(&o.dialog, Qt::Key_F1);
        QCOMPARE(smallDialogRun.type, u"sorvex::AboutDialog"_s);
        QCOMPARE(smallDialogRun.owner, &o.dialog);
        QCOMPARE(smallDialogRun.focusName, u"okButton"_s);
        QCOMPARE(smallDialogRun.result, int(QDialog::Rejected));
        QCOMPARE(version, u"Sorvex Version 1.0"_s);
        QCOMPARE(iconSize, QSize(32, 32));
    }

#ifndef Q_OS_WIN
    void aboutItemInTheContextMenu()
    {
        Opened o;
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), o.dialog.mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(&o.dialog, &event);
        auto* menu = o.dialog.findChild<QMenu*>(u"aboutMenu"_s);
        QVERIFY(menu);
        // The always-on-top item in a group of its own above About.
        QCOMPARE(menu->actions().size(), 3);
        QCOMPARE(menu->actions()[0]->text(), u"Always on &Top"_s);
        QVERIFY(menu->actions()[1]->isSeparator());
        QCOMPARE(menu->actions()[2]->text(), u"&About Sorvex..."_s);
        answerNextDialog([](TemplateDialog& open) { press(open, idOk); });
        menu->actions()[2]->trigger();
        QCOMPARE(smallDialogRun.type, u"sorvex::AboutDialog"_s);
        QCOMPARE(smallDialogRun.result, int(QDialog::Accepted));
    }
#endif

#ifndef Q_OS_WIN
    // The other program lets the lock go while the first message is read: the calculation that ends the load
    // must not put the defaults over the character then; "Calculate" afterwards stores what is shown.
    void aLoadThatCouldNotReadTheStoreStoresNothing()
    {
        storeInt(1, "Qor", 3);
        int held = ::open((qgetenv("XDG_CONFIG_HOME") + "/sorvex/registry.reg.lock").constData(), O_RDWR | O_CLOEXEC);
        QVERIFY(::flock(held, LOCK_EX) == 0);
        setMessageResponder([&](const ShownMessage& message) {
            shownMessages << message;
            if (held >= 0)
                ::close(std::exchange(held, -1));
        });
        Opened o;
        setMessageResponder([this](const ShownMessage& message) { shownMessages << message; });
        QCOMPARE(storedInt(1, "Qor"), 3);
        QVERIFY(!shownMessages.isEmpty()
                && shownMessages.back().text.contains(u"The character shown is the defaults"_s));
        o.click(ids::calculateButton);
        QCOMPARE(storedInt(1, "Qor"), 0);
    }

    // Each store operation tells of every key it could not open, then of the file; opening is a load and the
    // two saves of its calculation, and so is a press of a character's button.
    void unusableStoreIsReportedForEveryOperation_data()
    {
        QTest::addColumn<bool>("folderInPlaceOfTheFile");
        QTest::addColumn<QStringList>("shown");
        const QString slot = u"CVORegistry() Constructor3: KEY_READ Access Failed: 80000001\n"
                             u"Software\\Quendrith Converter\\Player1\n"_s;
        const QString root = u"CVORegistry() Constructor3: KEY_READ Access Failed: 80000001\n"
                             u"Software\\Quendrith Converter\n"_s;
        QTest::newRow("no folder can be made") << false << QStringList{slot, root, slot, root, slot, root};
        // A load that could not read the file stores nothing after it.
        const QString notice = u"notice"_s;
        QTest::newRow("a folder in place of the file") << true << QStringList{slot, root, notice};
    }
    void unusableStoreIsReportedForEveryOperation()
    {
        QFETCH(bool, folderInPlaceOfTheFile);
        QFETCH(QStringList, shown);
        const QByteArray scratch = qgetenv("XDG_CONFIG_HOME");
        const QString file = QString::fromLocal8Bit(scratch) + u"/sorvex/registry.reg"_s;
        if (folderInPlaceOfTheFile) {
            QVERIFY(QDir().mkpath(file));
        } else {
            QFile blocker(QString::fromLocal8Bit(scratch) + u"/blocker"_s);
            QVERIFY(blocker.open(QIODevice::WriteOnly));
            qputenv("XDG_CONFIG_HOME", scratch + "/blocker");
        }
        Opened o;
        for (const bool pressed : {false, true}) {
            if (pressed) {
                shownMessages.clear();
                o.click(ids::player1Button);
            }
            QCOMPARE(shownMessages.size(), shown.size());
            for (qsizetype i = 0; i < shown.size(); ++i) {
                QCOMPARE(shownMessages[i].icon, QMessageBox::Warning);
                QCOMPARE(shownMessages[i].title, u"sorvex_converter_dialog_test"_s);
                QCOMPARE(shownMessages[i].owner.data(), &o.dialog);
                if (shown[i] == u"notice"_s)
                    QVERIFY2(shownMessages[i].text.contains(file), qPrintable(shownMessages[i].text));
                else
                    QCOMPARE(shownMessages[i].text, shown[i]);
            }
            QCOMPARE(o.button(ids::player1Button)->text(), u"Player1"_s);
            QCOMPARE(o.resultField(Riija)->text(), u"196"_s);
        }
    }
#endif
};

QTEST_MAIN(ConverterDialogTest)
#include "converter_dialog_test.moc"
