#include "messages.h"

#include <utility>

namespace quendrith {
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

void showMessage(QWidget* owner, QMessageBox::Icon icon, const QString& title, const QString& text)
{
    if (const MessageResponder answer = responder()) {
        answer({owner, icon, title, text});
        return;
    }
    QMessageBox box(icon, title, text, QMessageBox::Ok, owner);
    box.exec();
}

}  // namespace quendrith
