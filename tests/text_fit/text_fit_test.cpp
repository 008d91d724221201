// What the caption check finds: captions with room pass, captions narrower or lower than their control's
// room are reported, whatever the kind of control, at every scale the test runs at.
#include "text_fit.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace Qt::StringLiterals;

class TextFitTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void controls_data();
    void controls();
};

namespace {

const QString caption = u"Caption text"_s;

int advance(const QString& text)
{
    return QFontMetrics(QApplication::font()).horizontalAdvance(text);
}

QWidget* make(const QString& kind, QWidget* window)
{
    if (kind == u"label"_s)
        return new QLabel(caption, window);
    if (kind == u"centred label"_s) {
        auto* label = new QLabel(caption, window);
        label->setAlignment(Qt::AlignCenter);
        return label;
    }
    if (kind == u"wrapped label"_s) {
        auto* label = new QLabel(caption + u' ' + caption + u' ' + caption, window);
        label->setWordWrap(true);
        return label;
    }
    if (kind == u"button"_s)
        return new QPushButton(caption, window);
    if (kind == u"check box"_s)
        return new QCheckBox(caption, window);
    if (kind == u"group box"_s)
        return new QGroupBox(caption, window);
    auto* edit = new QLineEdit(caption, window);
    edit->setReadOnly(true);
    return edit;
}

}  // namespace

void TextFitTest::controls_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<bool>("clipped");
    const int wide = advance(caption) + 60;
    const int narrow = advance(caption) - 8;
    QTest::newRow("label with room") << u"label"_s << QSize(wide, 20) << true << false;
    QTest::newRow("label too narrow") << u"label"_s << QSize(narrow, 20) << true << true;
    QTest::newRow("label too low") << u"label"_s << QSize(wide, 6) << true << true;
    QTest::newRow("hidden label too narrow") << u"label"_s << QSize(narrow, 20) << false << false;
    QTest::newRow("centred label with room") << u"centred label"_s << QSize(wide, 20) << true << false;
    QTest::newRow("centred label too narrow") << u"centred label"_s << QSize(narrow, 20) << true << true;
    QTest::newRow("wrapped label with room") << u"wrapped label"_s << QSize(wide, 60) << true << false;
    QTest::newRow("wrapped label too low") << u"wrapped label"_s << QSize(wide, 20) << true << true;
    QTest::newRow("button with room") << u"button"_s << QSize(wide, 30) << true << false;
    QTest::newRow("button too narrow") << u"button"_s << QSize(narrow, 30) << true << true;
    QTest::newRow("check box with room") << u"check box"_s << QSize(wide, 20) << true << false;
    QTest::newRow("check box too narrow") << u"check box"_s << QSize(narrow, 20) << true << true;
    QTest::newRow("group box with room") << u"group box"_s << QSize(wide, 60) << true << false;
    QTest::newRow("group box too narrow") << u"group box"_s << QSize(narrow, 60) << true << true;
    QTest::newRow("line edit with room") << u"line edit"_s << QSize(wide, 24) << true << false;
    QTest::newRow("line edit scrolled") << u"line edit"_s << QSize(narrow, 24) << true << true;
    QTest::newRow("line edit too low") << u"line edit"_s << QSize(wide, 8) << true << true;
}

void TextFitTest::controls()
{
    QFETCH(QString, kind);
    QFETCH(QSize, size);
    QFETCH(bool, shown);
    QFETCH(bool, clipped);
    QWidget window;
    window.resize(400, 200);
    QWidget* control = make(kind, &window);
    control->setObjectName(u"control"_s);
    control->setGeometry(QRect(QPoint(13, 17), size));
    control->setVisible(shown);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QStringList found = textfit::clippedTexts(window);
    QCOMPARE(found.size(), clipped ? 1 : 0);
    if (clipped)
        QVERIFY2(found.front().startsWith(u"control "_s), qPrintable(found.front()));
}

QTEST_MAIN(TextFitTest)
#include "text_fit_test.moc"
