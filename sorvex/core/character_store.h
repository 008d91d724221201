// The three characters and their names in the current user's store.
#pragma once

#include "character_sheet.h"
#include "message_sink.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace sorvex {

inline constexpr const char* rootKeyPath = "Software\\Quendrith Converter";
inline constexpr std::string_view selectionMarkerText = "^^^^^^^^^";

// What the main dialog shows of the store (slots 1..3); the percentage fields come from SpellFieldView.
class ConverterView : public SpellFieldView {
public:
    virtual void setPlayerButtonCaption(int slot, std::string_view name) = 0;
    virtual void setNameBoxText(std::string_view name) = 0;
    virtual void setSelectionMarker(int slot, std::string_view text) = 0;
};

// The names dialog: shows the names given, returns true on OK with the names as edited.
class NamesDialogRunner {
public:
    virtual ~NamesDialogRunner() = default;
    virtual bool runNamesDialog(std::array<std::string, 3>& names) = 0;
};

class CharacterStore {
public:
    CharacterStore(ConverterView& converter, MessageSink& sink) : view(converter), messages(sink) { }

    CharacterSheet sheet;
    std::int32_t currentPlayer = 1;
    std::array<std::string, 3> playerNames;

    // Reads the selected character into the sheet and shows its names and marker; the dialog then shows
    // the sheet's entries and calculates them.
    const CharacterSheet& loadCharacter();
    bool saveCharacter();
    // Stores the sheet as entered, works out its figures, stores them too and shows them. results may be null.
    void recalculate(ResultView* results);
    // Empties the selected character's sheet and gives its slot the default name; nothing is stored yet.
    void clearEntry();
    void editPlayerNames(NamesDialogRunner& dialog);

    std::string slotKeyPath() const;

private:
    void showNames();
    void showStoreNotice();

    ConverterView& view;
    MessageSink& messages;
};

// Characters are kept in slots 1..3.
constexpr bool isSlot(std::int32_t slot)
{
    return slot >= 1 && slot <= 3;
}

// "Player 1" .. "Player 3": the name of an emptied slot.
std::string defaultSlotName(std::int32_t slot);

}  // namespace sorvex
