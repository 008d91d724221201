#include "character_names_dialog.h"

#include "dialog_layouts.h"

#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace sorvex {

namespace {

constexpr int nameFields[] = {names::name1Edit, names::name2Edit, names::name3Edit};

}  // namespace

CharacterNamesDialog::CharacterNamesDialog(QWidget* owner) : TemplateDialog(characterNamesDialogTemplate, owner)
{
    setObjectName(u"CharacterNamesDialog"_s);
    connect(control<QPushButton>(idOk), &QPushButton::clicked, this, &CharacterNamesDialog::accept);
    connect(control<QPushButton>(idCancel), &QPushButton::clicked, this, &CharacterNamesDialog::reject);
}

void CharacterNamesDialog::initDialog()
{
    for (std::size_t i = 0; i < editedNames.size(); ++i)
        control<QLineEdit>(nameFields[i])->setText(editedNames[i]);
}

void CharacterNamesDialog::accept()
{
    for (std::size_t i = 0; i < editedNames.size(); ++i)
        editedNames[i] = control<QLineEdit>(nameFields[i])->text();
    TemplateDialog::accept();
}

}  // namespace sorvex
