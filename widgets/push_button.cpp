#include "push_button.h"

#include <QPushButton>

namespace quendrith {

QPushButton* makePushButton(QWidget* parent, const QString& name, const QString& caption, const QRect& geometry)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    return button;
}

}  // namespace quendrith
