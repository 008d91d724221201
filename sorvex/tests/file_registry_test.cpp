#include "reg_format.h"
#include "registry_key.h"
#include "scratch_store.h"
#include "stored_character.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <thread>

using namespace sorvex;
using namespace sorvex::testing_support;
using sorvex::regfile::FileRegistry;
namespace fs = std::filesystem;

namespace {

const std::string slot1 = slotKeyPath(1);

std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeAllBytes(const std::string& path, const std::string& bytes)
{
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::string> leftovers(const std::string& folder, const std::string& marker)
{
    std::vector<std::string> found;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().filename().string().find(marker) != std::string::npos)
            found.push_back(entry.path().string());
    return found;
}

class FileRegistryTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(scratch.isValid()); }
    std::int32_t storedInt(const char* path, const char* name)
    {
        FileRegistry registry;
        RegistryKey key(registry, HKEY_CURRENT_USER, path, false);
        note(key);
        return key.readInt(name, RegistryKey::noDefault, false);
    }
    std::string storedText(const char* path, const char* name)
    {
        FileRegistry registry;
        RegistryKey key(registry, HKEY_CURRENT_USER, path, false);
        note(key);
        return key.readString(name, "<missing>", false);
    }
    // Slot 1's Qor stored in one operation; the file's notice stays in lastNotice.
    void storeQor(std::int32_t qor)
    {
        FileRegistry registry;
        RegistryKey(registry, HKEY_CURRENT_USER, slot1.c_str(), true).writeInt("Qor", qor);
        lastNotice = registry.takeNotice();
    }
    std::optional<std::string> lastNotice;
    // Keys that could not be opened, as the dialog would have been told of them.
    void note(const RegistryKey& key)
    {
        if (key.openFailure())
            failures.push_back(*key.openFailure());
    }
    ScratchStore scratch;
    const std::string folder = scratch.folder();
    std::vector<std::string> failures;
};

TEST_F(FileRegistryTest, LivesUnderTheConfigFolderInRegeditFormat)
{
    {
        FileRegistry registry;
        RegistryKey key(registry, HKEY_CURRENT_USER, slot1.c_str(), true);
        key.writeInt("Riija", 1);
        key.writeString("Name", "Zo \"Z\"");
        key.writeString("Accented", "Zoë");
    }
    EXPECT_EQ(regfile::storeFile(), folder + "/sorvex/registry.reg");
    EXPECT_EQ(readAll(regfile::storeFile()),
              "Windows Registry Editor Version 5.00\r\n\r\n"
              "[HKEY_CURRENT_USER\\Software]\r\n\r\n"
              "[HKEY_CURRENT_USER\\Software\\Quendrith Converter]\r\n\r\n"
              "[HKEY_CURRENT_USER\\Software\\Quendrith Converter\\Player1]\r\n"
              "\"Accented\"=hex(1):5a,00,6f,00,eb,00,00,00\r\n"
              "\"Name\"=\"Zo \\\"Z\\\"\"\r\n"
              "\"Riija\"=dword:00000001\r\n\r\n");
    EXPECT_EQ(storedText(slot1.c_str(), "Name"), "Zo \"Z\"");
    EXPECT_EQ(storedText(slot1.c_str(), "Accented"), "Zoë");
}

