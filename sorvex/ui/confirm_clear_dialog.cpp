#include "confirm_clear_dialog.h"

#include "dialog_layouts.h"

#include <QPushButton>

using namespace Qt::StringLiterals;

namespace sorvex {

ConfirmClearDialog::ConfirmClearDialog(QWidget* owner) : TemplateDialog(confirmClearDialogTemplate, owner)
{
    setObjectName(u"ConfirmClearDialog"_s);
    connect(control<QPushButton>(idOk), &QPushButton::clicked, this, &ConfirmClearDialog::accept);
    connect(control<QPushButton>(idCancel), &QPushButton::clicked, this, &ConfirmClearDialog::reject);
}

}  // namespace sorvex
