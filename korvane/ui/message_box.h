// The one way korvane shows a message box, so that tests can answer every message in advance.
#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

namespace korvane {

struct ShownMessage {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
};

// Installed by tests: receives every message instead of a real box and gives the button pressed.
using MessageResponder = std::function<QMessageBox::StandardButton(const ShownMessage&)>;
void setMessageResponder(MessageResponder responder);  // an empty one restores real boxes
QMessageBox::StandardButton showMessage(QWidget* parent, const ShownMessage& message);

}  // namespace korvane
