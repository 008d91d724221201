#include "reg_text.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace sorvex::regfile {

namespace {

void appendUtf8(std::string& out, std::uint32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::vector<std::uint32_t> decodeUtf8Lenient(const std::string& s)
{
    std::vector<std::uint32_t> out;
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        std::size_t len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
        std::uint32_t cp = len == 1 ? b : len == 2 ? (b & 0x1Fu) : len == 3 ? (b & 0x0Fu) : (b & 0x07u);
        bool ok = len != 0 && i + len <= s.size();
        for (std::size_t k = 1; ok && k < len; ++k) {
            const auto c = static_cast<unsigned char>(s[i + k]);
            if ((c >> 6) != 2)
                ok = false;
            else
                cp = (cp << 6) | (c & 0x3Fu);
        }
        if (ok) {
            const std::uint32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
            ok = cp >= minimum[len] && cp <= 0x10FFFF && !(cp >= 0xD800 && cp < 0xE000);
        }
        if (!ok) {
            out.push_back(b);
            ++i;
        } else {
            out.push_back(cp);
            i += len;
        }
    }
    return out;
}

// The first '"' or '\\' from pos on, else the end; a plain loop, as find_first_of calls memchr per byte.
std::size_t quoteOrBackslash(std::string_view s, std::size_t pos)
{
    while (pos < s.size() && s[pos] != '"' && s[pos] != '\\')
        ++pos;
    return pos;
}

}  // namespace

std::string utf16LeToUtf8(const std::string& bytes, std::size_t start, bool& damaged)
{
    std::string out;
    const std::size_t n = bytes.size();
    if ((n - start) % 2 != 0)
        damaged = true;
    auto unit = [&](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i]))
            | static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8;
    };
    for (std::size_t i = start; i + 1 < n; i += 2) {
        std::uint32_t u = unit(i);
        if (u >= 0xD800 && u < 0xDC00 && i + 3 < n && unit(i + 2) >= 0xDC00 && unit(i + 2) < 0xE000) {
            u = 0x10000 + ((u - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
            i += 2;
        } else if (u >= 0xD800 && u < 0xE000) {
            u = 0xFFFD;
            damaged = true;
        }
        appendUtf8(out, u);
    }
    return out;
}

std::string utf8ToUtf16LeBytes(const std::string& s)
{
    std::string out;
    auto put = [&](std::uint32_t u) {
        out += static_cast<char>(u & 0xFF);
        out += static_cast<char>((u >> 8) & 0xFF);
    };
    for (std::uint32_t cp : decodeUtf8Lenient(s)) {
        if (cp >= 0x10000) {
            cp -= 0x10000;
            put(0xD800 + (cp >> 10));
            put(0xDC00 + (cp & 0x3FF));
        } else {
            put(cp);
        }
    }
    return out;
}

std::string asUtf8(const std::string& s)
{
    if (std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return s;
    std::string out;
    for (const std::uint32_t cp : decodeUtf8Lenient(s))
        appendUtf8(out, cp);
    return out;
}

std::string_view trim(std::string_view s)
{
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

bool parseQuoted(std::string_view s, std::size_t& pos, std::string& out)
{
    if (pos >= s.size() || s[pos] != '"')
        return false;
    ++pos;
    while (pos < s.size()) {
        const std::size_t stop = quoteOrBackslash(s, pos);
        out.append(s.substr(pos, stop - pos));
        pos = stop;
        if (pos >= s.size())
            break;
        const char c = s[pos++];
        if (c == '"')
            return true;
        if (pos < s.size())
            out += s[pos++];
        else
            out += c;
    }
    return false;
}

std::string quote(std::string_view s)
{
    std::string out;
    out.reserve(s.size() + 2);
    out += '"';
    for (std::size_t pos = 0; pos < s.size();) {
        const std::size_t stop = quoteOrBackslash(s, pos);
        out.append(s.substr(pos, stop - pos));
        if (stop < s.size()) {
            out += '\\';
            out += s[stop];
        }
        pos = stop + 1;
    }
    return out + '"';
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool parseHexBytes(std::string_view s, std::string& out)
{
    std::size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
            ++i;
        if (i >= s.size())
            break;
        const int hi = hexDigit(s[i]);
        const int lo = i + 1 < s.size() ? hexDigit(s[i + 1]) : -1;
        if (hi < 0 || lo < 0)
            return false;
        out += static_cast<char>(hi * 16 + lo);
        i += 2;
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
            ++i;
        if (i < s.size()) {
            if (s[i] != ',')
                return false;
            ++i;
        }
    }
    return true;
}

std::string hexBytes(const std::string& bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0)
            out += (i % 24 == 0) ? ",\\\r\n  " : ",";
        const auto b = static_cast<unsigned char>(bytes[i]);
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

}  // namespace sorvex::regfile
