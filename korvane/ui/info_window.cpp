#include "info_window.h"

#include "accessibility.h"
#include "fonts.h"
#include "twips.h"

#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

namespace korvane {

InfoWindow::InfoWindow(QWidget* parent)
    : QWidget(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                  | Qt::MSWindowsFixedSizeDialogHint)
{
    installAccessibleInterfaces();
    setObjectName(QStringLiteral("Form2"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Info..."));
    setWindowIcon(QIcon(QStringLiteral(":/assets/form2.ico")));
    setFont(windowFont());
    setFixedSize(px(3525), px(1050));

    struct Text {
        const char* name;
        QString caption;
        QRect geometry;
    };
    const Text texts[] = {
        {"Label1", QStringLiteral("You can reach me online at almost any time..."), twips(105, 75, 3420, 285)},
        {"Label2", QStringLiteral("Wendlecap   - -       MSN"), twips(150, 330, 2040, 225)},
        {"Label3", QStringLiteral("Wendlecap    - - -     AIM"), twips(120, 540, 2310, 315)},
        {"Label4", QStringLiteral("wendlecap@example.org"), twips(120, 780, 2655, 285)},
    };
    for (const auto& text : texts) {
        auto* label = new QLabel(text.caption, this);
        label->setObjectName(QString::fromLatin1(text.name));
        label->setGeometry(text.geometry);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }

    // Transparent cover that takes the clicks, all but a strip along the right edge.
    clickCover = new QLabel(this);
    clickCover->setObjectName(QStringLiteral("Label7"));
    clickCover->setAccessibleName(QStringLiteral("Hide this window"));
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
