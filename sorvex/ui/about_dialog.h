// "About Sorvex": the program's name and version.
#pragma once

#include "template_dialog.h"

namespace sorvex {

class AboutDialog : public TemplateDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* owner);
};

}  // namespace sorvex
