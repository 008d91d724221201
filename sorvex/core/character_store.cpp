#include "character_store.h"

#include "registry_key.h"

namespace sorvex {

namespace {

constexpr std::array<const char*, 8> valueTable = {"Kraanan", "Shalille", "Faren", "WeaponCraft",
                                                   "Riija",   "Qor",      "Jala",  "Spells"};
constexpr std::array<const char*, 3> nameValues = {"Player_Name1", "Player_Name2", "Player_Name3"};
constexpr std::array<const char*, 3> firstRunNames = {"Player1", "Player2", "Player3"};

std::int32_t& TableField(CharacterSheet& sheet, std::size_t index)
{
    return index < 7 ? SchoolLevel(sheet, static_cast<int>(index)) : sheet.spellCount;
}

}  // namespace

std::string DefaultSlotName(std::int32_t slot)
{
    return "Player " + std::to_string(slot);
}

std::string CharacterStore::SlotKeyPath() const
{
    return std::string(rootKeyPath) + "\\Player" + std::to_string(currentPlayer);
}

void CharacterStore::ShowNames()
{
    for (int slot = 1; slot <= 3; ++slot)
        m_view.setPlayerButtonCaption(slot, playerNames[static_cast<std::size_t>(slot - 1)]);
    if (currentPlayer >= 1 && currentPlayer <= 3)
        m_view.setNameBoxText(playerNames[static_cast<std::size_t>(currentPlayer - 1)]);
}

void CharacterStore::ShowStoreNotice()
{
    if (const auto notice = TakeStoreNotice())
        m_messages.showWarning(programName, *notice);
}

void CharacterStore::LoadCharacter()
{
    {
        const std::string slotPath = SlotKeyPath();
        CVORegistry slotKey(HKEY_CURRENT_USER, slotPath.c_str(), true, m_messages);
        CVORegistry rootKey(HKEY_CURRENT_USER, rootKeyPath, true, m_messages);

        for (std::size_t i = 0; i < valueTable.size(); ++i) {
            const std::int32_t fallback = i == 4 ? 1 : i == 7 ? 2 : 0;
            TableField(sheet, i) = slotKey.ReadInt(valueTable[i], fallback, true);
            if (i == 7)
                ApplySpellCountMode(sheet, sheet.spellCount, &m_view);
        }
        sheet.spellP0 = slotKey.ReadInt("Spell_P0", 1, true);
        sheet.spellP1 = slotKey.ReadInt("Spell_P1", 1, true);
        sheet.spellP2 = slotKey.ReadInt("Spell_P2", 1, true);
        sheet.currentIntel = slotKey.ReadInt("Current_Intel", 0, true);
        sheet.magicNumber = slotKey.ReadInt("Magic_Number", 0, true);

        for (std::size_t i = 0; i < 3; ++i)
            playerNames[i] = rootKey.ReadString(nameValues[i], firstRunNames[i], true);

        ShowNames();
        for (int slot = 1; slot <= 3; ++slot)
            m_view.setSelectionMarker(slot, "");
        if (currentPlayer >= 1 && currentPlayer <= 3)
            m_view.setSelectionMarker(currentPlayer, selectionMarkerText);

        slotKey.Close();
        rootKey.Close();
    }
    ShowStoreNotice();
    m_view.WriteControls();
    m_view.OnCalculate();
}

bool CharacterStore::SaveCharacter()
{
    {
        const std::string slotPath = SlotKeyPath();
        CVORegistry slotKey(HKEY_CURRENT_USER, slotPath.c_str(), true, m_messages);
        CVORegistry rootKey(HKEY_CURRENT_USER, rootKeyPath, true, m_messages);

        for (std::size_t i = 0; i < valueTable.size(); ++i)
            slotKey.WriteInt(valueTable[i], TableField(sheet, i));
        slotKey.WriteInt("Spell_P0", sheet.spellP0);
        slotKey.WriteInt("Spell_P1", sheet.spellP1);
        slotKey.WriteInt("Spell_P2", sheet.spellP2);
        slotKey.WriteInt("Current_Intel", sheet.currentIntel);
        slotKey.WriteInt("Magic_Number", sheet.magicNumber);

        for (std::size_t i = 0; i < 3; ++i)
            rootKey.WriteString(nameValues[i], playerNames[i].c_str());

        ShowNames();
        slotKey.Close();
        rootKey.Close();
    }
    ShowStoreNotice();
    return true;
}

void CharacterStore::SetPlayerNames(NamesDialogRunner& dialog)
{
    std::array<std::string, 3> names = playerNames;
    if (!dialog.RunNamesDialog(names))
        return;
    for (std::size_t i = 0; i < 3; ++i)
        playerNames[i] = names[i].empty() ? DefaultSlotName(static_cast<std::int32_t>(i + 1)) : names[i];
    SaveCharacter();
}

}  // namespace sorvex
