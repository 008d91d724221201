// "Really?": asks before "Clear Entry" empties the selected character.
#pragma once

#include "dialog_template.h"

namespace sorvex {

class ConfirmClearDialog : public TemplateDialog {
    Q_OBJECT
public:
    explicit ConfirmClearDialog(QWidget* owner);
};

}  // namespace sorvex