TEST_F(FileRegistryTest, ReadsTheFormatsRegeditExports)
{
    const std::string body = "\r\n[HKEY_CURRENT_USER\\Software\\Quendrith Converter\\Player1]\r\n"
                             "\"Kraanan\"=dword:00000005\r\n"
                             "\"jala\"=dword:ffffffff\r\n"
                             "\"Text\"=hex(2):41,00,42,00,\\\r\n  00,00\r\n"
                             "\"Bytes\"=hex:01,02\r\n";
    const struct {
        const char* name;
        std::string bytes;
    } files[] = {
        {"REGEDIT4", "REGEDIT4\r\n" + body},
        {"Version5", "Windows Registry Editor Version 5.00\r\n" + body},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.name);
        std::string bytes = f.bytes;
        if (std::string(f.name) == "REGEDIT4") {
            const std::string ansi = "\"Text\"=hex(2):41,42,00\r\n";
            bytes.replace(bytes.find("\"Text\""), bytes.find("\"Bytes\"") - bytes.find("\"Text\""), ansi);
        }
        writeAllBytes(regfile::storeFile(), bytes);
        EXPECT_EQ(storedInt(slot1.c_str(), "Kraanan"), 5);
        EXPECT_EQ(storedInt(slot1.c_str(), "Jala"), -1);
        EXPECT_EQ(storedText(slot1.c_str(), "Text"), "AB");
        EXPECT_EQ(storedInt(slot1.c_str(), "Bytes"), 0x0201);
    }

    // UTF-16LE with a byte order mark, as regedit writes it.
    std::string utf16 = "\xFF\xFE";
    for (const char c : "Windows Registry Editor Version 5.00\r\n" + body) {
        utf16 += c;
        utf16 += '\0';
    }
    writeAllBytes(regfile::storeFile(), utf16);
    EXPECT_EQ(storedInt(slot1.c_str(), "Kraanan"), 5);
    EXPECT_EQ(storedText(slot1.c_str(), "Text"), "AB");
    EXPECT_TRUE(failures.empty());
}

TEST_F(FileRegistryTest, ChangesOnlyWhatIsWrittenAndWritesOnceAtTheLastClose)
{
    writeAllBytes(regfile::storeFile(),
                  "Windows Registry Editor Version 5.00\r\n\r\n"
                  "[HKEY_CURRENT_USER\\Software\\Other]\r\n\"Keep\"=\"me\"\r\n");
    {
        FileRegistry registry;
        RegistryKey slot(registry, HKEY_CURRENT_USER, slot1.c_str(), true);
        RegistryKey root(registry, HKEY_CURRENT_USER, rootKeyPath, true);
        slot.writeInt("Qor", 3);
        root.writeString("Player_Name1", "A");
        slot.close();
        EXPECT_EQ(readAll(regfile::storeFile()).find("Qor"), std::string::npos);
        // Someone else's change while we hold the key would wait for the lock; the file is untouched.
    }
    const std::string after = readAll(regfile::storeFile());
    EXPECT_NE(after.find("\"Qor\"=dword:00000003"), std::string::npos);
    EXPECT_NE(after.find("\"Keep\"=\"me\""), std::string::npos);
    EXPECT_EQ(storedText("Software\\Other", "Keep"), "me");
    EXPECT_TRUE(leftovers(folder + "/sorvex", ".tmp-").empty());
}

TEST_F(FileRegistryTest, GarbageIsKeptAsideAndReportedOnce)
{
    const std::string garbage = "Windows Registry Editor Version 5.00\r\n"
                                "[HKEY_CURRENT_USER\\Software\\Quendrith Converter\\Player1]\r\n"
                                "\"Kraanan\"=dword:00000003\r\n"
                                "\x01\x02 this is not a value\r\n"
                                "\"Faren\"=dword:zz\r\n";
    writeAllBytes(regfile::storeFile(), garbage);
    StoredCharacter character;
    character.open();
    EXPECT_EQ(character.sheet.levelKraanan, 3);
    EXPECT_EQ(character.sheet.levelFaren, 0);

    const auto kept = leftovers(folder + "/sorvex", "registry.reg.unreadable-");
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(readAll(kept[0]), garbage);
    ASSERT_EQ(character.shown.size(), 1u);
    EXPECT_NE(character.shown[0].find(kept[0]), std::string::npos);

    character.open();
    EXPECT_EQ(character.shown.size(), 1u);
    EXPECT_EQ(leftovers(folder + "/sorvex", "registry.reg.unreadable-").size(), 1u);
    EXPECT_EQ(storedInt(slot1.c_str(), "Kraanan"), 3);
}

TEST_F(FileRegistryTest, BinaryAndHugeFilesDoNotStopTheProgram)
{
    std::mt19937 random(7);
    std::string noise(1 << 16, '\0');
    for (char& c : noise)
        c = static_cast<char>(random());
    const std::string huge = std::string(17u << 20, '[');
    const std::string* const files[] = {&noise, &huge};
    for (const std::string* bytes : files) {
        writeAllBytes(regfile::storeFile(), *bytes);
        FileRegistry registry;
        RegistryKey key(registry, HKEY_CURRENT_USER, slot1.c_str(), true);
        EXPECT_EQ(key.readInt("Riija", 1, true), 1);
        EXPECT_TRUE(key.writeInt("Qor", 2));
        key.close();
        EXPECT_TRUE(registry.takeNotice().has_value());
    }
    EXPECT_EQ(leftovers(folder + "/sorvex", "registry.reg.unreadable-").size(), 2u);
    EXPECT_EQ(storedInt(slot1.c_str(), "Qor"), 2);
}

