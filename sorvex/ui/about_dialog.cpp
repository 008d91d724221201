#include "about_dialog.h"

#include "dialog_layouts.h"
#include "screen_pictures.h"

#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace sorvex {

AboutDialog::AboutDialog(QWidget* owner) : TemplateDialog(aboutDialogTemplate, owner)
{
    setObjectName(u"AboutDialog"_s);
    // An icon control takes the size of its icon, whatever the template gives.
    constexpr int iconSize = 32;
    auto* icon = findChild<QLabel*>(u"icon"_s);
    quendrith::showIcon(*icon, applicationIcon(), QSize(iconSize, iconSize));
    icon->resize(iconSize, iconSize);
    connect(control<QPushButton>(idOk), &QPushButton::clicked, this, &AboutDialog::accept);
}

}  // namespace sorvex
