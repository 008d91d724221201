#include "dialog_layouts.h"

#include "character_sheet.h"
#include "screen_pictures.h"

#include <array>

using namespace Qt::StringLiterals;

namespace sorvex {

namespace {

using enum ControlKind;
using namespace converter;

constexpr unsigned resultFieldStyles = Centred | Border | AutoHScroll | ReadOnly | Group | TabStop;
constexpr unsigned percentStyles = Centred | AutoHScroll | Border | TabStop;

// A school box followed by its seven radio buttons.
#define SCHOOL(caption, boxX, boxY, firstId, x, y, firstText, firstWidth, name)                                        \
    {noId, GroupBox, caption, {boxX, boxY, 60, 102}, 0, name "Box", nullptr},                                          \
        {firstId + 0, AutoRadioButton, firstText, {x, y + 0, firstWidth, 10}, Group, nullptr, nullptr},                \
        {firstId + 1, AutoRadioButton, u"Level 1", {x, y + 10, 39, 10}, 0, nullptr, nullptr},                          \
        {firstId + 2, AutoRadioButton, u"Level 2", {x, y + 20, 39, 10}, 0, nullptr, nullptr},                          \
        {firstId + 3, AutoRadioButton, u"Level 3", {x, y + 30, 39, 10}, 0, nullptr, nullptr},                          \
        {firstId + 4, AutoRadioButton, u"Level 4", {x, y + 40, 39, 10}, 0, nullptr, nullptr},                          \
        {firstId + 5, AutoRadioButton, u"Level 5", {x, y + 50, 39, 10}, 0, nullptr, nullptr},                          \
    {                                                                                                                  \
        firstId + 6, AutoRadioButton, u"Level 6", {x, y + 60, 39, 10}, 0, nullptr, nullptr                             \
    }

// clang-format off
constexpr ControlTemplate converterControls[] = {
    {exitButton, PushButton, u"Exit", {151, 345, 50, 14}, DefaultButton | Group | TabStop, nullptr, nullptr},
    SCHOOL(u"Kraanan",      13,  59, firstRadio[Kraanan], 22,  67, u"None",  33, "kraanan"),
    SCHOOL(u"Shal'ille",    84,  59, firstRadio[Shalille], 93,  67, u"None",  33, "shalille"),
    SCHOOL(u"Faren",        154, 59, firstRadio[Faren], 164, 67, u"None",  33, "faren"),
    SCHOOL(u"Weapon Craft", 12, 162, firstRadio[WeaponCraft], 22, 171, u"None",  33, "weaponCraft"),
    SCHOOL(u"Riija",        84, 162, firstRadio[Riija], 93, 171, u"Blink", 31, "riija"),
    SCHOOL(u"Qor",         154, 162, firstRadio[Qor], 163, 171, u"None", 33, "qor"),
    SCHOOL(u"Jala",         11, 267, firstRadio[Jala], 21, 275, u"None",  33, "jala"),
    {noId, GroupBox, u"Number of Spells in My Current Level", {74, 269, 137, 48}, 0, "spellCountBox", nullptr},
    {spellP0Edit, Edit, u"", {168, 279, 28, 12}, percentStyles | Group, nullptr,
     "Percentage of the first spell or skill"},
    {spellP1Edit, Edit, u"", {168, 290, 28, 12}, percentStyles, nullptr, "Percentage of the second spell or skill"},
    {spellP2Edit, Edit, u"", {168, 303, 28, 12}, percentStyles, nullptr, "Percentage of the third spell or skill"},
    {oneSpellRadio, AutoRadioButton, u"One Spell / Skill",     {78, 280, 67, 10}, Group, nullptr, nullptr},
    {twoSpellsRadio, AutoRadioButton, u"Two Spells / Skills",   {78, 292, 74, 10}, 0, nullptr, nullptr},
    {threeSpellsRadio, AutoRadioButton, u"Three Spells / Skills", {78, 304, 79, 10}, 0, nullptr, nullptr},
    {currentIntelEdit, Edit, u"", {24, 37, 40, 14}, Centred | Border | TabStop, nullptr, "Current Intellect"},
    {noId, Static, u"Current Intellect", {20, 26, 50, 8}, Group, "currentIntellectLabel", nullptr},
    {calculateButton, PushButton, u"Calculate", {82, 345, 50, 14}, DefaultButton | Group | TabStop, nullptr, nullptr},
    {noId, GroupBox, u"", {76, 334, 63, 33}, 0, "calculateFrame", nullptr},
    {player1Button, PushButton, u"Player 1", {92, 29, 35, 14}, TabStop, nullptr, nullptr},
    {player2Button, PushButton, u"Player 2", {134, 29, 35, 14}, TabStop, nullptr, nullptr},
    {player3Button, PushButton, u"Player 3", {177, 29, 35, 14}, TabStop, nullptr, nullptr},
    {setPlayerNamesButton, PushButton, u"Set Player Names", {118, 16, 66, 11}, TabStop, nullptr, nullptr},
    {noId, GroupBox, u"Select Character", {85, 8, 130, 46}, 0, "selectCharacterBox", nullptr},
    {nameBox, Static, u"Static", {9, 9, 74, 15}, Centred | SunkenEdge, "nameBox", "Selected character"},
    {noId, Static, u"%", {200, 282, 8, 8}, Group, "percentSign1", nullptr},
    {noId, Static, u"%", {200, 295, 8, 8}, Group, "percentSign2", nullptr},
    {noId, Static, u"%", {200, 306, 8, 8}, Group, "percentSign3", nullptr},
    {resultField[Kraanan], Edit, u"", {18, 145, 50, 12},  resultFieldStyles, "resultFieldKraanan", "Kraanan figure"},
    {resultField[Riija], Edit, u"", {89, 248, 50, 12},  resultFieldStyles, "resultFieldRiija", "Riija figure"},
    {resultField[WeaponCraft], Edit, u"", {16, 248, 50, 12},  resultFieldStyles, "resultFieldWeaponCraft",
     "Weapon Craft figure"},
    {resultField[Faren], Edit, u"", {159, 145, 50, 12}, resultFieldStyles, "resultFieldFaren", "Faren figure"},
    {resultField[Shalille], Edit, u"", {88, 145, 50, 12},  resultFieldStyles, "resultFieldShalille",
     "Shal'ille figure"},
    {resultField[Qor], Edit, u"", {159, 248, 50, 12}, resultFieldStyles, "resultFieldQor", "Qor figure"},
    {resultField[Jala], Edit, u"", {15, 352, 50, 12},  resultFieldStyles, "resultFieldJala", "Jala figure"},
    {selectionMarker1, Static, u"^^^^^^^^^", {92, 45, 35, 8},  Centred, "selectionMarker1", "Player 1 marker"},
    {selectionMarker2, Static, u"^^^^^^^^^", {134, 45, 35, 8}, Centred | Group, "selectionMarker2", "Player 2 marker"},
    {selectionMarker3, Static, u"^^^^^^^^^", {177, 45, 35, 8}, Centred | Group, "selectionMarker3", "Player 3 marker"},
    {resultBox[Kraanan], GroupBox, u"Magic Number", {15, 136, 56, 24},  0, "resultBoxKraanan", nullptr},
    {resultBox[Shalille], GroupBox, u"Magic Number", {86, 136, 56, 24},  0, "resultBoxShalille", nullptr},
    {resultBox[Faren], GroupBox, u"Magic Number", {156, 136, 56, 24}, 0, "resultBoxFaren", nullptr},
    {resultBox[WeaponCraft], GroupBox, u"Magic Number", {14, 239, 56, 24},  0, "resultBoxWeaponCraft", nullptr},
    {resultBox[Jala], GroupBox, u"Magic Number", {13, 343, 56, 24},  0, "resultBoxJala", nullptr},
    {resultBox[Qor], GroupBox, u"Magic Number", {156, 239, 56, 24}, 0, "resultBoxQor", nullptr},
    {resultBox[Riija], GroupBox, u"Magic Number", {86, 239, 56, 24},  0, "resultBoxRiija", nullptr},
    {clearEntryButton, PushButton, u"Clear Entry", {82, 322, 50, 14}, TabStop, nullptr, nullptr},
};

constexpr unsigned nameStyles = Centred | AutoHScroll | Border | TabStop;

constexpr ControlTemplate characterNamesControls[] = {
    {idOk, PushButton, u"OK",     {129, 51, 50, 14}, DefaultButton | TabStop, "okButton", nullptr},
    {idCancel, PushButton, u"Cancel", {129, 69, 50, 14}, TabStop, "cancelButton", nullptr},
    {names::name1Edit, Edit, u"", {11, 28, 40, 14},  nameStyles, "name1Edit", "Name 1"},
    {names::name2Edit, Edit, u"", {71, 29, 40, 14},  nameStyles, "name2Edit", "Name 2"},
    {names::name3Edit, Edit, u"", {131, 29, 40, 14}, nameStyles, "name3Edit", "Name 3"},
    {noId, Static, u"Name 1", {18, 15, 26, 8},  Group, "name1Label", nullptr},
    {noId, Static, u"Name 2", {78, 15, 26, 8},  Group, "name2Label", nullptr},
    {noId, Static, u"Name 3", {138, 13, 26, 8}, Group, "name3Label", nullptr},
};

constexpr ControlTemplate confirmClearControls[] = {
    {idOk, PushButton, u"OK",     {121, 41, 50, 14}, DefaultButton | TabStop, "okButton", nullptr},
    {idCancel, PushButton, u"Cancel", {121, 59, 50, 14}, TabStop, "cancelButton", nullptr},
    {noId, Static, u"Are You Sure?", {61, 14, 47, 8}, Group, "questionLabel", nullptr},
    {noId, Static, u"All Data For This Character Will Be Lost!", {22, 26, 127, 8}, Group, "warningLabel", nullptr},
};

constexpr ControlTemplate aboutControls[] = {
    {noId, Icon, u"128", {11, 17, 20, 20}, 0, "icon", "Sorvex icon"},
    {noId, Static, u"Sorvex Version 1.0", {40, 10, 119, 8}, NoPrefix | Group, "versionLabel", nullptr},
    {idOk, PushButton, u"OK", {178, 7, 32, 14}, DefaultButton | Group | TabStop, "okButton", nullptr},
};
// clang-format on

#undef SCHOOL

}  // namespace

const DialogTemplate converterDialogTemplate{dialogs::converter, u"Sorvex", 225, 385, true, converterControls};
const DialogTemplate characterNamesDialogTemplate{dialogs::characterNames, u"Character Names", 186, 90, false,
                                                  characterNamesControls};
const DialogTemplate confirmClearDialogTemplate{dialogs::confirmClear, u"Really?", 186, 82, false,
                                                confirmClearControls};
const DialogTemplate aboutDialogTemplate{dialogs::about, u"About Sorvex", 217, 55, false, aboutControls};

QIcon applicationIcon()
{
    return quendrith::sharedIcon(u":/resources/sorvex.ico"_s);
}

}  // namespace sorvex
