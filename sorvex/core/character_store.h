// The three characters and their names in the current user's store. Each operation opens the keys it
// needs, works, closes them, and returns what happened, for the dialog to show.
#pragma once

#include "character_sheet.h"
#include "registry_api.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sorvex {

inline constexpr const char* rootKeyPath = "Software\\Quendrith Converter";
inline constexpr std::string_view selectionMarkerText = "^^^^^^^^^";

// The names of slots 1..3.
using PlayerNames = std::array<std::string, 3>;

// What the user is told of one store operation: the keys that could be neither created nor opened, one
// message each in the order they were opened, and then a notice about the store's file itself.
struct StoreMessages {
    std::vector<std::string> keyFailures;
    std::optional<std::string> notice;
};

struct LoadedCharacter {
    CharacterSheet sheet;
    // Set when the stored spell count is one of the three modes.
    std::optional<PercentFields> percentFields;
    PlayerNames names;
    // Under the three character buttons: the selection marker under the loaded slot's, empty elsewhere.
    std::array<std::string_view, 3> markers;
    StoreMessages messages;
    // The store was there but could not be read: the sheet holds the defaults, which must not be stored over
    // the character, and the notice says so.
    bool storeUnread = false;
};

struct SaveResult {
    // Every value written and, where closing the keys writes the store, the store written.
    bool saved = false;
    StoreMessages messages;
};

class CharacterStore {
public:
    // The slot's stored entries over the given sheet, with defaults written back for what is missing. Its
    // next-level figures stay, and so does its divisor unless the stored spell count is a mode.
    LoadedCharacter load(std::int32_t slot, const CharacterSheet& current);
    SaveResult save(std::int32_t slot, const CharacterSheet& sheet, const PlayerNames& names);

private:
    Registry registry;
};

// Characters are kept in slots 1..3.
constexpr bool isSlot(std::int32_t slot)
{
    return slot >= 1 && slot <= 3;
}

std::string slotKeyPath(std::int32_t slot);

// "Player 1" .. "Player 3": the name of an emptied slot.
std::string defaultSlotName(std::int32_t slot);

// The names as typed in the names dialog, an empty one replaced by its slot's default name.
PlayerNames enteredNames(const PlayerNames& typed);

// "Clear Entry": the slot's sheet emptied with three spells applied, its name back to the default. Nothing
// is stored.
PercentFields clearCharacter(CharacterSheet& sheet, PlayerNames& names, std::int32_t slot);

}  // namespace sorvex
