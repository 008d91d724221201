// The program's message boxes: an "OK" box owned by a dialog, titled with the program's name.
#pragma once

#include <QMessageBox>
#include <QPointer>
#include <QString>

#include <functional>

namespace sorvex {

// The executable's file name without its extension.
QString executableName();

struct ShownMessage {
    QPointer<QWidget> owner;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
};

// Installed by tests: receives every message instead of a real box.
using MessageResponder = std::function<void(const ShownMessage&)>;
void setMessageResponder(MessageResponder responder);  // an empty one restores real boxes

void showMessage(QWidget* owner, QMessageBox::Icon icon, const QString& text);

}  // namespace sorvex
