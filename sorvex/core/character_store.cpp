#include "character_store.h"

#include "registry_key.h"

namespace sorvex {

namespace {

constexpr std::array<const char*, 8> valueTable
    = {"Kraanan", "Shalille", "Faren", "WeaponCraft", "Riija", "Qor", "Jala", "Spells"};
constexpr std::array<const char*, 3> nameValues = {"Player_Name1", "Player_Name2", "Player_Name3"};
constexpr std::array<const char*, 3> firstRunNames = {"Player1", "Player2", "Player3"};

std::int32_t& tableField(CharacterSheet& sheet, std::size_t index)
{
    return index < 7 ? schoolLevel(sheet, static_cast<int>(index)) : sheet.spellCount;
}

}  // namespace

std::string defaultSlotName(std::int32_t slot)
{
    return "Player " + std::to_string(slot);
}

std::string CharacterStore::slotKeyPath() const
{
    return std::string(rootKeyPath) + "\\Player" + std::to_string(currentPlayer);
}

void CharacterStore::showNames()
{
    for (int slot = 1; slot <= 3; ++slot)
        view.setPlayerButtonCaption(slot, playerNames[static_cast<std::size_t>(slot - 1)]);
    if (isSlot(currentPlayer))
        view.setNameBoxText(playerNames[static_cast<std::size_t>(currentPlayer - 1)]);
}

void CharacterStore::showStoreNotice()
{
    if (const auto notice = takeStoreNotice())
        messages.showWarning(*notice);
}

const CharacterSheet& CharacterStore::loadCharacter()
{
    {
        const std::string slotPath = slotKeyPath();
        RegistryKey slotKey(HKEY_CURRENT_USER, slotPath.c_str(), true, messages);
        RegistryKey rootKey(HKEY_CURRENT_USER, rootKeyPath, true, messages);

        for (std::size_t i = 0; i < valueTable.size(); ++i) {
            const std::int32_t fallback = i == 4 ? 1 : i == 7 ? 2 : 0;
            tableField(sheet, i) = slotKey.readInt(valueTable[i], fallback, true);
            if (i == 7)
                applySpellCountMode(sheet, sheet.spellCount, &view);
        }
        sheet.spellP0 = slotKey.readInt("Spell_P0", 1, true);
        sheet.spellP1 = slotKey.readInt("Spell_P1", 1, true);
        sheet.spellP2 = slotKey.readInt("Spell_P2", 1, true);
        sheet.currentIntel = slotKey.readInt("Current_Intel", 0, true);
        sheet.magicNumber = slotKey.readInt("Magic_Number", 0, true);

        for (std::size_t i = 0; i < 3; ++i)
            playerNames[i] = rootKey.readString(nameValues[i], firstRunNames[i], true);

        showNames();
        for (int slot = 1; slot <= 3; ++slot)
            view.setSelectionMarker(slot, "");
        if (isSlot(currentPlayer))
            view.setSelectionMarker(currentPlayer, selectionMarkerText);

        slotKey.close();
        rootKey.close();
    }
    showStoreNotice();
    return sheet;
}

bool CharacterStore::saveCharacter()
{
    {
        const std::string slotPath = slotKeyPath();
        RegistryKey slotKey(HKEY_CURRENT_USER, slotPath.c_str(), true, messages);
        RegistryKey rootKey(HKEY_CURRENT_USER, rootKeyPath, true, messages);

        for (std::size_t i = 0; i < valueTable.size(); ++i)
            slotKey.writeInt(valueTable[i], tableField(sheet, i));
        slotKey.writeInt("Spell_P0", sheet.spellP0);
        slotKey.writeInt("Spell_P1", sheet.spellP1);
        slotKey.writeInt("Spell_P2", sheet.spellP2);
        slotKey.writeInt("Current_Intel", sheet.currentIntel);
        slotKey.writeInt("Magic_Number", sheet.magicNumber);

        for (std::size_t i = 0; i < 3; ++i)
            rootKey.writeString(nameValues[i], playerNames[i].c_str());

        showNames();
        slotKey.close();
        rootKey.close();
    }
    showStoreNotice();
    return true;
}

void CharacterStore::recalculate(ResultView* results)
{
    saveCharacter();
    const Calculation calculation = calculate(sheet);
    saveCharacter();
    showNextLevels(sheet, calculation.totalPoints, calculation.percentSum, results);
}

void CharacterStore::clearEntry()
{
    clearEntries(sheet);
    if (isSlot(currentPlayer))
        playerNames[static_cast<std::size_t>(currentPlayer - 1)] = defaultSlotName(currentPlayer);
    applySpellCountMode(sheet, static_cast<std::int32_t>(SpellCountMode::ThreeSpells), &view);
}

void CharacterStore::editPlayerNames(NamesDialogRunner& dialog)
{
    std::array<std::string, 3> names = playerNames;
    if (!dialog.runNamesDialog(names))
        return;
    for (std::size_t i = 0; i < 3; ++i)
        playerNames[i] = names[i].empty() ? defaultSlotName(static_cast<std::int32_t>(i + 1)) : names[i];
    saveCharacter();
}

}  // namespace sorvex
