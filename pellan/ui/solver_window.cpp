#include "solver_window.h"

#include "accessible_interfaces.h"
#include "always_on_top.h"
#include "enter_presses_button.h"
#include "push_button.h"
#include "screen_pictures.h"
#include "whole_box_buttons.h"
#include "window_fonts.h"
#include "window_frame.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace pellan {
namespace {

constexpr int clientWidth = 353;
constexpr int clientHeight = 408;

// The classic desktop scheme's inactive caption text colour (silver).
const QColor clientBackground(0xC0, 0xC0, 0xC0);

// Laid out by each glyph's own advance: where the font engine rounds advances to whole pixels, these captions
// would grow past their labels and lose their last strokes.
QFont captionFont(int pixels)
{
    QFont font = quendrith::pixelFont(u"MS Sans Serif"_s, pixels);
    font.setHintingPreference(QFont::PreferVerticalHinting);
    return font;
}

QLabel* makeLightLabel(QWidget* parent, int light, const QRect& geometry)
{
    auto* label = new QLabel(u"Light %1"_s.arg(light), parent);
    label->setObjectName(u"Light%1Label"_s.arg(light));
    label->setFont(captionFont(13));
    QPalette red = label->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    label->setPalette(red);
    label->setGeometry(geometry);
    return label;
}

QCheckBox* makeLightBox(QWidget* parent, int light, const QRect& geometry)
{
    auto* box = new quendrith::CheckBox(parent);
    box->setObjectName(u"Light%1Box"_s.arg(light));
    box->setAccessibleName(u"Light %1"_s.arg(light));
    box->setGeometry(geometry);
    return box;
}

QLineEdit* makeReadOnlyBox(QWidget* parent, const QString& name, const QString& accessible, const QString& text,
                           const QRect& geometry)
{
    auto* edit = new QLineEdit(text, parent);
    edit->setReadOnly(true);
    edit->setObjectName(name);
    edit->setAccessibleName(accessible);
    edit->setFocusPolicy(Qt::NoFocus);
    edit->setGeometry(geometry);
    return edit;
}

QAction* addNamedAction(QMenu* menu, const QString& name, const QString& text)
{
    QAction* action = menu->addAction(text);
    action->setObjectName(name);
    return action;
}

}  // namespace

SolverWindow::SolverWindow(QWidget* parent) : QMainWindow(parent)
{
    quendrith::installAccessibleInterfaces();
    setObjectName(u"PellanForm"_s);
    setWindowTitle(u"Brannoc's Pellan 95 - By Ellis Marrow"_s);
    setFont(quendrith::pixelFont(u"MS Sans Serif"_s, 11));

    auto* client = new QWidget(this);
    client->setObjectName(u"client"_s);
    client->setAutoFillBackground(true);
    QPalette background = client->palette();
    background.setColor(QPalette::Window, clientBackground);
    client->setPalette(background);
    client->setFixedSize(clientWidth, clientHeight);
    setCentralWidget(client);

    // Made in stacking order, bottom first: the frames and pictures lie under the controls.
    createPictureAndLabels(client);
    createControls(client);
    createMenus();
    onTop = new quendrith::AlwaysOnTop(*this);
    for (int i = 1; i < Solver::lightCount; ++i)
        setTabOrder(lightBoxes[i - 1], lightBoxes[i]);
    setTabOrder(lightBoxes[Solver::lightCount - 1], mapButton);
    setTabOrder(mapButton, exitButton);
    connectControls();

    // The client area excludes the menu bar above it.
    setupFixedWindow(*this, QRect(180, 59, clientWidth, clientHeight + menuBar()->sizeHint().height()));
    quendrith::enterPressesFocusedButton(this);
}

void SolverWindow::createPictureAndLabels(QWidget* client)
{
    lightsBevel = makeBevel(client, "Bevel1", QRect(8, 0, 337, 313));
    solutionBevel = makeBevel(client, "Bevel2", QRect(8, 320, 337, 49));

    const QRect labelPlaces[] = {QRect(16, 152, 38, 16), QRect(168, 288, 49, 16), QRect(296, 152, 41, 16),
                                 QRect(248, 8, 49, 16), QRect(64, 8, 49, 16)};
    for (int i = 0; i < Solver::lightCount; ++i)
        lightLabels[i] = makeLightLabel(client, i + 1, labelPlaces[i]);

    solutionLabel = new QLabel(u"The Solution is:"_s, client);
    solutionLabel->setObjectName(u"Label1"_s);
    solutionLabel->setFont(captionFont(19));
    solutionLabel->setGeometry(24, 328, 130, 24);

    // Drawn from its top-left corner at its own size, clipped to the control.
    starPicture = new QLabel(client);
    starPicture->setObjectName(u"Image1"_s);
    starPicture->setAccessibleName(u"Star of the five lights"_s);
    starPicture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    quendrith::showPicture(*starPicture,
                           {u":/assets/star.bmp"_s, u":/assets/star@2x.png"_s, u":/assets/star@3x.png"_s});
    starPicture->setGeometry(64, 48, 225, 217);
}

