// The program's dialogs as templates: their controls, places and styles.
#pragma once

#include "control_ids.h"
#include "template_dialog.h"

#include <QIcon>

namespace sorvex {

// The resource script's IDS_ABOUTBOX holds the same text for Windows.
inline constexpr const char16_t* aboutItemText = u"&About Sorvex...";

extern const DialogTemplate converterDialogTemplate;
extern const DialogTemplate characterNamesDialogTemplate;
extern const DialogTemplate confirmClearDialogTemplate;
extern const DialogTemplate aboutDialogTemplate;

// The icon of IDR_MAINFRAME.
QIcon applicationIcon();

}  // namespace sorvex
