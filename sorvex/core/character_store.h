// The three characters and their names in the current user's store.
#pragma once

#include "message_sink.h"
#include "character_sheet.h"

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
    virtual void writeControls() = 0;
    virtual void calculate() = 0;
};

// The names dialog: shows the names given, returns true on OK with the names as edited.
class NamesDialogRunner {
public:
    virtual ~NamesDialogRunner() = default;
    virtual bool runNamesDialog(std::array<std::string, 3>& names) = 0;
};

class CharacterStore {
public:
    CharacterStore(ConverterView& converterView, MessageSink& messageSink)
        : view(converterView), messages(messageSink)
    {
    }

    CharacterSheet sheet;
    std::int32_t currentPlayer = 1;
    std::array<std::string, 3> playerNames;

    void loadCharacter();
    bool saveCharacter();
    void editPlayerNames(NamesDialogRunner& dialog);

    std::string slotKeyPath() const;

private:
    void showNames();
    void showStoreNotice();

    ConverterView& view;
    MessageSink& messages;
};

// "Player 1" .. "Player 3": the name of an emptied slot.
std::string defaultSlotName(std::int32_t slot);

}  // namespace sorvex
