#include "character_store.h"
#include "registry_key.h"
#include "scratch_store.h"
#include "stored_character.h"

#include <gtest/gtest.h>

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
    Registry registry;
    RegistryKey key(registry, HKEY_CURRENT_USER, path.c_str(), false);
    return key.readInt(name, RegistryKey::noDefault, false);
}

std::string storedText(const std::string& path, const char* name)
{
    Registry registry;
    RegistryKey key(registry, HKEY_CURRENT_USER, path.c_str(), false);
    return key.readString(name, "<missing>", false);
}

bool keyExists(const std::string& path)
{
    Registry registry;
    return RegistryKey(registry, HKEY_CURRENT_USER, path.c_str(), false).isOpen();
}

void storeInts(const std::string& path, std::initializer_list<std::pair<const char*, std::int32_t>> values)
{
    Registry registry;
    RegistryKey key(registry, HKEY_CURRENT_USER, path.c_str(), true);
    for (const auto& [name, value] : values)
        ASSERT_TRUE(key.writeInt(name, value));
}

const std::string slot1 = slotKeyPath(1);
const std::string slot2 = slotKeyPath(2);
const std::string slot3 = slotKeyPath(3);

class CharacterStoreTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(scratch.isValid()); }
    ScratchStore scratch;
};

TEST_F(CharacterStoreTest, FirstRunWritesDefaultsAndTheCalculatedMagicNumber)
{
    StoredCharacter c;
    const LoadedCharacter loaded = c.load();
    // Loading stores the defaults it read; the magic number comes with the calculation.
    EXPECT_EQ(storedInt(slot1, "Magic_Number"), 0);
    const auto shown = c.calculate();
    EXPECT_TRUE(c.shown.empty());

    const std::int32_t expected[] = {0, 0, 0, 0, 1, 0, 0, 2, 1, 1, 1, 0, 189};
    for (std::size_t i = 0; i < 13; ++i)
        EXPECT_EQ(storedInt(slot1, slotValues[i]), expected[i]) << slotValues[i];
    EXPECT_EQ(storedText(rootKeyPath, "Player_Name1"), "Player1");
    EXPECT_EQ(storedText(rootKeyPath, "Player_Name2"), "Player2");
    EXPECT_EQ(storedText(rootKeyPath, "Player_Name3"), "Player3");
    EXPECT_FALSE(keyExists(slot2));
    EXPECT_FALSE(keyExists(slot3));

    EXPECT_EQ(loaded.names, (PlayerNames{"Player1", "Player2", "Player3"}));
    EXPECT_EQ(loaded.markers, (std::array<std::string_view, 3>{"^^^^^^^^^", "", ""}));
    EXPECT_EQ(loaded.percentFields, (PercentFields{true, true, true}));
    EXPECT_EQ(shown[Riija].caption, "Next Level");
    EXPECT_EQ(shown[Riija].figure, 196);
    EXPECT_EQ(c.sheet.spellDivisor, 1.0);
}

TEST_F(CharacterStoreTest, FirstUseOfSlot3LeavesTheOtherSlotsAlone)
{
    StoredCharacter c;
    c.load();
    c.calculate();
    storeInts(slot1, {{"Kraanan", 4}, {"Current_Intel", 45}});
    c.slot = 3;
    const LoadedCharacter loaded = c.load();
    c.calculate();

    EXPECT_EQ(storedInt(slot3, "Riija"), 1);
    EXPECT_EQ(storedInt(slot3, "Spells"), 2);
    EXPECT_EQ(storedInt(slot3, "Magic_Number"), 189);
    EXPECT_EQ(storedInt(slot1, "Kraanan"), 4);
    EXPECT_EQ(storedInt(slot1, "Current_Intel"), 45);
    EXPECT_FALSE(keyExists(slot2));
    EXPECT_EQ(storedText(rootKeyPath, "Player_Name3"), "Player3");
    EXPECT_EQ(loaded.markers, (std::array<std::string_view, 3>{"", "", "^^^^^^^^^"}));
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
    StoredCharacter c;
    const LoadedCharacter loaded = c.load();
    c.calculate();
    EXPECT_EQ(loaded.sheet.spellP1, 20);
    EXPECT_EQ(loaded.sheet.spellP2, 30);
    EXPECT_EQ(loaded.percentFields, (PercentFields{true, false, false}));
    EXPECT_EQ(loaded.sheet.spellDivisor, 3.0);
    // 192 / 3 - 60
    EXPECT_EQ(storedInt(slot1, "Magic_Number"), 4);
    EXPECT_EQ(storedInt(slot1, "Spell_P2"), 30);
}

