#include "message_box.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace sorvex {

QString executableName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

void showMessage(QWidget* owner, QMessageBox::Icon icon, const QString& text)
{
    quendrith::showMessage(owner, icon, executableName(), text);
}

}  // namespace sorvex
