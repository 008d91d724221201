// The IDs of the program's resources, dialogs and controls, in one list for the resource script, the dialog
// layouts, the code that addresses the controls and the tests.
#pragma once

// The resource script reads only these two.
#define IDR_MAINFRAME 128  // the program's icon
#define IDS_ABOUTBOX 101  // the text of the About item in the system menu

#ifndef RC_INVOKED

namespace sorvex {

inline constexpr int idOk = 1;
inline constexpr int idCancel = 2;

// The About item's command in the system menu.
inline constexpr int aboutCommand = 0x0010;

namespace dialogs {
inline constexpr int about = 100;
inline constexpr int converter = 102;
inline constexpr int characterNames = 129;
inline constexpr int confirmClear = 132;
}  // namespace dialogs

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
inline constexpr int selectionMarker1 = 1071;
inline constexpr int selectionMarker2 = 1072;
inline constexpr int selectionMarker3 = 1073;
inline constexpr int clearEntryButton = 1083;

// Per school in store order (Kraanan, Shalille, Faren, WeaponCraft, Riija, Qor, Jala). A school's radio
// buttons follow its first one, level by level.
inline constexpr int firstRadio[] = {1000, 1021, 1028, 1035, 1042, 1049, 1056};
inline constexpr int resultBox[] = {1074, 1075, 1076, 1077, 1080, 1079, 1078};
inline constexpr int resultField[] = {1012, 1068, 1067, 1020, 1013, 1069, 1070};
}  // namespace converter

namespace names {
inline constexpr int name1Edit = 1015;
inline constexpr int name2Edit = 1016;
inline constexpr int name3Edit = 1017;
}  // namespace names

}  // namespace sorvex

#endif