TEST_F(CharacterStoreTest, OutOfRangeValuesLoadUnchangedAndKeepTheDivisor)
{
    storeInts(slot1, {{"Kraanan", 9}, {"Spells", 7}, {"Current_Intel", -5}, {"Jala", INT_MIN}});
    StoredCharacter c;
    c.sheet.spellDivisor = 1.5;
    c.sheet.nextQor = 12;
    const LoadedCharacter loaded = c.load();
    c.calculate();
    EXPECT_EQ(loaded.sheet.levelKraanan, 9);
    EXPECT_EQ(loaded.sheet.spellCount, 7);
    EXPECT_EQ(loaded.sheet.currentIntel, -5);
    EXPECT_EQ(loaded.sheet.levelJala, INT_MIN);
    EXPECT_EQ(loaded.sheet.spellDivisor, 1.5);
    EXPECT_EQ(loaded.sheet.nextQor, 12);
    EXPECT_EQ(loaded.percentFields, std::nullopt);
    EXPECT_EQ(storedInt(slot1, "Spells"), 7);
    EXPECT_EQ(storedInt(slot1, "Jala"), INT_MIN);
}

TEST_F(CharacterStoreTest, EmptiedNamesBecomePlayerWithABlank)
{
    StoredCharacter c;
    c.load();
    c.names = enteredNames({"", " Ann \"the\" \\bold\\ ", ""});
    EXPECT_EQ(c.names, (PlayerNames{"Player 1", " Ann \"the\" \\bold\\ ", "Player 3"}));
    EXPECT_TRUE(c.save().saved);
    EXPECT_EQ(storedText(rootKeyPath, "Player_Name1"), "Player 1");
    EXPECT_EQ(storedText(rootKeyPath, "Player_Name2"), " Ann \"the\" \\bold\\ ");
    EXPECT_EQ(storedText(rootKeyPath, "Player_Name3"), "Player 3");
}

TEST_F(CharacterStoreTest, CalculationStoresTheEntriesAndTheirFigures)
{
    StoredCharacter c;
    c.load();
    schoolLevel(c.sheet, Kraanan) = 2;
    c.sheet.currentIntel = 50;
    c.calculate();
    EXPECT_EQ(storedInt(slot1, "Kraanan"), 2);
    EXPECT_EQ(storedInt(slot1, "Current_Intel"), 50);
    // (45 + 14 + 7) / 1.0 - 3, and 87 - 3 for Kraanan's next level.
    EXPECT_EQ(storedInt(slot1, "Magic_Number"), 63);
    EXPECT_EQ(c.sheet.nextKraanan, 84);
}

TEST_F(CharacterStoreTest, ClearEntryEmptiesAndRenamesTheSelectedSlotButStoresNothingYet)
{
    StoredCharacter c;
    c.slot = 2;
    c.load();
    c.sheet.currentIntel = 80;
    c.names = {"Ann", "Bo", "Cy"};
    c.save();
    applySpellCountMode(c.sheet, 0);

    EXPECT_EQ(clearCharacter(c.sheet, c.names, c.slot), (PercentFields{true, true, true}));
    EXPECT_EQ(c.sheet.currentIntel, 0);
    EXPECT_EQ(c.sheet.spellCount, 2);
    EXPECT_EQ(c.sheet.spellDivisor, 1.0);
    EXPECT_EQ(c.names, (PlayerNames{"Ann", "Player 2", "Cy"}));
    EXPECT_EQ(storedInt(slot2, "Current_Intel"), 80);
    EXPECT_EQ(storedText(rootKeyPath, "Player_Name2"), "Bo");

    c.save();
    EXPECT_EQ(storedInt(slot2, "Current_Intel"), 0);
    EXPECT_EQ(storedText(rootKeyPath, "Player_Name2"), "Player 2");
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
    Registry registry;
    const HKEY bogus = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x1234abcu));
    RegistryKey key(registry, bogus, "Software\\Nowhere", true);
    EXPECT_EQ(key.openFailure(), "CVORegistry() Constructor3: KEY_READ Access Failed: 1234abc\nSoftware\\Nowhere\n");
    EXPECT_FALSE(key.isOpen());
    EXPECT_EQ(key.readInt("x", 7, true), 7);
    EXPECT_EQ(key.readString("x", "dflt", true), "dflt");
    EXPECT_FALSE(key.writeInt("x", 1));
    EXPECT_FALSE(key.writeString("x", "y"));
    EXPECT_FALSE(key.close());
}

class RegistryKeyTest : public CharacterStoreTest { };

TEST_F(RegistryKeyTest, ReadIntWritesBackDefaultsButNotTheSentinel)
{
    {
        Registry registry;
        RegistryKey key(registry, HKEY_CURRENT_USER, slot1.c_str(), true);
        EXPECT_EQ(key.openFailure(), std::nullopt);
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
}

TEST_F(RegistryKeyTest, ValuesOfOtherTypesReadAsDefinedFigures)
{
    Registry registry;
    RegistryKey key(registry, HKEY_CURRENT_USER, slot1.c_str(), true);
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
    const std::string text(70000, 'n');
    {
        Registry registry;
        RegistryKey key(registry, HKEY_CURRENT_USER, slot2.c_str(), true);
        ASSERT_TRUE(key.writeString("Name", text.c_str()));
    }
    EXPECT_EQ(storedText(slot2, "Name"), text);
}

}  // namespace
