#include "keyboard_walker.h"

#include "converter_dialog.h"
#include "dialog_layouts.h"
#include "message_box.h"
#include "scratch_store.h"
#include "small_dialogs.h"
#include "window_fonts.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QRadioButton>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
namespace ids = sorvex::converter;

namespace {

// A control without an object name of its own is named after its ID.
QString named(int id)
{
    return QString::number(id);
}

// Every tab stop of the main dialog in template order; Tab skips the disabled ones (the result figures of
// schools at "None" or "Level 6", the percentages a smaller spell count leaves out).
const QStringList converterTabStops{named(ids::exitButton),       named(ids::spellP0Edit),
                                    named(ids::spellP1Edit),      named(ids::spellP2Edit),
                                    named(ids::currentIntelEdit), named(ids::calculateButton),
                                    named(ids::player1Button),    named(ids::player2Button),
                                    named(ids::player3Button),    named(ids::setPlayerNamesButton),
                                    u"resultFieldKraanan"_s,      u"resultFieldRiija"_s,
                                    u"resultFieldWeaponCraft"_s,  u"resultFieldFaren"_s,
                                    u"resultFieldShalille"_s,     u"resultFieldQor"_s,
                                    u"resultFieldJala"_s,         named(ids::clearEntryButton)};

}  // namespace

class SorvexKeyboardTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(scratchStore.isValid());
        quendrith::setUpFonts();
        sorvex::setMessageResponder([](const sorvex::ShownMessage&) { });
        sorvex::ConverterDialog::setExitHandler([](int) { QFAIL("the walk ended the program"); });
    }

    void init()
    {
        mainDialog = std::make_unique<sorvex::ConverterDialog>();
        mainDialog->show();
        QVERIFY(keyboard::activate(mainDialog.get()));
    }
    void cleanup()
    {
        sorvex::TemplateDialog::setOpenedHook({});
        mainDialog.reset();
    }

    void everyDialog_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<int>("spellMode");
        QTest::addColumn<QString>("firstFocus");
        QTest::addColumn<QStringList>("tabChain");
        const QString exit = named(ids::exitButton);
        QTest::newRow("main") << u"ConverterDialog"_s << -1 << exit << converterTabStops;
        QTest::newRow("main, one spell") << u"ConverterDialog"_s << ids::oneSpellRadio << exit << converterTabStops;
        QTest::newRow("main, two spells") << u"ConverterDialog"_s << ids::twoSpellsRadio << exit << converterTabStops;
        QTest::newRow("names") << u"CharacterNamesDialog"_s << -1 << u"okButton"_s
                               << QStringList{u"okButton"_s, u"cancelButton"_s, u"name1Edit"_s, u"name2Edit"_s,
                                              u"name3Edit"_s};
        QTest::newRow("confirm clear") << u"ConfirmClearDialog"_s << -1 << u"okButton"_s
                                       << QStringList{u"okButton"_s, u"cancelButton"_s};
        QTest::newRow("about") << u"AboutDialog"_s << -1 << u"okButton"_s << QStringList{u"okButton"_s};
    }

    void everyDialog()
    {
        QFETCH(QString, dialog);
        QFETCH(int, spellMode);
        QFETCH(QString, firstFocus);
        QFETCH(QStringList, tabChain);
        if (spellMode >= 0)
            mainDialog->control<QRadioButton>(spellMode)->click();

        const auto small = sorvex::testing_support::makeSmallDialog(dialog, mainDialog.get());
        QWidget* shown = small ? static_cast<QWidget*>(small.get()) : mainDialog.get();
        QCOMPARE(shown->objectName(), dialog);
        QVERIFY(keyboard::activate(shown));
        if (spellMode < 0)
            QCOMPARE(keyboard::nameOf(shown->focusWidget()), firstFocus);

        // Enter and the keypad Enter on "Exit" end the program, as they should; no other key does.
        int exits = 0;
        sorvex::ConverterDialog::setExitHandler([&exits](int) { ++exits; });
        const QStringList faults = keyboard::walkWindow(shown, tabChain);
        sorvex::ConverterDialog::setExitHandler([](int) { QFAIL("the walk ended the program"); });
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
        QCOMPARE(exits, small ? 0 : 2);
    }

    void radioButtonsAreNoTabStops()
    {
        for (QRadioButton* radio : mainDialog->findChildren<QRadioButton*>())
            QVERIFY2(!(radio->focusPolicy() & Qt::TabFocus), qPrintable(radio->text()));
    }

    void groupShortcuts_data()
    {
        QTest::addColumn<int>("digit");
        QTest::addColumn<int>("firstRadio");
        // Ctrl+1..Ctrl+7 in store order, then Ctrl+8.
        for (int school = 0; school < sorvex::schoolCount; ++school)
            QTest::addRow("Ctrl+%d", school + 1) << school + 1 << ids::firstRadio[school];
        QTest::addRow("Ctrl+8") << 8 << ids::oneSpellRadio;
    }

    // The radio groups are reached with Ctrl+digit at their checked button; Down then checks the next.
    void groupShortcuts()
    {
        QFETCH(int, digit);
        QFETCH(int, firstRadio);
        QTest::keyClick(mainDialog->focusWidget(), static_cast<Qt::Key>(Qt::Key_0 + digit), Qt::ControlModifier);
        const std::vector<QRadioButton*> group = mainDialog->radioGroup(firstRadio);
        auto* focused = qobject_cast<QRadioButton*>(QApplication::focusWidget());
        QVERIFY(focused != nullptr);
        QVERIFY(std::find(group.begin(), group.end(), focused) != group.end());
        QVERIFY(focused->isChecked());
        QTest::keyClick(focused, Qt::Key_Down);
        auto* next = qobject_cast<QRadioButton*>(QApplication::focusWidget());
        QVERIFY(next != nullptr && next != focused);
        QVERIFY(next->isChecked());
        QVERIFY(!focused->isChecked());
    }

