#include "converter_app.h"
#include "converter_dialog.h"
#include "dialog_layouts.h"
#include "scratch_store.h"

#include <QtTest>

using namespace Qt::StringLiterals;

using namespace sorvex;

class ConverterAppTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void runsTheMainDialogOnceAndEndsWhenItCloses()
    {
        const sorvex::testing_support::ScratchStore store;
        QVERIFY(store.isValid());
        int argc = 1;
        char name[] = "sorvex_converter_app_test";
        char* argv[] = {name, nullptr};
        QApplication application(argc, argv);

        int runs = 0;
        QString type;
        QWidget* owner = nullptr;
        QString focused;
        bool iconSet = false;
        TemplateDialog::setOpenedHook([&](TemplateDialog& open) {
            ++runs;
            type = QString::fromLatin1(open.metaObject()->className());
            owner = open.parentWidget();
            focused = open.focusWidget() ? open.focusWidget()->objectName() : QString();
            iconSet = !open.windowIcon().isNull();
            open.close();
        });
        {
            const auto program = ConverterApp::start();
            // Nothing is made before the event loop runs.
            QCOMPARE(runs, 0);
            QVERIFY(QApplication::topLevelWidgets().isEmpty());
            QCOMPARE(QApplication::exec(), 0);
        }
        TemplateDialog::setOpenedHook({});

        QCOMPARE(runs, 1);
        QCOMPARE(type, u"sorvex::ConverterDialog"_s);
        QCOMPARE(owner, nullptr);
        QCOMPARE(focused, QString::number(converter::exitButton));
        QVERIFY(iconSet);
        QVERIFY(!QApplication::windowIcon().isNull());
        // The dialog object is gone once the run has ended.
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
        QVERIFY(QApplication::applicationName() == u"sorvex_converter_app_test"_s);
    }
};

QTEST_APPLESS_MAIN(ConverterAppTest)
#include "converter_app_test.moc"