void SolverWindow::createControls(QWidget* client)
{
    const QRect boxPlaces[] = {QRect(48, 176, 17, 17), QRect(168, 264, 17, 17), QRect(296, 176, 17, 17),
                               QRect(248, 32, 17, 17), QRect(96, 32, 17, 17)};
    for (int i = 0; i < Solver::lightCount; ++i)
        lightBoxes[i] = makeLightBox(client, i + 1, boxPlaces[i]);

    const QRect statusPlaces[] = {QRect(16, 176, 25, 21), QRect(184, 264, 25, 21), QRect(312, 176, 25, 21),
                                  QRect(264, 32, 25, 21), QRect(64, 32, 25, 21)};
    for (int i = 0; i < Solver::lightCount; ++i) {
        statusEdits[i] = makeReadOnlyBox(client, u"Light%1Status"_s.arg(i + 1), u"Light %1 status"_s.arg(i + 1),
                                         u"Off"_s, statusPlaces[i]);
    }

    solutionEdit = makeReadOnlyBox(client, u"OutputText"_s, u"Solution"_s, QString::fromLatin1(noneLitAnswer),
                                   QRect(160, 328, 169, 28));
    solutionEdit->setFont(quendrith::pixelFont(u"MS Sans Serif"_s, 16));

    mapButton = quendrith::makePushButton(client, u"MapButton"_s, u"View Underworld Map"_s, QRect(16, 376, 225, 25));
    mapButton->setToolTip(u"Click here to see a map of the Underworld"_s);
    exitButton = quendrith::makePushButton(client, u"ExitButton"_s, u"Exit"_s, QRect(264, 376, 75, 25));
}

void SolverWindow::createMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(u"MainMenu1"_s);
    fileMenu = bar->addMenu(u"&File"_s);
    fileMenu->setObjectName(u"File1"_s);
    mapAction = addNamedAction(fileMenu, u"ViewUnderworldMap1"_s, u"&View Underworld Map"_s);
    exitAction = addNamedAction(fileMenu, u"Exit1"_s, u"E&xit"_s);
    helpMenu = bar->addMenu(u"&Help"_s);
    helpMenu->setObjectName(u"Help1"_s);
    helpAction = addNamedAction(helpMenu, u"Help2"_s, u"&Help"_s);
    aboutAction = addNamedAction(helpMenu, u"About1"_s, u"&About Pellan 95"_s);
}

void SolverWindow::connectControls()
{
    // toggled, not clicked: the space bar and the mouse both change the state.
    for (int i = 0; i < Solver::lightCount; ++i)
        connect(lightBoxes[i], &QCheckBox::toggled, this, [this, i] { lightToggled(i); });
    connect(mapButton, &QPushButton::clicked, this, &SolverWindow::mapRequested);
    connect(exitButton, &QPushButton::clicked, this, &SolverWindow::close);
    connect(mapAction, &QAction::triggered, this, &SolverWindow::mapRequested);
    connect(exitAction, &QAction::triggered, this, &SolverWindow::close);
    connect(helpAction, &QAction::triggered, this, &SolverWindow::helpRequested);
    connect(aboutAction, &QAction::triggered, this, &SolverWindow::aboutRequested);
}

void SolverWindow::closeEvent(QCloseEvent* event)
{
    Q_EMIT closing();
    event->accept();
}

#ifdef Q_OS_WIN
bool SolverWindow::nativeEvent(const QByteArray& eventType, void* message, qintptr* result)
{
    return onTop->handleSystemCommand(eventType, message, result)
        || QMainWindow::nativeEvent(eventType, message, result);
}
#else
// The window manager owns the system menu here, so the item lives in the client area's menu.
void SolverWindow::contextMenuEvent(QContextMenuEvent* event)
{
    onTop->contextMenu()->popup(event->globalPos());
}
#endif

bool SolverWindow::checked(int index) const
{
    return lightBoxes[index]->isChecked();
}

void SolverWindow::setAnswerText(const std::string& text)
{
    solutionEdit->setText(QString::fromStdString(text));
}

void SolverWindow::lightToggled(int index)
{
    statusEdits[index]->setText(lightBoxes[index]->isChecked() ? u"On"_s : u"Off"_s);
    lightsSolver.readLights();
}

}  // namespace pellan
