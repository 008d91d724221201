// One character as the main dialog holds it (its slot, its sheet, the three names), loaded, calculated and
// stored through the store as the dialog does, with what the dialog would show of each store operation.
#pragma once

#include "character_store.h"

#include <string>
#include <vector>

namespace sorvex::testing_support {

struct StoredCharacter {
    CharacterStore store;
    std::int32_t slot = 1;
    CharacterSheet sheet;
    PlayerNames names;
    // Every message of the store, in the order the dialog shows them.
    std::vector<std::string> shown;

    LoadedCharacter load()
    {
        LoadedCharacter loaded = store.load(slot, sheet);
        sheet = loaded.sheet;
        names = loaded.names;
        note(loaded.messages);
        return loaded;
    }
    SaveResult save()
    {
        SaveResult saved = store.save(slot, sheet, names);
        note(saved.messages);
        return saved;
    }
    // "Calculate" on the sheet as read: stored, worked out, stored again; after a load that could not read
    // the store, only worked out.
    std::array<NextLevel, schoolCount> calculate(bool saving = true)
    {
        if (saving)
            save();
        const Calculation calculation = sorvex::calculate(sheet);
        if (saving)
            save();
        return nextLevels(sheet, calculation.totalPoints, calculation.percentSum);
    }
    // What opening the dialog, or pressing a character's button, does.
    void open() { calculate(!load().storeUnread); }

private:
    void note(const StoreMessages& messages)
    {
        shown.insert(shown.end(), messages.keyFailures.begin(), messages.keyFailures.end());
        if (messages.notice)
            shown.push_back(*messages.notice);
    }
};

}  // namespace sorvex::testing_support
