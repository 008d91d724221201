#pragma once

#include "character_store.h"
#include "registry_key.h"
#include "scratch_store.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace sorvex::testing_support {

struct FakeMessages : MessageSink {
    std::vector<std::string> shown;
    void showWarning(std::string_view text) override { shown.emplace_back(text); }
};

// Stands in for the main dialog.
struct FakeDialog : ConverterView, ResultView {
    std::string buttons[4];
    std::string nameBox;
    std::string markers[4];
    bool percentEnabled[3] = {true, true, true};
    std::string percentText[3];
    std::string captions[7];
    std::int32_t figures[7] = {};

    void setPercentFieldEnabled(int i, bool on) override { percentEnabled[i] = on; }
    void setPercentFieldText(int i, std::string_view t) override { percentText[i] = t; }
    void setPlayerButtonCaption(int slot, std::string_view name) override { buttons[slot] = name; }
    void setNameBoxText(std::string_view name) override { nameBox = name; }
    void setSelectionMarker(int slot, std::string_view text) override { markers[slot] = text; }
    void setResultCaption(int s, std::string_view c) override { captions[s] = c; }
    void setResultFigure(int s, std::int32_t f) override { figures[s] = f; }
    void setResultEnabled(int, bool) override { }
};

// What the dialog does when it opens and when a character's button is pressed, its entries as loaded.
inline void loadAndCalculate(CharacterStore& store, FakeDialog& dialog)
{
    store.loadCharacter();
    store.recalculate(&dialog);
}

// Gives every test an empty store of its own.
class StoreTest : public ::testing::Test {
protected:
    void SetUp() override;
    ScratchStore scratch;
    std::string folder;
};

}  // namespace sorvex::testing_support