TEST_F(FileRegistryTest, ReadOnlyFileReadsButRefusesWrites)
{
    {
        FileRegistry registry;
        RegistryKey key(registry, HKEY_CURRENT_USER, slot1.c_str(), true);
        key.writeInt("Faren", 4);
    }
    const std::string before = readAll(regfile::storeFile());
    ::chmod(regfile::storeFile().c_str(), 0444);
    {
        FileRegistry registry;
        RegistryKey key(registry, HKEY_CURRENT_USER, slot1.c_str(), true);
        EXPECT_TRUE(key.isOpen());
        EXPECT_EQ(key.openFailure(), std::nullopt);
        EXPECT_EQ(key.readInt("Faren", 0, true), 4);
        EXPECT_EQ(key.readInt("Qor", 9, true), 9);
        EXPECT_FALSE(key.writeInt("Faren", 5));
    }
    EXPECT_EQ(readAll(regfile::storeFile()), before);

    // A save there stores nothing and says so, without a message: the key could be opened for reading.
    StoredCharacter character;
    const SaveResult saved = character.save();
    EXPECT_FALSE(saved.saved);
    EXPECT_TRUE(character.shown.empty());
    EXPECT_EQ(readAll(regfile::storeFile()), before);

    // A new key cannot be made in a read-only store: the one message.
    FileRegistry registry;
    RegistryKey missing(registry, HKEY_CURRENT_USER, "Software\\Quendrith Converter\\Player2", true);
    EXPECT_FALSE(missing.isOpen());
    EXPECT_TRUE(missing.openFailure().has_value());
}

TEST_F(FileRegistryTest, UnusableFolderShowsTheMessageAndDefaults)
{
    writeAllBytes(folder + "/blocker", "not a folder");
    ::setenv("XDG_CONFIG_HOME", (folder + "/blocker").c_str(), 1);
    StoredCharacter character;
    character.open();
    // Two keys for the load, two for each of the two saves of the calculation.
    ASSERT_EQ(character.shown.size(), 6u);
    EXPECT_EQ(character.shown[0],
              "CVORegistry() Constructor3: KEY_READ Access Failed: 80000001\nSoftware\\Quendrith Converter\\Player1\n");
    EXPECT_EQ(character.shown[1],
              "CVORegistry() Constructor3: KEY_READ Access Failed: 80000001\nSoftware\\Quendrith Converter\n");
    EXPECT_EQ(character.names, (PlayerNames{"Player1", "Player2", "Player3"}));
    EXPECT_EQ(character.sheet.levelRiija, 1);
    EXPECT_EQ(character.sheet.magicNumber, 189);
    EXPECT_FALSE(character.save().saved);
}

// A writer killed at any point leaves either the old or the new file, never a broken one.
TEST_F(FileRegistryTest, KilledWriterNeverLeavesABrokenFile)
{
    {
        FileRegistry registry;
        RegistryKey key(registry, HKEY_CURRENT_USER, slot1.c_str(), true);
        key.writeInt("Kraanan", 0);
    }
    std::mt19937 random(11);
    for (int round = 0; round < 20; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            FileRegistry registry;
            for (std::int32_t i = 1;; ++i) {
                RegistryKey key(registry, HKEY_CURRENT_USER, slot1.c_str(), true);
                for (int v = 0; v < 50; ++v)
                    key.writeInt(("V" + std::to_string(v)).c_str(), i);
                key.writeInt("Kraanan", i);
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 20000));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        bool damaged = true;
        regfile::parseAndWrite(readAll(regfile::storeFile()), &damaged);
        EXPECT_FALSE(damaged) << "round " << round;
        EXPECT_NE(storedInt(slot1.c_str(), "Kraanan"), RegistryKey::noDefault);
    }
}

