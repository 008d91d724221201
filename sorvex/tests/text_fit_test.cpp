// Every caption of the four dialogs fits its control at the scale the test runs at (QT_SCALE_FACTOR), where
// text is drawn with other glyphs than at 100 % and clipped at whole device pixels.
#include "character_sheet.h"
#include "control_ids.h"
#include "converter_dialog.h"
#include "scratch_store.h"
#include "small_dialogs.h"
#include "text_fit.h"
#include "window_fonts.h"

#include <QGroupBox>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;

class TextFitTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void captionsFit_data();
    void captionsFit();
    void everyResultCaptionFits();

private:
    std::unique_ptr<sorvex::testing_support::ScratchStore> store;
};

void TextFitTest::initTestCase()
{
    quendrith::setUpFonts();
    store = std::make_unique<sorvex::testing_support::ScratchStore>();
    QVERIFY(store->isValid());
}

void TextFitTest::captionsFit_data()
{
    QTest::addColumn<QString>("dialog");
    for (const char* name : {"ConverterDialog", "CharacterNamesDialog", "ConfirmClearDialog", "AboutDialog"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TextFitTest::captionsFit()
{
    QFETCH(QString, dialog);
    sorvex::ConverterDialog main;
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    const std::unique_ptr<sorvex::TemplateDialog> small = sorvex::testing_support::makeSmallDialog(dialog, &main);
    QWidget* shown = small ? small.get() : &main;
    QCOMPARE(shown->objectName(), dialog);
    shown->show();
    QVERIFY(QTest::qWaitForWindowExposed(shown));
    const QStringList clipped = textfit::clippedTexts(*shown);
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(u"\n"_s)));
}

// Each school's box is headed by whichever of its captions the figure calls for.
void TextFitTest::everyResultCaptionFits()
{
    sorvex::ConverterDialog main;
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    const QString captions[] = {u"Magic Number"_s, QString::fromUtf8(sorvex::nextLevelCaption),
                                QString::fromUtf8(sorvex::unreachableCaption)};
    for (const int box : sorvex::converter::resultBox) {
        for (const QString& caption : captions) {
            main.control<QGroupBox>(box)->setTitle(caption);
            const QStringList clipped = textfit::clippedTexts(main);
            QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(u"\n"_s)));
        }
    }
}

QTEST_MAIN(TextFitTest)
#include "text_fit_test.moc"
