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

std::int32_t tableField(const CharacterSheet& sheet, std::size_t index)
{
    return tableField(const_cast<CharacterSheet&>(sheet), index);
}

void addFailure(StoreMessages& messages, const RegistryKey& key)
{
    if (key.openFailure())
        messages.keyFailures.push_back(*key.openFailure());
}

}  // namespace

std::string slotKeyPath(std::int32_t slot)
{
    return std::string(rootKeyPath) + "\\Player" + std::to_string(slot);
}

std::string defaultSlotName(std::int32_t slot)
{
    return "Player " + std::to_string(slot);
}

PlayerNames enteredNames(const PlayerNames& typed)
{
    PlayerNames names;
    for (std::size_t i = 0; i < names.size(); ++i)
        names[i] = typed[i].empty() ? defaultSlotName(static_cast<std::int32_t>(i + 1)) : typed[i];
    return names;
}

PercentFields clearCharacter(CharacterSheet& sheet, PlayerNames& names, std::int32_t slot)
{
    clearEntries(sheet);
    if (isSlot(slot))
        names[static_cast<std::size_t>(slot - 1)] = defaultSlotName(slot);
    return *applySpellCountMode(sheet, static_cast<std::int32_t>(SpellCountMode::ThreeSpells));
}

LoadedCharacter CharacterStore::load(std::int32_t slot, const CharacterSheet& current)
{
    LoadedCharacter loaded{current, std::nullopt, {}, {}, {}};
    CharacterSheet& sheet = loaded.sheet;
    {
        const std::string slotPath = slotKeyPath(slot);
        RegistryKey slotKey(registry, HKEY_CURRENT_USER, slotPath.c_str(), true);
        RegistryKey rootKey(registry, HKEY_CURRENT_USER, rootKeyPath, true);
        addFailure(loaded.messages, slotKey);
        addFailure(loaded.messages, rootKey);

        for (std::size_t i = 0; i < valueTable.size(); ++i) {
            const std::int32_t fallback = i == 4 ? 1 : i == 7 ? 2 : 0;
            tableField(sheet, i) = slotKey.readInt(valueTable[i], fallback, true);
        }
        // Applied before the percentages are read, so that the stored ones replace the zeros it may set.
        loaded.percentFields = applySpellCountMode(sheet, sheet.spellCount);
        sheet.spellP0 = slotKey.readInt("Spell_P0", 1, true);
        sheet.spellP1 = slotKey.readInt("Spell_P1", 1, true);
        sheet.spellP2 = slotKey.readInt("Spell_P2", 1, true);
        sheet.currentIntel = slotKey.readInt("Current_Intel", 0, true);
        sheet.magicNumber = slotKey.readInt("Magic_Number", 0, true);

        for (std::size_t i = 0; i < 3; ++i)
            loaded.names[i] = rootKey.readString(nameValues[i], firstRunNames[i], true);
        if (isSlot(slot))
            loaded.markers[static_cast<std::size_t>(slot - 1)] = selectionMarkerText;

        slotKey.close();
        rootKey.close();
    }
    loaded.messages.notice = registry.takeNotice();
    loaded.storeUnread = registry.takeUnread();
    if (loaded.storeUnread) {
        const std::string before = loaded.messages.notice ? *loaded.messages.notice + "\n\n" : std::string();
        loaded.messages.notice = before
            + "The character shown is the defaults, not the stored one, and nothing was saved. To try again, "
              "select the character once more; \"Calculate\" saves what is shown, over the stored character.";
    }
    return loaded;
}

SaveResult CharacterStore::save(std::int32_t slot, const CharacterSheet& sheet, const PlayerNames& names)
{
    SaveResult result;
    {
        const std::string slotPath = slotKeyPath(slot);
        RegistryKey slotKey(registry, HKEY_CURRENT_USER, slotPath.c_str(), true);
        RegistryKey rootKey(registry, HKEY_CURRENT_USER, rootKeyPath, true);
        addFailure(result.messages, slotKey);
        addFailure(result.messages, rootKey);

        bool written = true;
        for (std::size_t i = 0; i < valueTable.size(); ++i)
            written = slotKey.writeInt(valueTable[i], tableField(sheet, i)) && written;
        written = slotKey.writeInt("Spell_P0", sheet.spellP0) && written;
        written = slotKey.writeInt("Spell_P1", sheet.spellP1) && written;
        written = slotKey.writeInt("Spell_P2", sheet.spellP2) && written;
        written = slotKey.writeInt("Current_Intel", sheet.currentIntel) && written;
        written = slotKey.writeInt("Magic_Number", sheet.magicNumber) && written;
        for (std::size_t i = 0; i < 3; ++i)
            written = rootKey.writeString(nameValues[i], names[i].c_str()) && written;

        written = slotKey.close() && written;
        written = rootKey.close() && written;
        result.saved = written;
    }
    result.messages.notice = registry.takeNotice();
    // Only a load shows what it read; the next one is to learn of its own reading alone.
    registry.takeUnread();
    return result;
}

}  // namespace sorvex
