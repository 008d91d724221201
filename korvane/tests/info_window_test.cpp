#include "info_window.h"
#include "window_fonts.h"

#include <QLabel>
#include <QTest>

using namespace Qt::StringLiterals;

using namespace korvane;

class InfoWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { quendrith::setUpFonts(); }

    void isAFixedToolWindowWithItsTexts()
    {
        InfoWindow form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.windowTitle(), u"Info..."_s);
        QCOMPARE(form.size(), QSize(235, 70));
        QCOMPARE(form.minimumSize(), form.maximumSize());
        QCOMPARE(form.windowType(), Qt::Tool);
        QVERIFY(!(form.windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
        const std::pair<const char*, QString> texts[] = {
            {"Label1", u"You can reach me online at almost any time..."_s},
            {"Label2", u"Wendlecap   - -       MSN"_s},
            {"Label3", u"Wendlecap    - - -     AIM"_s},
        };
        for (const auto& [name, text] : texts) {
            QCOMPARE(form.findChild<QLabel*>(QString::fromLatin1(name))->text(), text);
        }
        QVERIFY(form.findChild<QLabel*>(u"Label4"_s)->text().endsWith(u"@example.org"_s));
        QCOMPARE(form.findChild<QLabel*>(u"Label7"_s)->text(), QString());
    }

    void clickHidesEverywhereButTheRightStrip_data()
    {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<bool>("hides");
        QTest::newRow("top left") << QPoint(0, 0) << true;
        QTest::newRow("on Label1 text") << QPoint(20, 10) << true;
        QTest::newRow("on Label4 text") << QPoint(30, 60) << true;
        QTest::newRow("bottom, last covered column") << QPoint(228, 69) << true;
        QTest::newRow("right strip") << QPoint(230, 30) << false;
        QTest::newRow("right edge") << QPoint(234, 5) << false;
    }
    void clickHidesEverywhereButTheRightStrip()
    {
        QFETCH(QPoint, at);
        QFETCH(bool, hides);
        InfoWindow form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QWidget* target = form.childAt(at);
        if (target == nullptr) {
            target = &form;
        }
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(&form, at));
        QCOMPARE(form.isVisible(), !hides);
    }
};

QTEST_MAIN(InfoWindowTest)
#include "info_window_test.moc"
