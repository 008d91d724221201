// Random clicks, keys and texts on the calculator and its info window. Each time the answer is worked out (a level
// or spell count option, "enter", Enter in a box), the total, the title and the verdict must be what the improves
// calculation gives for what the controls hold, or, where a box cannot be read or the figures overflow, stay as
// they were with one message saying so; between those times they must not change at all.
#include "calculator_window.h"
#include "random_input.h"
#include "recalculate.h"
#include "window_fonts.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <memory>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

// The three outputs, as shown.
struct Outputs {
    QString total;
    QString title;
    QString verdict;

    bool operator==(const Outputs&) const = default;
    QString toString() const { return u"%1 / \"%2\" / %3"_s.arg(total, title, verdict); }
};

// A copy of what the calculator's controls hold, for the calculation on its own.
class Copied : public korvane::CalculatorView {
public:
    std::string intellect;
    std::array<std::string, 3> percents;
    std::string school;
    Outputs written;

    std::string intellectText() const override { return intellect; }
    void setIntellectText(std::string_view text) override { intellect = std::string(text); }
    std::string percentText(int box) const override { return percents.at(static_cast<std::size_t>(box - 1)); }
    std::string schoolName() const override { return school; }
    void setTotal(std::string_view text) override { written.total = QString::fromStdString(std::string(text)); }
    void setCaption(std::string_view text) override { written.title = QString::fromStdString(std::string(text)); }
    void setVerdict(std::string_view text) override { written.verdict = QString::fromStdString(std::string(text)); }
};

// The option arrays of the schools, in the calculation's school order.
const QString optionArrays[] = {u"Kraanan"_s, u"Shally"_s, u"Faren"_s, u"WC"_s, u"Riija"_s, u"Qor"_s, u"Jala"_s};

class Korvane : public QObject, public randominput::Program {
public:
    Korvane() { qApp->installEventFilter(this); }

    QWidget* mainWindow() const override { return window.get(); }

    void start() override
    {
        if (window && window->info() != nullptr && window->info()->isVisible())
            faults << u"the info window is still showing after the calculator closed"_s;
        window.reset();
        messagesSeen = messages;
        window = std::make_unique<korvane::CalculatorWindow>();
        for (QRadioButton* option : window->findChildren<QRadioButton*>())
            connect(option, &QRadioButton::clicked, this, [this, option] { workedOut(option->objectName()); });
        connect(child<QPushButton>(u"Command1"_s), &QPushButton::clicked, this, [this] { workedOut(u"enter"_s); });
        for (const QString& box : {u"txtInt"_s, u"Spell1"_s, u"Spell2"_s, u"Spell3"_s}) {
            connect(child<QLineEdit>(box), &QLineEdit::returnPressed, this,
                    [this, box] { workedOut(u"Enter in "_s + box); });
        }
        // The window works the start-up values out as it is made.
        shown = outputs();
        workedOut(u"the start"_s);
        window->show();
    }

    QStringList check() override
    {
        if (const Outputs now = outputs(); now != shown) {
            faults << u"the outputs changed from %1 to %2 without being worked out"_s.arg(shown.toString(),
                                                                                          now.toString());
            shown = now;
        }
        const int count = spellCount();
        for (int box = 2; box <= 3; ++box) {
            const QLineEdit* edit = child<QLineEdit>(u"Spell%1"_s.arg(box));
            if (edit->isEnabled() != (box <= count))
                faults << u"Spell%1 is %2 with %3 spells"_s.arg(box)
                              .arg(edit->isEnabled() ? u"enabled"_s : u"disabled"_s)
                              .arg(count);
            if (!edit->isEnabled() && edit->text() != u"X"_s)
                faults << u"the disabled Spell%1 shows \"%2\""_s.arg(box).arg(edit->text());
        }
        return std::exchange(faults, {});
    }

private:
    template <typename T> T* child(const QString& name) const { return window->findChild<T*>(name); }

    Outputs outputs() const
    {
        return {child<QLabel>(u"lblTotal"_s)->text(), window->windowTitle(), child<QLabel>(u"Label1"_s)->text()};
    }

    int checkedIndex(const QString& optionArray, int first, int last) const
    {
        for (int index = first; index <= last; ++index) {
            if (child<QRadioButton>(u"%1(%2)"_s.arg(optionArray).arg(index))->isChecked())
                return index;
        }
        return -1;
    }

    int spellCount() const { return checkedIndex(u"spells"_s, 1, 3); }

    // Just after the window's own handler: the outputs against the calculation for the controls as they are now.
    // The calculation may have rewritten the intellect box, which gives the same result when read again.
    void workedOut(const QString& trigger)
    {
        Copied copy;
        copy.intellect = child<QLineEdit>(u"txtInt"_s)->text().toStdString();
        for (int box = 1; box <= 3; ++box)
            copy.percents.at(static_cast<std::size_t>(box - 1))
                = child<QLineEdit>(u"Spell%1"_s.arg(box))->text().toStdString();
        copy.school = child<QComboBox>(u"Combo2"_s)->currentText().toStdString();
        korvane::SchoolLevels levels{};
        for (std::size_t school = 0; school < levels.size(); ++school)
            levels.at(school) = korvane::levelStateForOption(checkedIndex(optionArrays[school], 0, 6));
        const auto spells = static_cast<korvane::SpellCount>(spellCount());
        const auto outcome = korvane::recalculate(copy, levels, spells, QLocale().decimalPoint().toStdString());

        // Compared as UTF-8: a conversion back to QString would drop a leading byte order mark.
        if (const QLineEdit* intellect = child<QLineEdit>(u"txtInt"_s);
            intellect->text().toStdString() != copy.intellect)
            faults << u"after %1 txtInt shows \"%2\" where the calculation puts \"%3\""_s.arg(
                trigger, intellect->text(), QString::fromStdString(copy.intellect));
        const int messagesNow = std::exchange(messagesSeen, messages);
        const int newMessages = messages - messagesNow;
        const Outputs now = outputs();
        if (outcome) {
            if (now != copy.written)
                faults << u"after %1 the outputs are %2 where the calculation gives %3"_s.arg(trigger, now.toString(),
                                                                                              copy.written.toString());
            if (newMessages != 0)
                faults << u"after %1 a message came up %2 times, although the calculation succeeded"_s.arg(trigger).arg(
                    newMessages);
        } else {
            if (now != shown)
                faults << u"after %1, which cannot be worked out, the outputs changed from %2 to %3"_s.arg(
                    trigger, shown.toString(), now.toString());
            if (newMessages != 1)
                faults << u"after %1, which cannot be worked out, %2 messages came up instead of one"_s.arg(trigger)
                              .arg(newMessages);
        }
        shown = now;
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && qobject_cast<QMessageBox*>(watched) != nullptr)
            ++messages;
        return false;
    }

    std::unique_ptr<korvane::CalculatorWindow> window;
    Outputs shown;
    int messages = 0;
    int messagesSeen = 0;
    QStringList faults;
};

}  // namespace

class KorvaneRandomInputTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { quendrith::setUpFonts(); }

    void outputsAgreeWithTheCalculation()
    {
        QLocale::setDefault(QLocale::c());
        Korvane program;
        const randominput::Report report = randominput::runFromEnvironment(program);
        QVERIFY2(report.faults.isEmpty(), qPrintable(report.faults.join(u'\n')));
    }
};

QTEST_MAIN(KorvaneRandomInputTest)
#include "random_input_test.moc"
