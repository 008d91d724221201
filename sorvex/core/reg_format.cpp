#include "reg_format.h"

#include <cstdio>
#include <vector>

namespace sorvex::regfile {

namespace {

constexpr const char* rootName = "HKEY_CURRENT_USER";

bool isTextType(DWORD type)
{
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

bool parseDword(std::string_view digits, Value& value)
{
    if (digits.empty() || digits.size() > 8)
        return false;
    std::uint32_t v = 0;
    for (const char c : digits) {
        const int d = hexDigit(c);
        if (d < 0)
            return false;
        v = v * 16 + static_cast<std::uint32_t>(d);
    }
    value.type = REG_DWORD;
    value.data.clear();
    for (int k = 0; k < 4; ++k)
        value.data += static_cast<char>((v >> (8 * k)) & 0xFF);
    return true;
}

// "hex:" binary data, or "hex(type):" data of any type; version 5 files hold text types as UTF-16.
bool parseHex(std::string_view s, bool version5, Value& value)
{
    std::size_t pos = 3;
    DWORD type = REG_BINARY;
    if (pos < s.size() && s[pos] == '(') {
        const auto close = s.find(')', pos);
        if (close == std::string::npos || close == pos + 1 || close - pos - 1 > 8)
            return false;
        type = 0;
        for (std::size_t k = pos + 1; k < close; ++k) {
            const int d = hexDigit(s[k]);
            if (d < 0)
                return false;
            type = type * 16 + static_cast<DWORD>(d);
        }
        pos = close + 1;
    }
    if (pos >= s.size() || s[pos] != ':')
        return false;
    std::string bytes;
    if (!parseHexBytes(s.substr(pos + 1), bytes))
        return false;
    value.type = type;
    if (version5 && isTextType(type)) {
        bool bad = false;
        value.data = utf16LeToUtf8(bytes, 0, bad);
        if (bad)
            return false;
    } else {
        value.data = isTextType(type) ? asUtf8(bytes) : bytes;
    }
    return true;
}

bool parseData(std::string_view text, bool version5, Value& value)
{
    const std::string_view s = trim(text);
    if (!s.empty() && s[0] == '"') {
        std::size_t pos = 0;
        std::string str;
        if (!parseQuoted(s, pos, str) || !trim(s.substr(pos)).empty())
            return false;
        value.type = REG_SZ;
        // Text is written back as UTF-16, which holds only characters: bytes that are none are taken as Latin-1
        // now rather than changed by the next save.
        value.data = asUtf8(str) + '\0';
        return true;
    }
    if (s.rfind("dword:", 0) == 0)
        return parseDword(s.substr(6), value);
    if (s.rfind("hex", 0) != 0)
        return false;
    return parseHex(s, version5, value);
}

// The file's text as UTF-8, in whichever of regedit's encodings it was written; converted holds it where it
// had to be converted.
std::string_view decodeText(const std::string& raw, std::string& converted, bool& damaged)
{
    std::string_view text = raw;
    if (raw.size() >= 2 && static_cast<unsigned char>(raw[0]) == 0xFF && static_cast<unsigned char>(raw[1]) == 0xFE) {
        converted = utf16LeToUtf8(raw, 2, damaged);
        text = converted;
    } else if (raw.size() >= 3 && raw.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        text.remove_prefix(3);
    }
    if (text.find('\0') != std::string_view::npos)
        damaged = true;
    return text;
}

// The line from pos on, without its line break and carriage returns; pos moves past it. A line with a
// carriage return inside is copied into scratch without it; every other line is a view of the text, so that
// a file of many short lines costs no more than its size.
std::string_view nextLine(std::string_view text, std::size_t& pos, std::string& scratch)
{
    const std::size_t end = std::min(text.find('\n', pos), text.size());
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    while (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    if (line.find('\r') == std::string_view::npos)
        return line;
    scratch.assign(line);
    scratch.erase(std::remove(scratch.begin(), scratch.end(), '\r'), scratch.end());
    return scratch;
}

// A "[HKEY_CURRENT_USER\...]" line makes its key, and its parents, the current one; a deleted key or one
// of another root leaves none current. False when the keys are too many for a store.
bool readKeyLine(std::string_view line, Tree& tree, std::size_t& keyBytes, Key*& current, bool& damaged)
{
    current = nullptr;
    if (line.back() != ']') {
        damaged = true;
        return true;
    }
    const std::string_view name = line.substr(1, line.size() - 2);
    if (!name.empty() && name[0] == '-')
        return true;
    const std::string_view prefix = rootName;
    if (name.size() < prefix.size() || !std::equal(prefix.begin(), prefix.end(), name.begin(), [](char a, char b) {
            return foldCase(a) == foldCase(b);
        })) {
        damaged = true;  // other roots are not ours; keep the original
        return true;
    }
    std::string path(name.substr(prefix.size()));
    if (!path.empty() && path[0] != '\\') {
        damaged = true;
        return true;
    }
    if (!path.empty())
        path.erase(0, 1);
    if (!path.empty() && (path.back() == '\\' || path.find("\\\\") != std::string::npos)) {
        damaged = true;
        return true;
    }
    // A zero byte would be written into the file, which would then read as damaged at every save.
    if (!keyPathFits(path) || path.find('\0') != std::string::npos) {
        damaged = true;
        return true;
    }
    current = &ensureWithParents(tree, path, keyBytes);
    return keyBytes <= maxKeyBytes;
}

// A '"name"=data' or '@=data' line sets, or with "-" deletes, a value of the current key.
void readValueLine(std::string_view line, bool version5, Key* current, bool& damaged)
{
    std::string valueName;
    std::size_t pos = 0;
    if (line[0] == '@') {
        pos = 1;
    } else if (!parseQuoted(line, pos, valueName) || valueName.size() > maxValueNameBytes
               || valueName.find('\0') != std::string::npos) {
        damaged = true;
        return;
    }
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t'))
        ++pos;
    if (pos >= line.size() || line[pos] != '=' || current == nullptr) {
        damaged = true;
        return;
    }
    const std::string_view data = line.substr(pos + 1);
    if (trim(data) == "-") {
        current->values.erase(valueName);
        return;
    }
    Value value;
    if (!parseData(data, version5, value)) {
        damaged = true;
        return;
    }
    current->values.insert_or_assign(std::move(valueName), std::move(value));
}

// Only ASCII is written as a quoted string: regedit reads a file without a byte order mark in the ANSI
// code page, so other text goes as UTF-16 bytes, which it imports unchanged whatever the code page. So does
// text too long for one line, which only a file written elsewhere holds.
bool isPlainText(const Value& v)
{
    if (v.type != REG_SZ || v.data.empty() || v.data.back() != '\0' || v.data.size() > maxValueBytes)
        return false;
    return std::all_of(v.data.begin(), v.data.end() - 1, [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u >= 0x20 && u < 0x7F;
    });
}

}  // namespace

std::size_t keyDepth(std::string_view path)
{
    return path.empty() ? 0 : 1 + static_cast<std::size_t>(std::count(path.begin(), path.end(), '\\'));
}

bool keyPathFits(std::string_view path)
{
    return keyDepth(path) <= maxKeyDepth && path.size() < maxLineBytes / 2;
}

// The parents of every key in the tree are in it too, so walking up from the key stops at the first one
// there and each key is made once. made grows by the bytes of the paths made.
Key& ensureWithParents(Tree& tree, const std::string& path, std::size_t& made)
{
    // Files are written in order, so a new key mostly goes last.
    auto at = !tree.empty() && tree.key_comp()(tree.rbegin()->first, path) ? tree.end() : tree.lower_bound(path);
    if (at != tree.end() && !tree.key_comp()(path, at->first))
        return at->second;
    std::vector<std::size_t> missing;
    for (std::size_t end = path.rfind('\\');
         end != std::string::npos && end != 0 && tree.find(std::string_view(path).substr(0, end)) == tree.end();
         end = path.rfind('\\', end - 1))
        missing.push_back(end);
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
        std::string prefix = path.substr(0, *it);
        made += 2 * prefix.size();
        tree.emplace_hint(at, prefix, Key{prefix, {}});
    }
    made += 2 * path.size();
    return tree.emplace_hint(at, path, Key{path, {}})->second;
}

Tree parseTree(const std::string& raw, bool& damaged, bool& overCap)
{
    std::string converted;
    const std::string_view text = decodeText(raw, converted, damaged);
    Tree tree;
    std::size_t keyBytes = 0;
    bool version5 = true;
    bool headerSeen = false;
    Key* current = nullptr;
    std::string scratch;
    std::string joined;
    for (std::size_t pos = 0; pos < text.size();) {
        std::string_view physical = nextLine(text, pos, scratch);
        bool tooLong = physical.size() > maxLineBytes;
        std::string_view line = trim(physical);
        // A comment ends with its line, whatever its last character.
        if (!line.empty() && line.back() == '\\' && line[0] != ';' && pos < text.size()) {
            joined.assign(line);
            while (!joined.empty() && joined.back() == '\\' && pos < text.size()) {
                joined.pop_back();
                physical = nextLine(text, pos, scratch);
                tooLong = tooLong || physical.size() > maxLineBytes;
                joined += trim(physical);
            }
            line = joined;
        }
        if (tooLong) {
            damaged = true;
            // What follows a key left out is left out with it, not given to the key before.
            if (!line.empty() && line[0] == '[')
                current = nullptr;
            continue;
        }
        if (line.empty() || line[0] == ';')
            continue;
        if (!headerSeen) {
            headerSeen = true;
            if (line == "Windows Registry Editor Version 5.00")
                continue;
            if (line == "REGEDIT4") {
                version5 = false;
                continue;
            }
            damaged = true;
        }
        if (line[0] != '[') {
            readValueLine(line, version5, current, damaged);
        } else if (!readKeyLine(line, tree, keyBytes, current, damaged)) {
            overCap = true;
            return {};
        }
    }
    if (!headerSeen && !raw.empty())
        damaged = true;
    return tree;
}

std::string writeTree(const Tree& tree, std::size_t limit)
{
    std::string out = "Windows Registry Editor Version 5.00\r\n\r\n";
    for (const auto& [unused, key] : tree) {
        if (out.size() > limit)
            break;
        out += '[';
        out += rootName;
        if (!key.path.empty())
            out += '\\' + key.path;
        out += "]\r\n";
        for (const auto& [name, v] : key.values) {
            out += name.empty() ? std::string("@") : quote(name);
            out += '=';
            if (v.type == REG_DWORD && v.data.size() == 4) {
                std::uint32_t x = 0;
                for (int k = 3; k >= 0; --k)
                    x = (x << 8) | static_cast<unsigned char>(v.data[static_cast<std::size_t>(k)]);
                char buf[16];
                std::snprintf(buf, sizeof buf, "dword:%08x", static_cast<unsigned>(x));
                out += buf;
            } else if (isPlainText(v)) {
                out += quote(std::string_view(v.data).substr(0, v.data.size() - 1));
            } else if (isTextType(v.type)) {
                char buf[24];
                std::snprintf(buf, sizeof buf, "hex(%x):", static_cast<unsigned>(v.type));
                out += buf + hexBytes(utf8ToUtf16LeBytes(v.data));
            } else if (v.type == REG_BINARY) {
                out += "hex:" + hexBytes(v.data);
            } else {
                char buf[24];
                std::snprintf(buf, sizeof buf, "hex(%x):", static_cast<unsigned>(v.type));
                out += buf + hexBytes(v.data);
            }
            out += "\r\n";
        }
        out += "\r\n";
    }
    return out;
}

std::string parseAndWrite(const std::string& bytes, bool* damaged)
{
    bool bad = false;
    bool overCap = false;
    const Tree tree = parseTree(bytes, bad, overCap);
    if (damaged)
        *damaged = bad || overCap;
    return writeTree(tree);
}

}  // namespace sorvex::regfile
