// The program's dialog templates and the control IDs its code addresses.
#pragma once

#include "template_dialog.h"

#include <QIcon>

namespace sorvex {

inline constexpr int idOk = 1;
inline constexpr int idCancel = 2;

namespace converter {
inline constexpr int exitButton = 5;
inline constexpr int calculateButton = 6;
inline constexpr int spellP0Edit = 1008;
inline constexpr int oneSpellRadio = 1009;
inline constexpr int currentIntelEdit = 1010;
inline constexpr int player1Button = 1014;
inline constexpr int player2Button = 1015;
inline constexpr int player3Button = 1016;
inline constexpr int setPlayerNamesButton = 1017;
inline constexpr int nameBox = 1018;
inline constexpr int spellP1Edit = 1063;
inline constexpr int spellP2Edit = 1064;
inline constexpr int twoSpellsRadio = 1065;
inline constexpr int threeSpellsRadio = 1066;
inline constexpr int marker1 = 1071;
inline constexpr int marker2 = 1072;
inline constexpr int marker3 = 1073;
inline constexpr int clearEntryButton = 1083;

// Per school in store order (Kraanan, Shalille, Faren, WeaponCraft, Riija, Qor, Jala).
inline constexpr int firstRadio[] = {1000, 1021, 1028, 1035, 1042, 1049, 1056};
inline constexpr int resultBox[] = {1074, 1075, 1076, 1077, 1080, 1079, 1078};
inline constexpr int resultField[] = {1012, 1068, 1067, 1020, 1013, 1069, 1070};
}  // namespace converter

namespace names {
inline constexpr int name1Edit = 1015;
inline constexpr int name2Edit = 1016;
inline constexpr int name3Edit = 1017;
}  // namespace names

inline constexpr int aboutCommand = 0x0010;
inline constexpr const char16_t* aboutItemText = u"&About Sorvex...";  // string 101

extern const DialogTemplate converterDialogTemplate;       // 102
extern const DialogTemplate characterNamesDialogTemplate;  // 129
extern const DialogTemplate confirmClearDialogTemplate;    // 132
extern const DialogTemplate aboutDialogTemplate;           // 100

// Icon 128.
QIcon applicationIcon();

}  // namespace sorvex
