#include "reg_format.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

using namespace sorvex::regfile;
using namespace std::string_literals;

namespace {

const std::string header = "Windows Registry Editor Version 5.00\r\n\r\n";
const std::string software = "[HKEY_CURRENT_USER\\Software]\r\n";
const std::string valueB = "\"b\"=\"y\"\r\n";

std::string keyOfDepth(std::size_t depth)
{
    std::string line = "[HKEY_CURRENT_USER";
    for (std::size_t level = 0; level < depth; ++level)
        line += "\\k";
    return line + "]\r\n";
}

// The keys from depth 1 down to the one given, as written.
std::string keysDownTo(std::size_t depth)
{
    std::string keys;
    for (std::size_t level = 1; level <= depth; ++level)
        keys += keyOfDepth(level) + "\r\n";
    return keys;
}

struct Reading {
    const char* name;
    std::string text;
    std::string written;
    bool damaged;
};

void PrintTo(const Reading& reading, std::ostream* os)
{
    *os << reading.name;
}

class RegFormatReading : public testing::TestWithParam<Reading> { };

// Text in, the tree written back out: what was understood is kept, the rest only marks the text damaged.
TEST_P(RegFormatReading, KeepsWhatItUnderstands)
{
    const Reading& reading = GetParam();
    bool damaged = false;
    bool overCap = false;
    const Tree tree = parseTree(reading.text, damaged, overCap);
    EXPECT_FALSE(overCap);
    EXPECT_EQ(damaged, reading.damaged);
    EXPECT_EQ(writeTree(tree), reading.written);
    bool again = false;
    EXPECT_EQ(parseTree(writeTree(tree), again, overCap), tree);
    EXPECT_FALSE(again);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, RegFormatReading,
    testing::Values(
        Reading{"Empty", "", header, false},
        Reading{"Regedit4BecomesVersion5", "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\A]\r\n\"n\"=dword:0000002a\r\n",
                header + software + "\r\n[HKEY_CURRENT_USER\\Software\\A]\r\n\"n\"=dword:0000002a\r\n\r\n", false},
        Reading{"NoHeader", "[HKEY_CURRENT_USER\\Software]\r\n\"n\"=dword:1\r\n",
                header + software + "\"n\"=dword:00000001\r\n\r\n", true},
        Reading{"OtherRootIsLeftOut", header + "[HKEY_LOCAL_MACHINE\\Software]\r\n\"n\"=dword:1\r\n", header, true},
        Reading{"DeletedKeyAndValue",
                header + "[-HKEY_CURRENT_USER\\Gone]\r\n" + software + "\"a\"=\"x\"\r\n\"b\"=\"y\"\r\n\"a\"=-\r\n",
                header + software + "\"b\"=\"y\"\r\n\r\n", false},
        Reading{"NamesMatchWithoutCase",
                header + software + "\"Name\"=\"x\"\r\n[hkey_current_user\\SOFTWARE]\r\n\"NAME\"=\"y\"\r\n",
                header + software + "\"Name\"=\"y\"\r\n\r\n", false},
        Reading{"ContinuedHexLines", header + software + "\"b\"=hex:01,02,\\\r\n  03\r\n",
                header + software + "\"b\"=hex:01,02,03\r\n\r\n", false},
        Reading{"UnreadableValueLine", header + software + "\"a\"=dword:xyz\r\nnot a value\r\n\"b\"=\"y\"\r\n",
                header + software + "\"b\"=\"y\"\r\n\r\n", true},
        Reading{"LineOverTheLimit", header + software + "\"a\"=\"" + std::string(maxLineBytes, 'x') + "\"\r\n" + valueB,
                header + software + valueB + "\r\n", true},
        Reading{"KeyLineOverTheLimitTakesItsValues",
                header + software + valueB + "[HKEY_CURRENT_USER\\" + std::string(maxLineBytes, 'k')
                    + "]\r\n\"c\"=\"z\"\r\n",
                header + software + valueB + "\r\n", true},
        Reading{"KeyTooDeepTakesItsValues",
                header + keyOfDepth(maxKeyDepth + 1) + "\"c\"=\"z\"\r\n" + software + valueB,
                header + software + valueB + "\r\n", true},
        Reading{"KeyAtTheDepthLimit", header + keyOfDepth(maxKeyDepth), header + keysDownTo(maxKeyDepth), false},
        Reading{"CommentEndingInABackslash", header + software + "; see below \\\r\n" + valueB,
                header + software + valueB + "\r\n", false},
        Reading{"ZeroByteInAValueName", header + software + "\"a\0b\"=dword:1\r\n"s + valueB,
                header + software + valueB + "\r\n", true},
        Reading{"ZeroByteInAKeyPath",
                header + "[HKEY_CURRENT_USER\\Software\\a\0b]\r\n\"c\"=\"z\"\r\n"s + software + valueB,
                header + software + valueB + "\r\n", true},
        Reading{"AnsiTextIsTakenAsLatin1", "REGEDIT4\r\n" + software + "\"n\"=\"\xC6r\"\r\n\"t\"=hex(2):e9,00\r\n",
                header + software + "\"n\"=hex(1):c6,00,72,00,00,00\r\n\"t\"=hex(2):e9,00,00,00\r\n\r\n", false},
        Reading{"NameLongerThanTheRegistryTakes",
                header + software + "\"" + std::string(maxValueNameBytes + 1, 'n') + "\"=dword:1\r\n" + valueB,
                header + software + valueB + "\r\n", true}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(RegFormat, TextBeyondAsciiIsWrittenAsUtf16AndReadsBack)
{
    Tree tree;
    std::size_t made = 0;
    ensureWithParents(tree, "Software\\Q", made).values["Name"] = Value{REG_SZ, std::string("Z\xC3\xABn\0", 5)};
    const std::string written = writeTree(tree);
    EXPECT_NE(written.find("\"Name\"=hex(1):5a,00,eb,00,6e,00,00,00\r\n"), std::string::npos);
    bool damaged = true;
    EXPECT_EQ(parseAndWrite(written, &damaged), written);
    EXPECT_FALSE(damaged);
}

// Text too long for a quoted line, as only a file from elsewhere holds it, is written on continued lines.
TEST(RegFormat, LongTextFromElsewhereIsWrittenSoThatItReadsBack)
{
    const std::string text(600u << 10, '"');
    const std::string file = header + software + "\"t\"=hex(1):" + hexBytes(utf8ToUtf16LeBytes(text + '\0')) + "\r\n";
    bool damaged = true;
    const std::string written = parseAndWrite(file, &damaged);
    EXPECT_FALSE(damaged);
    bool overCap = false;
    const Tree tree = parseTree(written, damaged, overCap);
    EXPECT_FALSE(damaged || overCap);
    ASSERT_EQ(tree.count("Software"), 1u);
    EXPECT_TRUE(tree.at("Software").values.at("t").data == text + '\0');
}

// Eight MiB of empty lines are read in about the memory of the text, not of a string per line.
TEST(RegFormat, ManyLinesTakeMemoryInProportionToTheText)
{
    const std::string text = header + std::string(8u << 20, '\n') + software;
    const pid_t child = ::fork();
    if (child == 0) {
        rusage before{};
        rusage after{};
        bool damaged = false;
        ::getrusage(RUSAGE_SELF, &before);
        const Tree tree = parseTree(text, damaged, damaged);
        ::getrusage(RUSAGE_SELF, &after);
        ::_exit(tree.size() == 1 && after.ru_maxrss - before.ru_maxrss < 32 * 1024 ? 0 : 1);
    }
    int status = -1;
    ::waitpid(child, &status, 0);
    EXPECT_EQ(status, 0);
}

}  // namespace
