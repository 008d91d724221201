// A top-level window that keeps the size it is laid out at.
#pragma once

#include <Qt>

class QSize;
class QWidget;

namespace quendrith {

// Gives `window` the title bar of `flags`, the window font and the fixed `size`.
void setUpFixedWindow(QWidget& window, Qt::WindowFlags flags, const QSize& size);

}  // namespace quendrith