#ifdef Q_OS_WIN
    // Windows puts the About item into the system menu (sorvex_system_menu_test); the client area has no menu.
    void noContextMenu()
    {
        const QPoint inside(20, 20);
        QContextMenuEvent event(QContextMenuEvent::Keyboard, inside, mainDialog->mapToGlobal(inside));
        QApplication::sendEvent(mainDialog.get(), &event);
        QTest::qWait(100);
        QCOMPARE(QApplication::activePopupWidget(), nullptr);
    }
#else
    void aboutFromTheContextMenu()
    {
        const auto open = [this]() -> QMenu* {
            const QPoint inside(20, 20);
            QContextMenuEvent event(QContextMenuEvent::Keyboard, inside, mainDialog->mapToGlobal(inside));
            QApplication::sendEvent(mainDialog.get(), &event);
            QMenu* menu = nullptr;
            const bool shown = QTest::qWaitFor(
                [&] { return (menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) != nullptr; });
            return shown ? menu : nullptr;
        };
        QString opened;
        sorvex::TemplateDialog::setOpenedHook([&](sorvex::TemplateDialog& dialog) { opened = dialog.objectName(); });
        const QStringList faults = keyboard::checkMenuAccessKeys(mainDialog.get(), open, u"context menu"_s);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
        QCOMPARE(opened, u"AboutDialog"_s);
    }
#endif

    void aboutOnF1()
    {
        QString opened;
        sorvex::TemplateDialog::setOpenedHook([&](sorvex::TemplateDialog& dialog) { opened = dialog.objectName(); });
        QTest::keyClick(mainDialog->focusWidget(), Qt::Key_F1);
        QCOMPARE(opened, u"AboutDialog"_s);
    }

private:
    sorvex::testing_support::ScratchStore scratchStore;
    std::unique_ptr<sorvex::ConverterDialog> mainDialog;
};

QTEST_MAIN(SorvexKeyboardTest)
#include "keyboard_test.moc"
