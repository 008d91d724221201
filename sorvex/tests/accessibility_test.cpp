// What a screen reader meets in the four dialogs on an empty store: every control's role and name, the About item
// of the context menu, and the radio buttons, which the dialog rather than Qt keeps in groups.
#include "converter_dialog.h"
#include "dialog_layouts.h"
#include "keyboard_walker.h"
#include "message_box.h"
#include "scratch_store.h"
#include "small_dialogs.h"
#include "window_fonts.h"

#include <QAccessible>
#include <QContextMenuEvent>
#include <QMenu>
#include <QRadioButton>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;
namespace ids = sorvex::converter;

namespace {

QStringList mainDialogControls()
{
    QStringList controls{u"ConverterDialog Dialog Sorvex"_s};
    for (const char* box :
         {"kraananBox Grouping Kraanan", "shalilleBox Grouping Shal'ille", "farenBox Grouping Faren",
          "weaponCraftBox Grouping Weapon Craft", "riijaBox Grouping Riija", "qorBox Grouping Qor",
          "jalaBox Grouping Jala", "spellCountBox Grouping Number of Spells in My Current Level",
          "calculateFrame Grouping", "selectCharacterBox Grouping Select Character", "resultBoxKraanan Grouping",
          "resultBoxShalille Grouping", "resultBoxFaren Grouping", "resultBoxWeaponCraft Grouping",
          "resultBoxJala Grouping", "resultBoxQor Grouping", "resultBoxRiija Grouping Next Level", "5 Button Exit"})
        controls << QString::fromUtf8(box);
    for (const int first : ids::firstRadio) {
        const QString none = first == ids::firstRadio[sorvex::Riija] ? u"Blink"_s : u"None"_s;
        for (int level = 0; level <= 6; ++level)
            controls << u"%1 RadioButton %2"_s.arg(first + level).arg(level == 0 ? none : u"Level %1"_s.arg(level));
    }
    for (const char* control : {"1008 EditableText Percentage of the first spell or skill",
                                "1063 EditableText Percentage of the second spell or skill",
                                "1064 EditableText Percentage of the third spell or skill",
                                "1009 RadioButton One Spell / Skill",
                                "1065 RadioButton Two Spells / Skills",
                                "1066 RadioButton Three Spells / Skills",
                                "1010 EditableText Current Intellect",
                                "currentIntellectLabel StaticText Current Intellect",
                                "6 Button Calculate",
                                "1014 Button Player1",
                                "1015 Button Player2",
                                "1016 Button Player3",
                                "1017 Button Set Player Names",
                                "nameBox StaticText Selected character: Player1",
                                "percentSign1 StaticText %",
                                "percentSign2 StaticText %",
                                "percentSign3 StaticText %",
                                "resultFieldKraanan EditableText Kraanan figure",
                                "resultFieldRiija EditableText Riija figure",
                                "resultFieldWeaponCraft EditableText Weapon Craft figure",
                                "resultFieldFaren EditableText Faren figure",
                                "resultFieldShalille EditableText Shal'ille figure",
                                "resultFieldQor EditableText Qor figure",
                                "resultFieldJala EditableText Jala figure",
                                "selectionMarker1 StaticText Player 1 selected",
                                "selectionMarker2 StaticText Player 2 not selected",
                                "selectionMarker3 StaticText Player 3 not selected",
                                "1083 Button Clear Entry"})
        controls << QString::fromUtf8(control);
    return controls;
}

}  // namespace

class SorvexAccessibilityTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(scratchStore.isValid());
        quendrith::setUpFonts();
        sorvex::setMessageResponder([](const sorvex::ShownMessage& message) { QFAIL(qPrintable(message.text)); });
    }
    void init()
    {
        mainDialog = std::make_unique<sorvex::ConverterDialog>();
        mainDialog->show();
    }
    void cleanup() { mainDialog.reset(); }

    void everyControl_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QStringList>("controls");
        QTest::newRow("main") << u"ConverterDialog"_s << mainDialogControls();
        QTest::newRow("names") << u"CharacterNamesDialog"_s
                               << QStringList{u"CharacterNamesDialog Dialog Character Names"_s,
                                              u"okButton Button OK"_s,
                                              u"cancelButton Button Cancel"_s,
                                              u"name1Edit EditableText Name 1"_s,
                                              u"name2Edit EditableText Name 2"_s,
                                              u"name3Edit EditableText Name 3"_s,
                                              u"name1Label StaticText Name 1"_s,
                                              u"name2Label StaticText Name 2"_s,
                                              u"name3Label StaticText Name 3"_s};
        QTest::newRow("confirm clear") << u"ConfirmClearDialog"_s
                                       << QStringList{
                                              u"ConfirmClearDialog Dialog Really?"_s, u"okButton Button OK"_s,
                                              u"cancelButton Button Cancel"_s,
                                              u"questionLabel StaticText Are You Sure?"_s,
                                              u"warningLabel StaticText All Data For This Character Will Be Lost!"_s};
        QTest::newRow("about") << u"AboutDialog"_s
                               << QStringList{u"AboutDialog Dialog About Sorvex"_s, u"icon Graphic Sorvex icon"_s,
                                              u"versionLabel StaticText Sorvex Version 1.0"_s, u"okButton Button OK"_s};
    }
    void everyControl()
    {
        QFETCH(QString, dialog);
        QFETCH(QStringList, controls);
        const auto small = sorvex::testing_support::makeSmallDialog(dialog, mainDialog.get());
        QWidget* shown = small ? static_cast<QWidget*>(small.get()) : mainDialog.get();
        shown->show();
        QCOMPARE(keyboard::announced(shown), controls);
    }

    // Pressed or toggled, a radio button is checked as a click checks it, and the rest of its group unchecked;
    // toggling the checked one leaves it checked.
    void radioActionsCheckAsAClickDoes_data()
    {
        QTest::addColumn<QString>("action");
        QTest::newRow("press") << QAccessibleActionInterface::pressAction();
        QTest::newRow("toggle") << QAccessibleActionInterface::toggleAction();
    }
    void radioActionsCheckAsAClickDoes()
    {
        QFETCH(QString, action);
        const std::vector<QRadioButton*> group = mainDialog->radioGroup(ids::firstRadio[sorvex::Faren]);
        QAccessibleInterface* levelThree = QAccessible::queryAccessibleInterface(group.at(3));
        QVERIFY(levelThree->actionInterface()->actionNames().contains(action));
        for (int twice = 0; twice < 2; ++twice) {
            levelThree->actionInterface()->doAction(action);
            for (std::size_t level = 0; level < group.size(); ++level)
                QCOMPARE(group.at(level)->isChecked(), level == 3);
            QVERIFY(levelThree->state().checked && levelThree->state().checkable);
        }
    }

#ifndef Q_OS_WIN
    void contextMenuListsTheAboutItem()
    {
        QVERIFY(keyboard::activate(mainDialog.get()));
        const QPoint inside(20, 20);
        QContextMenuEvent event(QContextMenuEvent::Keyboard, inside, mainDialog->mapToGlobal(inside));
        QApplication::sendEvent(mainDialog.get(), &event);
        QVERIFY(QTest::qWaitFor([&] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr; }));
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QCOMPARE(QAccessible::queryAccessibleInterface(menu)->role(), QAccessible::PopupMenu);
        QCOMPARE(keyboard::menuItems(menu), (QStringList{u"Always on Top (Alt+T)"_s, u"About Sorvex... (Alt+A)"_s}));
        const QAccessible::State onTop = QAccessible::queryAccessibleInterface(menu)->child(0)->state();
        QVERIFY(onTop.checkable && !onTop.checked);
        menu->close();
    }
#endif

private:
    sorvex::testing_support::ScratchStore scratchStore;
    std::unique_ptr<sorvex::ConverterDialog> mainDialog;
};

QTEST_MAIN(SorvexAccessibilityTest)
#include "accessibility_test.moc"
