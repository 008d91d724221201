#include "message_box.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <utility>

namespace sorvex {

namespace {

MessageResponder& responder()
{
    static MessageResponder installed;
    return installed;
}

}  // namespace

QString executableName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

void setMessageResponder(MessageResponder installed)
{
    responder() = std::move(installed);
}

void showMessage(QWidget* owner, QMessageBox::Icon icon, const QString& text)
{
    const ShownMessage message{owner, icon, executableName(), text};
    if (responder()) {
        responder()(message);
        return;
    }
    QMessageBox box(icon, message.title, text, QMessageBox::Ok, owner);
    box.exec();
}

}  // namespace sorvex
