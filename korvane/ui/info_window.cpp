#include "info_window.h"

#include "accessible_interfaces.h"
#include "fixed_window.h"
#include "screen_pictures.h"
#include "twips.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

using namespace Qt::StringLiterals;

namespace korvane {

InfoWindow::InfoWindow(QWidget* parent) : QWidget(parent)
{
    quendrith::announceAsWindow(*this);
    setObjectName(u"Form2"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    quendrith::setUpFixedWindow(*this,
                                Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                                    | Qt::MSWindowsFixedSizeDialogHint,
                                QSize(px(3525), px(1050)));
    setWindowTitle(u"Info..."_s);
    setWindowIcon(quendrith::sharedIcon(u":/assets/form2.ico"_s));

    struct Text {
        const char* name;
        QString caption;
        QRect geometry;
    };
    const Text texts[] = {
        {"Label1", u"You can reach me online at almost any time..."_s, twips(105, 75, 3420, 285)},
        {"Label2", u"Wendlecap   - -       MSN"_s, twips(150, 330, 2040, 225)},
        {"Label3", u"Wendlecap    - - -     AIM"_s, twips(120, 540, 2310, 315)},
        {"Label4", u"wendlecap@example.org"_s, twips(120, 780, 2655, 285)},
    };
    for (const auto& text : texts) {
        auto* label = new QLabel(text.caption, this);
        label->setObjectName(QString::fromLatin1(text.name));
        label->setGeometry(text.geometry);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }

    // Transparent cover that takes the clicks, all but a strip along the right edge.
    clickCover = new QLabel(this);
    clickCover->setObjectName(u"Label7"_s);
    clickCover->setAccessibleName(u"Hide this window"_s);
    clickCover->setGeometry(twips(-240, -240, 3675, 2205));
    clickCover->raise();
    clickCover->installEventFilter(this);
}

void InfoWindow::hideInfo()
{
    hide();
}

// The window has nothing to focus, so a keyboard user hides it with Escape where the mouse clicks it.
void InfoWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        hideInfo();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool InfoWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == clickCover && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && clickCover->rect().contains(mouse->position().toPoint())) {
            hideInfo();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace korvane
