// The text of .reg files: UTF-16 and UTF-8, quoted strings and hex byte lists.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace sorvex::regfile {

// Names compare as the registry does for ASCII, the same in every locale.
inline unsigned char foldCase(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u >= 'A' && u <= 'Z' ? static_cast<unsigned char>(u + ('a' - 'A')) : u;
}

// UTF-16LE bytes from start on as UTF-8; odd lengths and lone surrogates set damaged.
std::string utf16LeToUtf8(const std::string& bytes, std::size_t start, bool& damaged);
// Bytes that are not UTF-8 are taken as Latin-1, so any string can be written.
std::string utf8ToUtf16LeBytes(const std::string& s);
// The same taking: UTF-8 as it is, other bytes as Latin-1.
std::string asUtf8(const std::string& s);

std::string_view trim(std::string_view s);

// Parses a quoted text starting at s[pos] == '"'; pos ends after the closing quote.
bool parseQuoted(std::string_view s, std::size_t& pos, std::string& out);
std::string quote(std::string_view s);

int hexDigit(char c);
// "01,ab, 2f": bytes written as comma-separated pairs of hex digits.
bool parseHexBytes(std::string_view s, std::string& out);
// The same, in lines of 24 bytes continued with a backslash, as regedit writes them.
std::string hexBytes(const std::string& bytes);

}  // namespace sorvex::regfile
