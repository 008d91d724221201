// Random clicks, keys and texts across the four windows. Throughout, each status box says whether its light box is
// ticked, the answer box holds the solver's answer for the five boxes, and no input changes a fixed text.
#include "pellan_app.h"
#include "random_input.h"
#include "solver.h"
#include "solver_window.h"
#include "window_fonts.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

#include <array>
#include <memory>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

using Lights = std::array<bool, pellan::Solver::lightCount>;

// The five boxes as given, for the solver on its own.
class GivenLights : public pellan::LightsView {
public:
    explicit GivenLights(const Lights& lit) : lights(lit) { }
    bool checked(int index) const override { return lights.at(static_cast<std::size_t>(index)); }
    void setAnswerText(const std::string& text) override { answer = QString::fromStdString(text); }

    Lights lights;
    QString answer;
};

QString solverAnswer(const Lights& lit)
{
    GivenLights view(lit);
    pellan::Solver solver(view);
    solver.readLights();
    return view.answer;
}

class Pellan : public randominput::Program {
public:
    QWidget* mainWindow() const override { return app ? &app->solverWindow() : nullptr; }

    void start() override
    {
        if (app) {
            // The solver window has closed: the program has ended, and its other windows with it.
            for (const QWidget* window : app->windows()) {
                if (window->isVisible())
                    faults << u"%1 is still showing after the solver window closed"_s.arg(window->objectName());
            }
        }
        app.reset();
        app = std::make_unique<pellan::PellanApp>();
        fixed = fixedTexts();
        app->solverWindow().show();
    }

    QStringList check() override
    {
        const pellan::SolverWindow& solver = app->solverWindow();
        Lights lit{};
        for (int light = 1; light <= pellan::Solver::lightCount; ++light) {
            const bool ticked = solver.findChild<QCheckBox*>(u"Light%1Box"_s.arg(light))->isChecked();
            lit.at(static_cast<std::size_t>(light - 1)) = ticked;
            const QString status = solver.findChild<QLineEdit*>(u"Light%1Status"_s.arg(light))->text();
            if (status != (ticked ? u"On"_s : u"Off"_s)) {
                faults << u"Light%1Status says \"%2\" while its box is %3"_s.arg(light).arg(
                    status, ticked ? u"ticked"_s : u"not ticked"_s);
            }
        }
        const QString answer = solver.findChild<QLineEdit*>(u"OutputText"_s)->text();
        if (const QString expected = solverAnswer(lit); answer != expected)
            faults << u"OutputText shows \"%1\" where the solver gives \"%2\""_s.arg(answer, expected);
        if (const QStringList now = fixedTexts(); now != fixed) {
            for (qsizetype i = 0; i < now.size() && i < fixed.size(); ++i) {
                if (now.at(i) != fixed.at(i))
                    faults << u"a fixed text changed from \"%1\" to \"%2\""_s.arg(fixed.at(i), now.at(i));
            }
        }
        return std::exchange(faults, {});
    }

private:
    // Titles, captions, menu items and the help and About texts: everything that no input may change.
    QStringList fixedTexts() const
    {
        QStringList texts;
        for (const QWidget* window : app->windows()) {
            texts << window->windowTitle();
            for (const QLabel* label : window->findChildren<QLabel*>())
                texts << label->text();
            for (const QAbstractButton* button : window->findChildren<QAbstractButton*>())
                texts << button->text();
            for (const QPlainTextEdit* edit : window->findChildren<QPlainTextEdit*>())
                texts << edit->toPlainText();
            for (const QTextEdit* edit : window->findChildren<QTextEdit*>())
                texts << edit->toPlainText();
            for (const QMenuBar* bar : window->findChildren<QMenuBar*>()) {
                for (const QAction* menu : bar->actions()) {
                    texts << menu->text();
                    for (const QAction* item : menu->menu()->actions())
                        texts << item->text();
                }
            }
        }
        return texts;
    }

    std::unique_ptr<pellan::PellanApp> app;
    QStringList fixed;
    QStringList faults;
};

}  // namespace

class PellanRandomInputTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { quendrith::setUpFonts(); }

    void windowsStayConsistent()
    {
        Pellan program;
        const randominput::Report report = randominput::runFromEnvironment(program);
        QVERIFY2(report.faults.isEmpty(), qPrintable(report.faults.join(u'\n')));
        QVERIFY(report.starts >= 1);
    }
};

QTEST_MAIN(PellanRandomInputTest)
#include "random_input_test.moc"
