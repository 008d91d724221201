#include "message_box.h"

#include <utility>

namespace korvane {
namespace {

MessageResponder& responder()
{
    static MessageResponder installed;
    return installed;
}

}  // namespace

void setMessageResponder(MessageResponder installed)
{
    responder() = std::move(installed);
}

QMessageBox::StandardButton showMessage(QWidget* parent, const ShownMessage& message)
{
    if (responder()) {
        return responder()(message);
    }
    QMessageBox box(message.icon, message.title, message.text, QMessageBox::Ok, parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

}  // namespace korvane
