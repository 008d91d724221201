// The small dialogs by object name, for the tests that go through every dialog.
#pragma once

#include "about_dialog.h"
#include "character_names_dialog.h"
#include "confirm_clear_dialog.h"

#include <QString>

#include <memory>

namespace sorvex::testing_support {

// The small dialog of that object name over `owner`, as the main dialog makes it; null for any other name.
inline std::unique_ptr<TemplateDialog> makeSmallDialog(const QString& name, QWidget* owner)
{
    using namespace Qt::StringLiterals;
    if (name == u"CharacterNamesDialog"_s)
        return std::make_unique<CharacterNamesDialog>(owner);
    if (name == u"ConfirmClearDialog"_s)
        return std::make_unique<ConfirmClearDialog>(owner);
    if (name == u"AboutDialog"_s)
        return std::make_unique<AboutDialog>(owner);
    return nullptr;
}

}  // namespace sorvex::testing_support
