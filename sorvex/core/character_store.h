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
    virtual void WriteControls() = 0;
    virtual void OnCalculate() = 0;
};

// The names dialog: shows the names given, returns true on OK with the names as edited.
class NamesDialogRunner {
public:
    virtual ~NamesDialogRunner() = default;
    virtual bool RunNamesDialog(std::array<std::string, 3>& names) = 0;
};

class CharacterStore {
public:
    CharacterStore(ConverterView& view, MessageSink& messages) : m_view(view), m_messages(messages) {}

    CharacterSheet sheet;
    std::int32_t currentPlayer = 1;
    std::array<std::string, 3> playerNames;

    void LoadCharacter();
    bool SaveCharacter();
    void SetPlayerNames(NamesDialogRunner& dialog);

    std::string SlotKeyPath() const;

private:
    void ShowNames();
    void ShowStoreNotice();

    ConverterView& m_view;
    MessageSink& m_messages;
};

// "Player 1" .. "Player 3": the name of an emptied slot.
std::string DefaultSlotName(std::int32_t slot);

}  // namespace sorvex
