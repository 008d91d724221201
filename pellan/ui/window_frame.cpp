#include "window_frame.h"

#include "accessible_interfaces.h"
#include "enter_presses_button.h"
#include "fixed_window.h"
#include "push_button.h"
#include "screen_pictures.h"

#include <QPushButton>

using namespace Qt::StringLiterals;

namespace pellan {

void setupFixedWindow(QWidget& window, const QRect& screenGeometry)
{
    quendrith::setUpFixedWindow(window,
                                Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                                    | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint,
                                screenGeometry.size());
    window.setWindowIcon(quendrith::sharedIcon(u":/assets/pellan.ico"_s));
    window.move(screenGeometry.topLeft());
}

void setupSecondaryWindow(QWidget& window, const QString& name, const QString& title, const QRect& screenGeometry)
{
    quendrith::announceAsWindow(window);
    window.setObjectName(name);
    window.setWindowTitle(title);
    setupFixedWindow(window, screenGeometry);
}

QFrame* makeBevel(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* bevel = new QFrame(parent);
    bevel->setObjectName(QString::fromLatin1(name));
    bevel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bevel->setLineWidth(1);
    bevel->setGeometry(geometry);
    return bevel;
}

QPushButton* makeDoneButton(QWidget& window, const QString& name, const QRect& geometry)
{
    QPushButton* button = quendrith::makePushButton(&window, name, u"Done"_s, geometry);
    QObject::connect(button, &QPushButton::clicked, &window, &QWidget::close);
    quendrith::enterPressesFocusedButton(&window);
    return button;
}

}  // namespace pellan
