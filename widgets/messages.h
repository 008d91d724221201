// The one way the programs show a message box, so that tests can answer every message in advance.
#pragma once

#include <QMessageBox>
#include <QPointer>
#include <QString>

#include <functional>

namespace quendrith {

struct ShownMessage {
    QPointer<QWidget> owner;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
};

// Installed by tests: receives every message instead of a real box.
using MessageResponder = std::function<void(const ShownMessage&)>;
void setMessageResponder(MessageResponder responder);  // an empty one restores real boxes

// A modal box with one "OK" button, over `owner`.
void showMessage(QWidget* owner, QMessageBox::Icon icon, const QString& title, const QString& text);

}  // namespace quendrith
