// "Really?": asks before "Clear Entry" empties the selected character.
#pragma once

#include "template_dialog.h"

namespace sorvex {

class ConfirmClearDialog : public TemplateDialog {
    Q_OBJECT
public:
    explicit ConfirmClearDialog(QWidget* owner);
};

}  // namespace sorvex
