// The main dialog's system menu on Windows, with the Windows platform itself rather than offscreen, so that the
// dialog is a real window with a real system menu and window procedure.
#include "converter_dialog.h"
#include "dialog_layouts.h"
#include "message_box.h"
#include "scratch_store.h"
#include "window_fonts.h"

#include <QtTest>

#include <string>

using namespace Qt::StringLiterals;

using namespace sorvex;

class SystemMenuTest : public QObject {
    Q_OBJECT
    testing_support::ScratchStore scratchStore;
    QStringList openedDialogs;

    HWND shownDialog(ConverterDialog& dialog)
    {
        dialog.show();
        if (!QTest::qWaitForWindowExposed(&dialog))
            return nullptr;
        return reinterpret_cast<HWND>(dialog.winId());
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(scratchStore.isValid());
        QCOMPARE(QGuiApplication::platformName(), u"windows"_s);
        quendrith::setUpFonts();
        setMessageResponder([](const ShownMessage&) { });
    }
    void init()
    {
        openedDialogs.clear();
        TemplateDialog::setOpenedHook([this](TemplateDialog& open) {
            openedDialogs << QString::fromLatin1(open.metaObject()->className());
            open.reject();
        });
    }
    void cleanup() { TemplateDialog::setOpenedHook({}); }

    void menuEndsWithASeparatorAndTheAboutItem()
    {
        ConverterDialog dialog;
        const HWND window = shownDialog(dialog);
        QVERIFY(window);
        const HMENU menu = GetSystemMenu(window, FALSE);
        QVERIFY(menu);
        const int count = GetMenuItemCount(menu);
        QVERIFY(count >= 2);

        MENUITEMINFOW separator{};
        separator.cbSize = sizeof separator;
        separator.fMask = MIIM_FTYPE;
        QVERIFY(GetMenuItemInfoW(menu, static_cast<UINT>(count - 2), TRUE, &separator));
        QVERIFY(separator.fType & MFT_SEPARATOR);

        QCOMPARE(GetMenuItemID(menu, count - 1), static_cast<UINT>(aboutCommand));
        wchar_t text[64] = {};
        const int length = GetMenuStringW(menu, static_cast<UINT>(count - 1), text, 64, MF_BYPOSITION);
        QCOMPARE(QString::fromWCharArray(text, length), u"&About Sorvex..."_s);
        QCOMPARE(GetMenuState(menu, static_cast<UINT>(aboutCommand), MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED), 0u);
    }

    void aboutCommandOpensTheAboutBox_data()
    {
        QTest::addColumn<WPARAM>("command");
        QTest::newRow("16") << WPARAM{0x10};
        QTest::newRow("16 with low bits 3") << WPARAM{0x13};
        QTest::newRow("16 with all low bits") << WPARAM{0x1F};
    }
    void aboutCommandOpensTheAboutBox()
    {
        QFETCH(WPARAM, command);
        ConverterDialog dialog;
        const HWND window = shownDialog(dialog);
        QVERIFY(window);
        SendMessageW(window, WM_SYSCOMMAND, command, 0);
        QCOMPARE(openedDialogs, QStringList{u"sorvex::AboutDialog"_s});
        QVERIFY(dialog.isVisible());
    }

    void otherCommandsKeepTheirDefault()
    {
        ConverterDialog dialog;
        const HWND window = shownDialog(dialog);
        QVERIFY(window);
        // Neither a command that merely shares bits with 16 nor a standard one opens the About box.
        SendMessageW(window, WM_SYSCOMMAND, 0x0110, 0);
        QVERIFY(openedDialogs.isEmpty());
        SendMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        QVERIFY(QTest::qWaitFor([&] { return IsIconic(window) != FALSE; }));
        QVERIFY(openedDialogs.isEmpty());
        SendMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
        QVERIFY(QTest::qWaitFor([&] { return IsIconic(window) == FALSE; }));
        SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        QVERIFY(QTest::qWaitFor([&] { return !dialog.isVisible(); }));
        QVERIFY(openedDialogs.isEmpty());
    }
};

QTEST_MAIN(SystemMenuTest)
#include "system_menu_test.moc"
