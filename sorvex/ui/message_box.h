// sorvex's message boxes: an "OK" box owned by a dialog, titled with the program's name.
#pragma once

#include "messages.h"

namespace sorvex {

// The seam that tests answer, under the names sorvex's code has for it.
using quendrith::setMessageResponder;
using quendrith::ShownMessage;

// The program's name: the executable's file name without its extension.
QString executableName();

void showMessage(QWidget* owner, QMessageBox::Icon icon, const QString& text);

}  // namespace sorvex
