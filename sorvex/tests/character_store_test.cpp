#include "store_fakes.h"

#include <climits>
#include <cstring>

using namespace sorvex;
using namespace sorvex::testing_support;

namespace {

const char* const slotValues[]
    = {"Kraanan", "Shalille", "Faren",    "WeaponCraft", "Riija",         "Qor",         "Jala",
       "Spells",  "Spell_P0", "Spell_P1", "Spell_P2",    "Current_Intel", "Magic_Number"};

// Reads a stored figure without writing anything back; noDefault when it is missing.
std::int32_t storedInt(const std::string& path, const char* name)
{
    FakeMessages quiet;
    RegistryKey key(HKEY_CURRENT_USER, path.c_str(), false, quiet);
    return key.readInt(name, RegistryKey::noDefault, false);
}

std::string storedText(const std::string& path, const char* name)
{
    FakeMessages quiet;
    RegistryKey key(HKEY_CURRENT_USER, path.c_str(), false, quiet);
    return key.readString(name, "<missing>", false);
}

bool keyExists(const std::string& path)
{
    HKEY key = nullptr;
    const LONG result = RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key);
    if (result == ERROR_SUCCESS)
        RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

void storeInts(const std::string& path, std::initializer_list<std::pair<const char*, std::int32_t>> values)
{
    FakeMessages quiet;
    RegistryKey key(HKEY_CURRENT_USER, path.c_str(), true, quiet);
    for (const auto& [name, value] : values)
        ASSERT_TRUE(key.writeInt(name, value));
}

const std::string slot1 = std::string(rootKeyPath) + "\\Player1";
const std::string slot2 = std::string(rootKeyPath) + "\\Player2";
const std::string slot3 = std::string(rootKeyPath) + "\\Player3";

struct Harness {
    FakeMessages messages;
    FakeDialog dialog;
    CharacterStore store{dialog, messages};
    void load() { loadAndCalculate(store, dialog); }
};

class CharacterStoreTest : public StoreTest { };

TEST_F(CharacterStoreTest, FirstRunWritesDefaultsAndTheCalculatedMagicNumber)
{
    Harness h;
    EXPECT_EQ(&h.store.loadCharacter(), &h.store.sheet);
    // Loading stores the defaults it read; the magic number comes with the calculation.
    EXPECT_EQ(storedInt(slot1, "Magic_Number"), 0);
    EXPECT_EQ(h.dialog.captions[Riija], "");
    h.store.recalculate(&h.dialog);
    EXPECT_TRUE(h.messages.shown.empty());

    const std::int32_t expected[] = {0, 0, 0, 0, 1, 0, 0, 2, 1, 1, 1, 0, 189};
    for (std::size_t i = 0; i < 13; ++i)
        EXPECT_EQ(storedInt(slot1, slotValues[i]), expected[i]) << slotValues[i];
    EXPECT_EQ(storedText(rootKeyPath, "Player_Name1"), "Player1");
    EXPECT_EQ(storedText(rootKeyPath, "Player_Name2"), "Player2");
    EXPECT_EQ(storedText(rootKeyPath, "Player_Name3"), "Player3");
    EXPECT_FALSE(keyExists(slot2));
    EXPECT_FALSE(keyExists(slot3));

    EXPECT_EQ(h.dialog.buttons[1], "Player1");
    EXPECT_EQ(h.dialog.buttons[3], "Player3");
    EXPECT_EQ(h.dialog.nameBox, "Player1");
    EXPECT_EQ(h.dialog.markers[1], "^^^^^^^^^");
    EXPECT_EQ(h.dialog.markers[2], "");
    EXPECT_EQ(h.dialog.captions[Riija], "Next Level");
    EXPECT_EQ(h.dialog.figures[Riija], 196);
    EXPECT_EQ(h.store.sheet.spellDivisor, 1.0);
}

TEST_F(CharacterStoreTest, FirstUseOfSlot3LeavesTheOtherSlotsAlone)
{
    Harness h;
    h.load();
    storeInts(slot1, {{"Kraanan", 4}, {"Current_Intel", 45}});
    h.store.currentPlayer = 3;
    h.load();

    EXPECT_EQ(storedInt(slot3, "Riija"), 1);
    EXPECT_EQ(storedInt(slot3, "Spells"), 2);
    EXPECT_EQ(storedInt(slot3, "Magic_Number"), 189);
    EXPECT_EQ(storedInt(slot1, "Kraanan"), 4);
    EXPECT_EQ(storedInt(slot1, "Current_Intel"), 45);
    EXPECT_FALSE(keyExists(slot2));
    EXPECT_EQ(storedText(rootKeyPath, "Player_Name3"), "Player3");
    EXPECT_EQ(h.dialog.markers[1], "");
    EXPECT_EQ(h.dialog.markers[3], "^^^^^^^^^");
    EXPECT_EQ(h.dialog.nameBox, "Player3");
}

TEST_F(CharacterStoreTest, StoredPercentagesWinOverTheZerosOfOneSpell)
{
    storeInts(slot1,
              {{"Kraanan", 1},
               {"Shalille", 0},
               {"Faren", 0},
               {"WeaponCraft", 0},
               {"Riija", 0},
               {"Qor", 0},
               {"Jala", 0},
               {"Spells", 0},
               {"Spell_P0", 10},
               {"Spell_P1", 20},
               {"Spell_P2", 30},
               {"Current_Intel", 0},
               {"Magic_Number", 0}});
    Harness h;
    h.load();
    EXPECT_EQ(h.store.sheet.spellP1, 20);
    EXPECT_EQ(h.store.sheet.spellP2, 30);
    EXPECT_FALSE(h.dialog.percentEnabled[1]);
    EXPECT_FALSE(h.dialog.percentEnabled[2]);
    EXPECT_EQ(h.store.sheet.spellDivisor, 3.0);
    // 192 / 3 - 60
    EXPECT_EQ(storedInt(slot1, "Magic_Number"), 4);
    EXPECT_EQ(storedInt(slot1, "Spell_P2"), 30);
}

TEST_F(CharacterStoreTest, OutOfRangeValuesLoadUnchangedAndKeepTheDivisor)
{
    storeInts(slot1, {{"Kraanan", 9}, {"Spells", 7}, {"Current_Intel", -5}, {"Jala", INT_MIN}});
    Harness h;
    h.store.sheet.spellDivisor = 1.5;
    h.load();
    EXPECT_EQ(h.store.sheet.levelKraanan, 9);
    EXPECT_EQ(h.store.sheet.spellCount, 7);
    EXPECT_EQ(h.store.sheet.currentIntel, -5);
    EXPECT_EQ(h.store.sheet.levelJala, INT_MIN);
    EXPECT_EQ(h.store.sheet.spellDivisor, 1.5);
    EXPECT_EQ(storedInt(slot1, "Spells"), 7);
    EXPECT_EQ(storedInt(slot1, "Jala"), INT_MIN);
}

struct NamesAnswer : NamesDialogRunner {
    bool ok;
    std::array<std::string, 3> typed;
    std::array<std::string, 3> offered;
    NamesAnswer(bool accept, std::array<std::string, 3> names) : ok(accept), typed(std::move(names)) { }
    bool runNamesDialog(std::array<std::string, 3>& names) override
    {
        offered = names;
        names = typed;
        return ok;
    }
};

TEST_F(CharacterStoreTest, EmptiedNamesBecomePlayerWithABlank)
{
    Harness h;
    h.load();
    NamesAnswer answer(true, {"", " Ann \"the\" \\bold\\ ", ""});
    h.store.editPlayerNames(answer);
    EXPECT_EQ(answer.offered, (std::array<std::string, 3>{"Player1", "Player2", "Player3"}));
    EXPECT_EQ(storedText(rootKeyPath, "Player_Name1"), "Player 1");
    EXPECT_EQ(storedText(rootKeyPath, "Player_Name2"), " Ann \"the\" \\bold\\ ");
    EXPECT_EQ(storedText(rootKeyPath, "Player_Name3"), "Player 3");
    EXPECT_EQ(h.dialog.buttons[2], " Ann \"the\" \\bold\\ ");
    EXPECT_EQ(h.dialog.nameBox, "Player 1");
}

TEST_F(CharacterStoreTest, CancelledNamesChangeNothing)
{
    Harness h;
    h.load();
    NamesAnswer answer(false, {"A", "B", "C"});
    h.store.editPlayerNames(answer);
    EXPECT_EQ(h.store.playerNames[0], "Player1");
    EXPECT_EQ(storedText(rootKeyPath, "Player_Name1"), "Player1");
}

TEST_F(CharacterStoreTest, RecalculateStoresTheEntriesAndTheirFigures)
{
    Harness h;
    h.load();
    schoolLevel(h.store.sheet, Kraanan) = 2;
    h.store.sheet.currentIntel = 50;
    h.store.recalculate(nullptr);
    EXPECT_EQ(storedInt(slot1, "Kraanan"), 2);
    EXPECT_EQ(storedInt(slot1, "Current_Intel"), 50);
    // (45 + 14 + 7) / 1.0 - 3, and 87 - 3 for Kraanan's next level.
    EXPECT_EQ(storedInt(slot1, "Magic_Number"), 63);
    EXPECT_EQ(h.store.sheet.nextKraanan, 84);
}

TEST_F(CharacterStoreTest, ClearEntryEmptiesAndRenamesTheSelectedSlotButStoresNothingYet)
{
    Harness h;
    h.store.currentPlayer = 2;
    h.load();
    h.store.sheet.currentIntel = 80;
    h.store.playerNames = {"Ann", "Bo", "Cy"};
    h.store.saveCharacter();
    applySpellCountMode(h.store.sheet, 0, &h.dialog);
    ASSERT_FALSE(h.dialog.percentEnabled[2]);

    h.store.clearEntry();
    EXPECT_EQ(h.store.sheet.currentIntel, 0);
    EXPECT_EQ(h.store.sheet.spellCount, 2);
    EXPECT_EQ(h.store.sheet.spellDivisor, 1.0);
    EXPECT_TRUE(h.dialog.percentEnabled[1]);
    EXPECT_TRUE(h.dialog.percentEnabled[2]);
    EXPECT_EQ(h.store.playerNames, (std::array<std::string, 3>{"Ann", "Player 2", "Cy"}));
    EXPECT_EQ(storedInt(slot2, "Current_Intel"), 80);
    EXPECT_EQ(storedText(rootKeyPath, "Player_Name2"), "Bo");

    h.store.saveCharacter();
    EXPECT_EQ(storedInt(slot2, "Current_Intel"), 0);
    EXPECT_EQ(storedText(rootKeyPath, "Player_Name2"), "Player 2");
    EXPECT_EQ(h.dialog.buttons[2], "Player 2");
}

TEST(OpenFailure, MessageNamesTheRootHandleAndPath)
{
    EXPECT_EQ(openFailureMessage(HKEY_CURRENT_USER, rootKeyPath),
              "CVORegistry() Constructor3: KEY_READ Access Failed: 80000001\nSoftware\\Quendrith Converter\n");
    const std::string longPath(5000, 'k');
    EXPECT_EQ(openFailureMessage(HKEY_CURRENT_USER, longPath.c_str()).size(), 52 + 8 + 1 + 5000 + 1);
}

TEST(OpenFailure, UnusableKeyWarnsOnceAndFallsBackToDefaults)
{
    FakeMessages messages;
    const HKEY bogus = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x1234abcu));
    RegistryKey key(bogus, "Software\\Nowhere", true, messages);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], "CVORegistry() Constructor3: KEY_READ Access Failed: 1234abc\nSoftware\\Nowhere\n");
    EXPECT_FALSE(key.isOpen());
    EXPECT_EQ(key.readInt("x", 7, true), 7);
    EXPECT_EQ(key.readString("x", "dflt", true), "dflt");
    EXPECT_FALSE(key.writeInt("x", 1));
    EXPECT_FALSE(key.writeString("x", "y"));
    EXPECT_FALSE(key.close());
    EXPECT_EQ(messages.shown.size(), 1u);
}

