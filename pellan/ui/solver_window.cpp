#include "solver_window.h"

#include "about_window.h"
#include "accessibility.h"
#include "fonts.h"
#include "help_window.h"
#include "map_window.h"
#include "window_frame.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

constexpr int kClientWidth = 353;
constexpr int kClientHeight = 408;

// The classic desktop scheme's inactive caption text colour (silver).
const QColor kBackground(0xC0, 0xC0, 0xC0);

QLabel* makeLightLabel(QWidget* parent, int light, const QRect& geometry)
{
    auto* label = new QLabel(u"Light %1"_s.arg(light), parent);
    label->setObjectName(u"Light%1Label"_s.arg(light));
    label->setFont(pellan::pixelFont(u"MS Sans Serif"_s, 13));
    QPalette red = label->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    label->setPalette(red);
    label->setGeometry(geometry);
    return label;
}

QCheckBox* makeLightBox(QWidget* parent, int light, const QRect& geometry)
{
    auto* box = new QCheckBox(parent);
    box->setObjectName(u"Light%1Box"_s.arg(light));
    box->setAccessibleName(u"Light %1"_s.arg(light));
    box->setGeometry(geometry);
    return box;
}

QLineEdit* makeReadOnlyBox(QWidget* parent, const QString& name, const QString& accessible,
    const QString& text, const QRect& geometry)
{
    auto* edit = new QLineEdit(text, parent);
    edit->setReadOnly(true);
    edit->setObjectName(name);
    edit->setAccessibleName(accessible);
    edit->setFocusPolicy(Qt::NoFocus);
    edit->setGeometry(geometry);
    return edit;
}

} // namespace

TPellanForm::TPellanForm(QWidget* parent)
    : QMainWindow(parent)
{
    pellan::installAccessibleInterfaces();
    setObjectName(u"PellanForm"_s);
    setWindowTitle(u"Brannoc's Pellan 95 - By Ellis Marrow"_s);
    setFont(pellan::pixelFont(u"MS Sans Serif"_s, 11));

    auto* client = new QWidget(this);
    client->setObjectName(u"client"_s);
    client->setAutoFillBackground(true);
    QPalette background = client->palette();
    background.setColor(QPalette::Window, kBackground);
    client->setPalette(background);
    client->setFixedSize(kClientWidth, kClientHeight);
    setCentralWidget(client);

    Bevel1 = pellan::makeBevel(client, "Bevel1", QRect(8, 0, 337, 313));
    Bevel2 = pellan::makeBevel(client, "Bevel2", QRect(8, 320, 337, 49));

    Light1Label = makeLightLabel(client, 1, QRect(16, 152, 38, 16));
    Light2Label = makeLightLabel(client, 2, QRect(168, 288, 49, 16));
    Light3Label = makeLightLabel(client, 3, QRect(296, 152, 41, 16));
    Light4Label = makeLightLabel(client, 4, QRect(248, 8, 49, 16));
    Light5Label = makeLightLabel(client, 5, QRect(64, 8, 49, 16));

    Label1 = new QLabel(u"The Solution is:"_s, client);
    Label1->setObjectName(u"Label1"_s);
    Label1->setFont(pellan::pixelFont(u"MS Sans Serif"_s, 19));
    Label1->setGeometry(24, 328, 130, 24);

    // Drawn from its top-left corner at its own size, clipped to the control.
    Image1 = new QLabel(client);
    Image1->setObjectName(u"Image1"_s);
    Image1->setAccessibleName(u"Star of the five lights"_s);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1->setPixmap(QPixmap(u":/assets/star.bmp"_s));
    Image1->setGeometry(64, 48, 225, 217);

    Light1Box = makeLightBox(client, 1, QRect(48, 176, 17, 17));
    Light2Box = makeLightBox(client, 2, QRect(168, 264, 17, 17));
    Light3Box = makeLightBox(client, 3, QRect(296, 176, 17, 17));
    Light4Box = makeLightBox(client, 4, QRect(248, 32, 17, 17));
    Light5Box = makeLightBox(client, 5, QRect(96, 32, 17, 17));

    const QRect statusPlaces[] = {QRect(16, 176, 25, 21), QRect(184, 264, 25, 21),
        QRect(312, 176, 25, 21), QRect(264, 32, 25, 21), QRect(64, 32, 25, 21)};
    for (int i = 0; i < pellan::Solver::kLights; ++i) {
        statuses_[i] = makeReadOnlyBox(client, u"Light%1Status"_s.arg(i + 1),
            u"Light %1 status"_s.arg(i + 1), u"Off"_s, statusPlaces[i]);
    }
    Light1Status = statuses_[0];
    Light2Status = statuses_[1];
    Light3Status = statuses_[2];
    Light4Status = statuses_[3];
    Light5Status = statuses_[4];

    OutputText = makeReadOnlyBox(client, u"OutputText"_s, u"Solution"_s,
        QString::fromLatin1(pellan::kNoneLitAnswer), QRect(160, 328, 169, 28));
    OutputText->setFont(pellan::pixelFont(u"MS Sans Serif"_s, 16));

    MapButton = new QPushButton(u"View Underworld Map"_s, client);
    MapButton->setObjectName(u"MapButton"_s);
    MapButton->setToolTip(u"Click here to see a map of the Underworld"_s);
    MapButton->setGeometry(16, 376, 225, 25);

    ExitButton = new QPushButton(u"Exit"_s, client);
    ExitButton->setObjectName(u"ExitButton"_s);
    ExitButton->setGeometry(264, 376, 75, 25);

    MainMenu1 = menuBar();
    MainMenu1->setObjectName(u"MainMenu1"_s);
    File1 = MainMenu1->addMenu(u"&File"_s);
    File1->setObjectName(u"File1"_s);
    ViewUnderworldMap1 = File1->addAction(u"&View Underworld Map"_s);
    ViewUnderworldMap1->setObjectName(u"ViewUnderworldMap1"_s);
    Exit1 = File1->addAction(u"E&xit"_s);
    Exit1->setObjectName(u"Exit1"_s);
    Help1 = MainMenu1->addMenu(u"&Help"_s);
    Help1->setObjectName(u"Help1"_s);
    Help2 = Help1->addAction(u"&Help"_s);
    Help2->setObjectName(u"Help2"_s);
    About1 = Help1->addAction(u"&About Pellan 95"_s);
    About1->setObjectName(u"About1"_s);

    boxes_[0] = Light1Box;
    boxes_[1] = Light2Box;
    boxes_[2] = Light3Box;
    boxes_[3] = Light4Box;
    boxes_[4] = Light5Box;
    setTabOrder(Light1Box, Light2Box);
    setTabOrder(Light2Box, Light3Box);
    setTabOrder(Light3Box, Light4Box);
    setTabOrder(Light4Box, Light5Box);
    setTabOrder(Light5Box, MapButton);
    setTabOrder(MapButton, ExitButton);

    // toggled, not clicked: the space bar and the mouse both change the state.
    connect(Light1Box, &QCheckBox::toggled, this, &TPellanForm::Light1BoxClick);
    connect(Light2Box, &QCheckBox::toggled, this, &TPellanForm::Light2BoxClick);
    connect(Light3Box, &QCheckBox::toggled, this, &TPellanForm::Light3BoxClick);
    connect(Light4Box, &QCheckBox::toggled, this, &TPellanForm::Light4BoxClick);
    connect(Light5Box, &QCheckBox::toggled, this, &TPellanForm::Light5BoxClick);
    connect(MapButton, &QPushButton::clicked, this, &TPellanForm::MapButtonClick);
    connect(ExitButton, &QPushButton::clicked, this, &TPellanForm::ExitButtonClick);
    connect(ViewUnderworldMap1, &QAction::triggered, this, &TPellanForm::ViewUnderworldMap1Click);
    connect(Exit1, &QAction::triggered, this, &TPellanForm::Exit1Click);
    connect(Help2, &QAction::triggered, this, &TPellanForm::Help2Click);
    connect(About1, &QAction::triggered, this, &TPellanForm::About1Click);

    // The client area excludes the menu bar above it.
    pellan::setupFixedWindow(*this,
        QRect(180, 59, kClientWidth, kClientHeight + MainMenu1->sizeHint().height()));
    pellan::enterPressesFocusedButton(this);
}