TEST_F(FileRegistryTest, TwoProcessesLoseNoValues)
{
    pid_t children[2];
    for (int c = 0; c < 2; ++c) {
        children[c] = ::fork();
        ASSERT_GE(children[c], 0);
        if (children[c] == 0) {
            FileRegistry registry;
            for (int i = 0; i < 40; ++i) {
                RegistryKey key(registry, HKEY_CURRENT_USER, slot1.c_str(), true);
                key.writeInt(("P" + std::to_string(c) + "_" + std::to_string(i)).c_str(), i);
            }
            ::_exit(0);
        }
    }
    for (const pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < 40; ++i)
            EXPECT_EQ(storedInt(slot1.c_str(), ("P" + std::to_string(c) + "_" + std::to_string(i)).c_str()), i);
}

// Runs body in a child process, so that a hang or a process-wide limit stays there; the child's exit
// code is body's result, 99 when it took longer than the seconds given.
int inChild(int seconds, const std::function<int()>& body)
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(body());
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    int status = 0;
    while (::waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(child, SIGKILL);
            ::waitpid(child, nullptr, 0);
            return 99;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 98;
}

// Files too large to be a character store are kept aside byte for byte, quickly, and a new store is used.
TEST_F(FileRegistryTest, OverSizedFilesAreKeptAsideWholeAndANewStoreIsUsed)
{
    const std::string header = "Windows Registry Editor Version 5.00\r\n\r\n";
    const std::string value = "[HKEY_CURRENT_USER\\" + slot1 + "]\r\n\"Kraanan\"=dword:00000007\r\n";
    std::string padding;
    while (padding.size() < (17u << 20))
        padding += "; " + std::string(98, 'x') + "\r\n";
    const std::string bytes = header + padding + value;
    writeAllBytes(regfile::storeFile(), bytes);
    const auto start = std::chrono::steady_clock::now();
    FileRegistry registry;
    {
        RegistryKey key(registry, HKEY_CURRENT_USER, slot1.c_str(), true);
        EXPECT_EQ(key.openFailure(), std::nullopt);
        EXPECT_EQ(key.readInt("Kraanan", 1, true), 1);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    const auto kept = leftovers(folder + "/sorvex", "registry.reg.unreadable-");
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_TRUE(readAll(kept[0]) == bytes);
    const auto notice = registry.takeNotice();
    ASSERT_TRUE(notice.has_value());
    EXPECT_NE(notice->find(kept[0]), std::string::npos);
    EXPECT_EQ(storedInt(slot1.c_str(), "Kraanan"), 1);
    EXPECT_TRUE(failures.empty());
}

struct Damage {
    const char* name;
    // Follows slot 1's "Kraanan"=3; whatever it would give slot 1 must not be taken.
    std::string text;
};

void PrintTo(const Damage& damage, std::ostream* os)
{
    *os << damage.name;
}

class DamagedStore : public FileRegistryTest, public ::testing::WithParamInterface<Damage> { };

// An over-long line or an over-deep key is left out like any other damage: the rest of the file is used,
// the original is kept aside byte for byte and the user is told where.
TEST_P(DamagedStore, LeavesOutTheDamageAndUsesTheRest)
{
    const std::string bytes = "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\"
        + std::string(rootKeyPath) + "]\r\n\"Player_Name1\"=\"Ann\"\r\n\r\n[HKEY_CURRENT_USER\\" + slot1
        + "]\r\n\"Kraanan\"=dword:00000003\r\n" + GetParam().text + "\r\n[HKEY_CURRENT_USER\\" + slotKeyPath(2)
        + "]\r\n\"Qor\"=dword:00000004\r\n";
    writeAllBytes(regfile::storeFile(), bytes);
    StoredCharacter character;
    character.open();
    EXPECT_EQ(character.sheet.levelKraanan, 3);
    EXPECT_EQ(character.names[0], "Ann");
    EXPECT_EQ(storedInt(slotKeyPath(2).c_str(), "Qor"), 4);

    const auto kept = leftovers(folder + "/sorvex", "registry.reg.unreadable-");
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_TRUE(readAll(kept[0]) == bytes);
    ASSERT_EQ(character.shown.size(), 1u);
    EXPECT_NE(character.shown[0].find("could not be read completely. What could be read is used"), std::string::npos);
    EXPECT_NE(character.shown[0].find(kept[0]), std::string::npos);
    EXPECT_LT(fs::file_size(regfile::storeFile()), 4096u);

    character.open();
    EXPECT_EQ(character.shown.size(), 1u);
    EXPECT_EQ(leftovers(folder + "/sorvex", "registry.reg.unreadable-").size(), 1u);
}

std::string deepKey(int depth)
{
    std::string path = "[HKEY_CURRENT_USER\\Software";
    for (int i = 0; i < depth; ++i)
        path += "\\k" + std::to_string(i);
    return path + "]\r\n";
}

INSTANTIATE_TEST_SUITE_P(
    Damages, DamagedStore,
    ::testing::Values(
        Damage{"ValueLineOf2MiB", "\"Kraanan\"=\"" + std::string(2u << 20, 'a') + "\"\r\n"},
        Damage{"KeyLineOf2MiB", "[HKEY_CURRENT_USER\\" + std::string(2u << 20, 'k') + "]\r\n\"Kraanan\"=dword:9\r\n"},
        Damage{"Key500LevelsDeep", deepKey(500) + "\"Kraanan\"=dword:9\r\n"},
        Damage{"ContinuedLineOf2MiB", "\"Kraanan\"=hex(4):09,00,00,\\\r\n" + std::string(2u << 20, ' ') + "00\r\n"}),
    [](const auto& row) { return std::string(row.param.name); });

// Long values of text that is not UTF-8 are written as UTF-16 bytes, several times their size: what
// is written must still read back, and a store that would grow too large is not written at all.
TEST_F(FileRegistryTest, WhatIsWrittenReadsBackAndAStoreTooLargeIsRefused)
{
    const std::string latin1(200u << 10, '\xE9');
    FileRegistry registry;
    HKEY key = nullptr;
    ASSERT_EQ(registry.createKey(HKEY_CURRENT_USER, slot1.c_str(), KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    for (const char* name : {"A", "B", "C"})
        EXPECT_EQ(registry.setValue(key, name, REG_SZ, reinterpret_cast<const BYTE*>(latin1.c_str()),
                                    static_cast<DWORD>(latin1.size() + 1)),
                  ERROR_SUCCESS);
    const std::string tooLong(300u << 10, 'x');
    EXPECT_EQ(registry.setValue(key, "D", REG_BINARY, reinterpret_cast<const BYTE*>(tooLong.data()),
                                static_cast<DWORD>(tooLong.size())),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(registry.closeKey(key), ERROR_SUCCESS);
    EXPECT_GT(fs::file_size(regfile::storeFile()), 1u << 20);
    std::string utf8;
    for (std::size_t i = 0; i < latin1.size(); ++i)
        utf8 += "\xC3\xA9";
    EXPECT_TRUE(storedText(slot1.c_str(), "C") == utf8);
    EXPECT_FALSE(registry.takeNotice().has_value());

    const std::string before = readAll(regfile::storeFile());
    ASSERT_EQ(registry.openKey(HKEY_CURRENT_USER, slot1.c_str(), KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    for (int i = 0; i < 5; ++i)
        registry.setValue(key, ("More" + std::to_string(i)).c_str(), REG_SZ,
                          reinterpret_cast<const BYTE*>(latin1.c_str()), static_cast<DWORD>(latin1.size() + 1));
    EXPECT_EQ(registry.closeKey(key), ERROR_WRITE_FAULT);
    const auto notice = registry.takeNotice();
    ASSERT_TRUE(notice.has_value());
    EXPECT_NE(notice->find(regfile::storeFile()), std::string::npos);
    EXPECT_TRUE(readAll(regfile::storeFile()) == before);
}

TEST_F(FileRegistryTest, AFolderInPlaceOfTheFileFailsTheOpenAndSaysWhere)
{
    fs::create_directories(regfile::storeFile());
    {
        FileRegistry registry;
        HKEY key = nullptr;
        EXPECT_EQ(registry.createKey(HKEY_CURRENT_USER, slot1.c_str(), KEY_ALL_ACCESS, &key), ERROR_ACCESS_DENIED);
        EXPECT_EQ(key, nullptr);
        EXPECT_EQ(registry.openKey(HKEY_CURRENT_USER, slot1.c_str(), KEY_READ, &key), ERROR_ACCESS_DENIED);
        if (key)
            registry.closeKey(key);
    }

    CharacterStore store;
    const SaveResult saved = store.save(1, {}, {"A", "B", "C"});
    EXPECT_FALSE(saved.saved);
    ASSERT_EQ(saved.messages.keyFailures.size(), 2u);
    EXPECT_EQ(saved.messages.keyFailures[0].rfind("CVORegistry() Constructor3: ", 0), 0u);
    ASSERT_TRUE(saved.messages.notice.has_value());
    EXPECT_NE(saved.messages.notice->find(regfile::storeFile()), std::string::npos);
    EXPECT_TRUE(fs::is_directory(regfile::storeFile()));
}

TEST_F(FileRegistryTest, AFifoInPlaceOfTheFileFailsTheOpenWithoutBlocking)
{
    fs::create_directories(folder + "/sorvex");
    ASSERT_EQ(::mkfifo(regfile::storeFile().c_str(), 0600), 0);
    const int result = inChild(10, [] {
        FileRegistry registry;
        HKEY key = nullptr;
        if (registry.openKey(HKEY_CURRENT_USER, slot1.c_str(), KEY_READ, &key) != ERROR_ACCESS_DENIED)
            return 1;
        const auto notice = registry.takeNotice();
        return notice && notice->find(regfile::storeFile()) != std::string::npos ? 0 : 2;
    });
    EXPECT_EQ(result, 0);
}

// Reading /proc/self/mem from offset 0 fails with EIO: a read error, not the end of the file.
TEST_F(FileRegistryTest, AReadErrorFailsTheOpenInsteadOfReadingAsEmpty)
{
    fs::create_directories(folder + "/sorvex");
    fs::create_symlink("/proc/self/mem", regfile::storeFile());
    FileRegistry registry;
    HKEY key = nullptr;
    EXPECT_EQ(registry.createKey(HKEY_CURRENT_USER, slot1.c_str(), KEY_ALL_ACCESS, &key), ERROR_READ_FAULT);
    if (key)
        registry.closeKey(key);
    const auto notice = registry.takeNotice();
    ASSERT_TRUE(notice.has_value());
    EXPECT_NE(notice->find(regfile::storeFile()), std::string::npos);
    EXPECT_TRUE(fs::is_symlink(regfile::storeFile()));
}

// The file may not grow past a few hundred bytes in the child, so the replacement cannot be written.
TEST_F(FileRegistryTest, AFailedWriteIsReportedOnceAndLeavesTheOldFile)
{
    {
        FileRegistry registry;
        RegistryKey key(registry, HKEY_CURRENT_USER, slot1.c_str(), true);
        key.writeInt("Kraanan", 3);
    }
    const std::string before = readAll(regfile::storeFile());
    const int result = inChild(20, [&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{static_cast<rlim_t>(before.size() + 64), static_cast<rlim_t>(before.size() + 64)};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return 1;
        FileRegistry registry;
        HKEY key = nullptr;
        if (registry.createKey(HKEY_CURRENT_USER, slot1.c_str(), KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
            return 2;
        const std::string text(200, 'z');
        registry.setValue(key, "Long", REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1));
        if (registry.closeKey(key) != ERROR_WRITE_FAULT)
            return 3;
        const auto notice = registry.takeNotice();
        if (!notice || notice->find(regfile::storeFile()) == std::string::npos)
            return 4;

        StoredCharacter character;
        character.names = {text, text, text};
        if (character.save().saved)
            return 5;
        if (character.shown.size() != 1 || character.shown[0].find(regfile::storeFile()) == std::string::npos)
            return 6;
        return 0;
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(readAll(regfile::storeFile()), before);
    EXPECT_TRUE(leftovers(folder + "/sorvex", ".tmp-").empty());
}

TEST_F(FileRegistryTest, ALockHeldElsewhereIsWaitedForBrieflyThenReported)
{
    fs::create_directories(folder + "/sorvex");
    const int held = ::open((regfile::storeFile() + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    const int result = inChild(30, [] {
        StoredCharacter character;
        const auto start = std::chrono::steady_clock::now();
        character.open();
        if (std::chrono::steady_clock::now() - start > std::chrono::seconds(10))
            return 1;
        const std::vector<std::string>& shown = character.shown;
        if (shown.empty() || shown[0].rfind("CVORegistry() Constructor3: ", 0) != 0)
            return 2;
        const bool named = std::any_of(shown.begin(), shown.end(), [](const std::string& m) {
            return m.find(regfile::storeFile()) != std::string::npos;
        });
        return named ? 0 : 3;
    });
    EXPECT_EQ(result, 0);
    ::close(held);
    EXPECT_FALSE(fs::exists(regfile::storeFile()));
    EXPECT_EQ(storedInt(slot1.c_str(), "Riija"), RegistryKey::noDefault);
}

enum class Later { ChangesAValue, ChangesNothing, OnlyReads };

struct LaterSave {
    const char* name;
    Later operation;
    bool linked;
};

void PrintTo(const LaterSave& save, std::ostream* os)
{
    *os << save.name;
}

class InterruptedSave : public FileRegistryTest, public ::testing::WithParamInterface<LaterSave> { };

// A save killed before its rename leaves its temporary file, beside the store or beside a linked store's
// target; so does a copy aside that was cut off. The next save removes them, also when it has nothing to
// write; an operation that only reads leaves them, and files that only look like them are never ours.
TEST_P(InterruptedSave, LeavesNothingThatTheNextSaveKeeps)
{
    const LaterSave& later = GetParam();
    std::string beside = folder + "/sorvex";
    std::string stored = "registry.reg";
    if (later.linked) {
        beside = folder + "/dotfiles";
        stored = "sorvex.reg";
        writeAllBytes(beside + "/" + stored, "Windows Registry Editor Version 5.00\r\n\r\n");
        fs::create_directories(folder + "/sorvex");
        fs::create_symlink("../dotfiles/sorvex.reg", regfile::storeFile());
    }
    auto saveQor = [](std::int32_t qor) {
        FileRegistry registry;
        RegistryKey key(registry, HKEY_CURRENT_USER, slot1.c_str(), true);
        EXPECT_TRUE(key.writeInt("Qor", qor));
        EXPECT_TRUE(key.close());
    };
    saveQor(1);
    const std::vector<std::string> ours
        = {beside + "/." + stored + ".sorvex-tmp-Ab12Cd",
           folder + "/sorvex/.registry.reg.unreadable-20261209-101010.sorvex-tmp-Xy34Zw"};
    const std::vector<std::string> theirs = {beside + "/" + stored + ".tmp-Ab12Cd", beside + "/other.reg.tmp-Ab12Cd",
                                             beside + "/." + stored + ".sorvex-tmp-Ab12Cd~"};
    for (const std::vector<std::string>* names : {&ours, &theirs})
        for (const std::string& name : *names)
            writeAllBytes(name, "half a file");

    if (later.operation == Later::OnlyReads)
        EXPECT_EQ(storedInt(slot1.c_str(), "Qor"), 1);
    else
        saveQor(later.operation == Later::ChangesAValue ? 2 : 1);
    for (const std::string& name : ours)
        EXPECT_EQ(fs::exists(name), later.operation == Later::OnlyReads) << name;
    for (const std::string& name : theirs)
        EXPECT_TRUE(fs::exists(name)) << name;
}

INSTANTIATE_TEST_SUITE_P(Saves, InterruptedSave,
                         ::testing::Values(LaterSave{"ThatChangesAValue", Later::ChangesAValue, false},
                                           LaterSave{"ThatChangesNothing", Later::ChangesNothing, false},
                                           LaterSave{"ThroughALinkThatChangesNothing", Later::ChangesNothing, true},
                                           LaterSave{"ThatOnlyReads", Later::OnlyReads, false},
                                           LaterSave{"ThroughALinkThatOnlyReads", Later::OnlyReads, true}),
                         [](const auto& row) { return std::string(row.param.name); });

struct Surrounding {
    const char* name;
    int mode;
    bool linked;
    bool linkInPlaceOfTheLock;
};

void PrintTo(const Surrounding& surrounding, std::ostream* os)
{
    *os << surrounding.name;
}

class SaveSurroundings : public FileRegistryTest, public ::testing::WithParamInterface<Surrounding> { };

// A save keeps who may read the file, a linked one too; a link planted in the lock's place is not followed,
// and the lock it keeps us from taking is told as what it is, with nothing lost.
TEST_P(SaveSurroundings, AreLeftAsTheyWere)
{
    const Surrounding& row = GetParam();
    storeQor(1);
    std::string target = regfile::storeFile();
    if (row.linked) {
        target = folder + "/sorvex.reg";
        fs::rename(regfile::storeFile(), target);
        fs::create_symlink(target, regfile::storeFile());
    }
    fs::permissions(target, fs::perms(row.mode));
    if (row.linkInPlaceOfTheLock) {
        fs::remove(regfile::storeFile() + ".lock");
        fs::create_symlink(folder + "/planted", regfile::storeFile() + ".lock");
    }
    storeQor(2);
    EXPECT_EQ(storedInt(slot1.c_str(), "Qor"), row.linkInPlaceOfTheLock ? 1 : 2);
    EXPECT_EQ(fs::status(target).permissions(), fs::perms(row.mode));
    EXPECT_FALSE(fs::exists(folder + "/planted"));
    if (row.linkInPlaceOfTheLock)
        EXPECT_EQ(lastNotice,
                  "The settings file\n" + regfile::storeFile() + "\ncould not be locked (" + std::strerror(ELOOP)
                      + "), so nothing is saved in it; it is only read.");
    else
        EXPECT_EQ(lastNotice, std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Files, SaveSurroundings,
                         ::testing::Values(Surrounding{"GroupMayRead", 0640, false, false},
                                           Surrounding{"GroupMayWrite", 0664, false, false},
                                           Surrounding{"LinkedAndGroupMayRead", 0640, true, false},
                                           Surrounding{"LinkInPlaceOfTheLock", 0600, false, true}),
                         [](const auto& row) { return std::string(row.param.name); });

// Without a home folder there is no store and no guess at one: the key messages of every operation, and once
// where we looked.
TEST_F(FileRegistryTest, WithoutAHomeFolderNothingIsStored)
{
    if (::geteuid() != 0 || ::getpwuid(54321) != nullptr)
        GTEST_SKIP() << "needs to become a user without a home folder";
    const bool hadTmpStore = fs::exists("/tmp/.config/sorvex");
    EXPECT_EQ(inChild(30,
                      [] {
                          ::unsetenv("XDG_CONFIG_HOME");
                          ::unsetenv("HOME");
                          StoredCharacter character;
                          if (::setuid(54321) == 0)
                              character.open();
                          const std::vector<std::string>& shown = character.shown;
                          return shown.size() == 7 && shown[2].find("HOME name no absolute folder") != std::string::npos
                              ? 0
                              : 1;
                      }),
              0);
    EXPECT_EQ(fs::exists("/tmp/.config/sorvex"), hadTmpStore);
}

TEST_F(FileRegistryTest, SavesThroughASymbolicLinkKeepTheLink)
{
    const std::string elsewhere = folder + "/dotfiles/sorvex.reg";
    writeAllBytes(elsewhere, "Windows Registry Editor Version 5.00\r\n\r\n");
    fs::create_directories(folder + "/sorvex");
    fs::create_symlink("../dotfiles/sorvex.reg", regfile::storeFile());
    for (int i = 1; i <= 2; ++i) {
        FileRegistry registry;
        RegistryKey key(registry, HKEY_CURRENT_USER, slot1.c_str(), true);
        EXPECT_EQ(key.openFailure(), std::nullopt);
        key.writeInt("Qor", i);
        key.close();
        EXPECT_EQ(registry.takeNotice(), std::nullopt);
    }
    EXPECT_TRUE(fs::is_symlink(regfile::storeFile()));
    EXPECT_NE(readAll(elsewhere).find("\"Qor\"=dword:00000002"), std::string::npos);
    EXPECT_TRUE(leftovers(folder + "/dotfiles", ".tmp-").empty());
}

}  // namespace