class RegistryKeyTest : public StoreTest { };

TEST_F(RegistryKeyTest, ReadIntWritesBackDefaultsButNotTheSentinel)
{
    FakeMessages messages;
    {
        RegistryKey key(HKEY_CURRENT_USER, slot1.c_str(), true, messages);
        EXPECT_EQ(key.readInt("A", 5, true), 5);
        EXPECT_EQ(key.readInt("B", 6, false), 6);
        EXPECT_EQ(key.readInt("C", RegistryKey::noDefault, true), 0xDEF0);
        EXPECT_TRUE(key.writeInt("D", -2));
        EXPECT_FALSE(key.writeInt(nullptr, 1));
        EXPECT_TRUE(key.close());
        EXPECT_FALSE(key.close());
    }
    EXPECT_EQ(storedInt(slot1, "A"), 5);
    EXPECT_EQ(storedInt(slot1, "B"), RegistryKey::noDefault);
    EXPECT_EQ(storedInt(slot1, "C"), RegistryKey::noDefault);
    EXPECT_EQ(storedInt(slot1, "D"), -2);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(RegistryKeyTest, ValuesOfOtherTypesReadAsDefinedFigures)
{
    FakeMessages messages;
    RegistryKey key(HKEY_CURRENT_USER, slot1.c_str(), true, messages);
    ASSERT_TRUE(key.writeString("Short", "a"));  // two bytes
    ASSERT_TRUE(key.writeString("Long", "abcd"));  // five bytes
    ASSERT_TRUE(key.writeString("Empty", ""));
    EXPECT_EQ(key.readInt("Short", 3, false), 0x61);
    EXPECT_EQ(key.readInt("Long", 3, false), 3);
    EXPECT_EQ(key.readInt("Empty", 3, false), 0);
    ASSERT_TRUE(key.writeInt("Number", 0x00434241));
    EXPECT_EQ(key.readString("Number", "x", false), "ABC");
    EXPECT_EQ(key.readString("Missing", nullptr, true), "");
    EXPECT_EQ(key.readString(nullptr, "x", true), "");
    EXPECT_FALSE(key.writeString(nullptr, "x"));
    EXPECT_FALSE(key.writeString("x", nullptr));
    EXPECT_EQ(key.readString("Missing", "back", true), "back");
    EXPECT_EQ(key.readString("Missing", "other", true), "back");
}

TEST_F(RegistryKeyTest, LongTextsRoundTrip)
{
    FakeMessages messages;
    const std::string text(70000, 'n');
    {
        RegistryKey key(HKEY_CURRENT_USER, slot2.c_str(), true, messages);
        ASSERT_TRUE(key.writeString("Name", text.c_str()));
    }
    EXPECT_EQ(storedText(slot2, "Name"), text);
}

}  // namespace
