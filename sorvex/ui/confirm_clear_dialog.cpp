#include "confirm_clear_dialog.h"

#include "dialog_layouts.h"

#include <QPushButton>

namespace sorvex {

ConfirmClearDialog::ConfirmClearDialog(QWidget* owner) : TemplateDialog(confirmClearDialogTemplate, owner)
{
    setObjectName(QStringLiteral("ConfirmClearDialog"));
    connect(control<QPushButton>(idOk), &QPushButton::clicked, this, &ConfirmClearDialog::accept);
    connect(control<QPushButton>(idCancel), &QPushButton::clicked, this, &ConfirmClearDialog::reject);
}

}  // namespace sorvex
