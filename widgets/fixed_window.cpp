#include "fixed_window.h"

#include "window_fonts.h"

#include <QFont>
#include <QSize>
#include <QWidget>

namespace quendrith {

void setUpFixedWindow(QWidget& window, Qt::WindowFlags flags, const QSize& size)
{
    window.setWindowFlags(flags);
    window.setFont(windowFont());
    window.setFixedSize(size);
}

}  // namespace quendrith
