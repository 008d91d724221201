// The random input against small programs of known behaviour, so that a run that passes means something.
#include "random_input.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

QPushButton* addButton(QWidget* parent, const QString& caption, const std::function<void()>& action)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(caption);
    parent->layout()->addWidget(button);
    QObject::connect(button, &QPushButton::clicked, parent, action);
    return button;
}

// A main window with a box, a text field, a button that opens a dialog that opens a message box, and one that
// closes the window. Records every key and click it receives.
class Sample : public QObject, public randominput::Program {
public:
    bool faultWhenTicked = false;
    bool modalMainWindow = false;
    bool fieldOnly = false;
    QStringList received;
    QStringList texts;
    int nestedMessages = 0;

    Sample() { qApp->installEventFilter(this); }

    QWidget* mainWindow() const override { return window.get(); }

    void start() override
    {
        window = std::make_unique<QDialog>();
        window->setObjectName(u"main"_s);
        new QVBoxLayout(window.get());
        auto* edit = new QLineEdit(window.get());
        window->layout()->addWidget(edit);
        connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) { texts << text; });
        box = new QCheckBox(u"&Tick"_s, window.get());
        window->layout()->addWidget(box);
        if (fieldOnly) {
            box->hide();
            window->show();
            return;
        }
        addButton(window.get(), u"&Ask"_s, [this] { ask(); });
        addButton(window.get(), u"&Quit"_s, [this] { window->close(); });
        if (modalMainWindow) {
            window->exec();
        } else {
            window->setModal(false);
            window->show();
        }
    }

    QStringList check() override
    {
        if (faultWhenTicked && box->isChecked())
            return {u"the box is ticked"_s};
        return {};
    }

private:
    void ask()
    {
        QDialog dialog(window.get());
        dialog.setObjectName(u"question"_s);
        new QVBoxLayout(&dialog);
        addButton(&dialog, u"&More"_s, [this, &dialog] {
            ++nestedMessages;
            QMessageBox::warning(&dialog, u"Sample"_s, u"Nested"_s);
        });
        addButton(&dialog, u"OK"_s, [&dialog] { dialog.accept(); });
        dialog.exec();
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            received << u"%1 key %2 %3"_s.arg(watched->objectName()).arg(key->key()).arg(key->text());
        } else if (event->type() == QEvent::MouseButtonPress) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            received
                << u"%1 press %2,%3"_s.arg(watched->objectName()).arg(mouse->position().x()).arg(mouse->position().y());
        }
        return false;
    }

    std::unique_ptr<QDialog> window;
    QCheckBox* box = nullptr;
};

int visibleWindows()
{
    int count = 0;
    for (const QWidget* window : QApplication::topLevelWidgets())
        count += window->isVisible() && window->windowType() != Qt::ToolTip ? 1 : 0;
    return count;
}

}  // namespace

class RandomInputEngineTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { QCOMPARE(visibleWindows(), 0); }

    void aSeedRepeatsItsInput()
    {
        QStringList runs[3];
        const quint64 seeds[] = {7, 7, 8};
        for (int i = 0; i < 3; ++i) {
            Sample sample;
            randominput::run(sample, {seeds[i], 400});
            runs[i] = sample.received;
        }
        QVERIFY(runs[0].size() > 200);
        QCOMPARE(runs[1], runs[0]);
        QVERIFY(runs[2] != runs[0]);
    }

    void nestedDialogsAreAnsweredAndClosedProgramsStartAgain_data()
    {
        QTest::addColumn<bool>("modalMainWindow");
        QTest::newRow("window") << false;
        QTest::newRow("modal dialog as main window") << true;
    }

    void nestedDialogsAreAnsweredAndClosedProgramsStartAgain()
    {
        QFETCH(bool, modalMainWindow);
        Sample sample;
        sample.modalMainWindow = modalMainWindow;
        const randominput::Report report = randominput::run(sample, {3, 1500});
        QVERIFY2(report.faults.isEmpty(), qPrintable(report.faults.join(u'\n')));
        QCOMPARE(report.events, 1500);
        QVERIFY(report.starts > 2);
        QVERIFY(report.modals > 10);
        QVERIFY(sample.nestedMessages > 0);
    }

    void oddTextsReachTheFocusedField()
    {
        Sample sample;
        sample.fieldOnly = true;
        randominput::run(sample, {11, 1000});
        const auto seen = [&sample](const std::function<bool(const QString&)>& property) {
            return std::any_of(sample.texts.cbegin(), sample.texts.cend(), property);
        };
        QVERIFY(seen([](const QString& text) { return text.size() >= 300; }));
        QVERIFY(seen([](const QString& text) { return text.contains(u'\u041A'); }));
        QVERIFY(seen([](const QString& text) { return text.contains(u"\U0001F600"_s); }));
        QVERIFY(seen([](const QString& text) { return text.contains(u"2147483648"_s); }));
        QVERIFY(seen([](const QString& text) { return text.contains(u'\\'); }));
    }

    void aFaultEndsTheRunWithTheEventsBeforeIt()
    {
        Sample sample;
        sample.faultWhenTicked = true;
        const randominput::Report report = randominput::run(sample, {5, 3000});
        QVERIFY(report.events < 3000);
        QCOMPARE(report.faults.value(0), u"the box is ticked"_s);
        QCOMPARE(report.faults.value(1), u"The events before, the last one last:"_s);
        QVERIFY(report.faults.size() > 3);
    }

    void settingsComeFromTheEnvironment()
    {
        qputenv("RANDOM_INPUT_SEED", "1234");
        qputenv("RANDOM_INPUT_EVENTS", "not a number");
        const randominput::Settings settings = randominput::settingsFromEnvironment(1, 50);
        qunsetenv("RANDOM_INPUT_SEED");
        qunsetenv("RANDOM_INPUT_EVENTS");
        QCOMPARE(settings.seed, quint64(1234));
        QCOMPARE(settings.events, 50);
        QCOMPARE(randominput::settingsFromEnvironment(9, 10).seed, quint64(9));
    }
};

QTEST_MAIN(RandomInputEngineTest)
#include "random_input_engine_test.moc"
