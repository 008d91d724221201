// "Character Names": edits the names of the three characters.
#pragma once

#include "template_dialog.h"

#include <QString>

#include <array>

namespace sorvex {

class CharacterNamesDialog : public TemplateDialog {
    Q_OBJECT
public:
    explicit CharacterNamesDialog(QWidget* owner);

    void setNames(const std::array<QString, 3>& names) { editedNames = names; }
    [[nodiscard]] const std::array<QString, 3>& names() const { return editedNames; }

    void accept() override;

protected:
    void initDialog() override;

private:
    std::array<QString, 3> editedNames;
};

}  // namespace sorvex
