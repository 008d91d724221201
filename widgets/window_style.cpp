#include "window_style.h"

#include <QApplication>
#include <QString>
#include <QStyle>

using namespace Qt::StringLiterals;

namespace quendrith {

void setUpStyle()
{
    if (QApplication::style()->name().compare(u"windows11"_s, Qt::CaseInsensitive) == 0)
        QApplication::setStyle(u"windowsvista"_s);
}

}  // namespace quendrith