void TPellanForm::setSecondaryWindows(TForm1& about, TUnderworldMap& map, THelpWindow& help)
{
    about_ = &about;
    map_ = &map;
    help_ = &help;
}

void TPellanForm::closeEvent(QCloseEvent* event)
{
    // The main window's close ends the program, whatever else is showing.
    for (QWidget* window : {static_cast<QWidget*>(about_), static_cast<QWidget*>(map_),
             static_cast<QWidget*>(help_)}) {
        if (window != nullptr)
            window->close();
    }
    event->accept();
    QCoreApplication::quit();
}

bool TPellanForm::checked(int index) const
{
    return boxes_[index]->isChecked();
}

void TPellanForm::setOutputText(const std::string& text)
{
    OutputText->setText(QString::fromStdString(text));
}

void TPellanForm::lightChanged(int index)
{
    statuses_[index]->setText(boxes_[index]->isChecked() ? u"On"_s : u"Off"_s);
    solver_.ReadLights();
}

void TPellanForm::Light1BoxClick() { lightChanged(0); }
void TPellanForm::Light2BoxClick() { lightChanged(1); }
void TPellanForm::Light3BoxClick() { lightChanged(2); }
void TPellanForm::Light4BoxClick() { lightChanged(3); }
void TPellanForm::Light5BoxClick() { lightChanged(4); }

void TPellanForm::showWindow(QWidget* window)
{
    // Already showing: leave it where it is in the stacking order.
    if (window != nullptr && !window->isVisible())
        window->setVisible(true);
}

void TPellanForm::Exit1Click() { ExitButtonClick(); }
void TPellanForm::About1Click() { showWindow(about_); }
void TPellanForm::MapButtonClick() { showWindow(map_); }
void TPellanForm::ViewUnderworldMap1Click() { MapButtonClick(); }
void TPellanForm::Help2Click() { showWindow(help_); }
void TPellanForm::ExitButtonClick() { close(); }
