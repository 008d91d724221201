#include "registry_api.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <map>
#include <set>
#include <string_view>
#include <thread>
#include <vector>

#include <dirent.h>

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A store of three characters is about a kilobyte; files past these limits are not ours to read.
constexpr std::size_t maxFileBytes = 8u << 20;
constexpr std::size_t maxLineBytes = 1u << 20;
// What is written must read back: a quoted value, escaped, stays on a line within the limit (longer
// binary data is written on continued lines), and a save that would pass the file limit is refused.
constexpr std::size_t maxValueBytes = 256u << 10;
constexpr std::size_t maxValueNameBytes = 16383;
constexpr std::size_t maxKeyDepth = 64;
// All key paths together, parents included, that one file may make us hold.
constexpr std::size_t maxKeyBytes = 32u << 20;
constexpr const char* rootName = "HKEY_CURRENT_USER";

// Names compare as the registry does for ASCII, the same in every locale.
unsigned char foldCase(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u >= 'A' && u <= 'Z' ? static_cast<unsigned char>(u + ('a' - 'A')) : u;
}

struct CaseLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const
    {
        const std::size_t n = std::min(a.size(), b.size());
        for (std::size_t i = 0; i < n; ++i) {
            if (a[i] == b[i])
                continue;
            const unsigned char x = foldCase(a[i]);
            const unsigned char y = foldCase(b[i]);
            if (x != y)
                return x < y;
        }
        return a.size() < b.size();
    }
};

struct Value {
    DWORD type = REG_NONE;
    std::string data;
    bool operator==(const Value&) const = default;
};

struct Key {
    std::string path;  // as first spelled
    std::map<std::string, Value, CaseLess> values;
};

using Tree = std::map<std::string, Key, CaseLess>;

// ---- text conversion ----

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

std::string utf16LeToUtf8(const std::string& bytes, std::size_t start, bool& damaged)
{
    std::string out;
    const std::size_t n = bytes.size();
    if ((n - start) % 2 != 0)
        damaged = true;
    auto unit = [&](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) |
               static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8;
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

// Bytes that are not UTF-8 are taken as Latin-1, so any string can be written.
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

bool isTextType(DWORD type)
{
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// ---- reading ----

std::string_view trim(std::string_view s)
{
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

// The first '"' or '\\' from pos on, else the end; a plain loop, as find_first_of calls memchr per byte.
std::size_t quoteOrBackslash(std::string_view s, std::size_t pos)
{
    while (pos < s.size() && s[pos] != '"' && s[pos] != '\\')
        ++pos;
    return pos;
}

// Parses a quoted text starting at s[pos] == '"'; pos ends after the closing quote.
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

bool parseData(std::string_view text, bool version5, Value& value)
{
    const std::string_view s = trim(text);
    if (!s.empty() && s[0] == '"') {
        std::size_t pos = 0;
        std::string str;
        if (!parseQuoted(s, pos, str) || !trim(s.substr(pos)).empty())
            return false;
        value.type = REG_SZ;
        str += '\0';
        value.data = std::move(str);
        return true;
    }
    if (s.rfind("dword:", 0) == 0) {
        const std::string_view digits = s.substr(6);
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
    if (s.rfind("hex", 0) != 0)
        return false;
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
        value.data = bytes;
    }
    return true;
}

std::size_t keyDepth(std::string_view path)
{
    return path.empty() ? 0 : 1 + static_cast<std::size_t>(std::count(path.begin(), path.end(), '\\'));
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
    for (std::size_t end = path.rfind('\\'); end != std::string::npos && end != 0 &&
                                              tree.find(std::string_view(path).substr(0, end)) == tree.end();
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

// overCap: the file is too large or too deep to be a store; nothing of it is used then.
Tree parseTree(const std::string& raw, bool& damaged, bool& overCap)
{
    std::string text;
    if (raw.size() >= 2 && static_cast<unsigned char>(raw[0]) == 0xFF && static_cast<unsigned char>(raw[1]) == 0xFE)
        text = utf16LeToUtf8(raw, 2, damaged);
    else if (raw.size() >= 3 && raw.compare(0, 3, "\xEF\xBB\xBF") == 0)
        text = raw.substr(3);
    else
        text = raw;
    if (text.find('\0') != std::string::npos)
        damaged = true;

    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string line = text.substr(start, end - start);
        if (line.find('\r') != std::string::npos)
            line.erase(std::remove(line.begin(), line.end(), '\r'), line.end());
        if (line.size() > maxLineBytes) {
            overCap = true;
            return {};
        }
        if (end < text.size() || !line.empty())
            lines.push_back(std::move(line));
        start = end + 1;
    }

    Tree tree;
    std::size_t keyBytes = 0;
    bool version5 = true;
    bool headerSeen = false;
    Key* current = nullptr;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string line(trim(lines[i]));
        while (!line.empty() && line.back() == '\\' && i + 1 < lines.size()) {
            line.pop_back();
            line += trim(lines[++i]);
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
        if (line[0] == '[') {
            current = nullptr;
            if (line.back() != ']') {
                damaged = true;
                continue;
            }
            const std::string name = line.substr(1, line.size() - 2);
            if (!name.empty() && name[0] == '-')
                continue;
            const std::string prefix = rootName;
            if (name.size() < prefix.size() || !std::equal(prefix.begin(), prefix.end(), name.begin(), [](char a, char b) {
                    return foldCase(a) == foldCase(b);
                })) {
                damaged = true;  // other roots are not ours; keep the original
                continue;
            }
            std::string path = name.substr(prefix.size());
            if (!path.empty() && path[0] != '\\') {
                damaged = true;
                continue;
            }
            if (!path.empty())
                path.erase(0, 1);
            if (!path.empty() && (path.back() == '\\' || path.find("\\\\") != std::string::npos)) {
                damaged = true;
                continue;
            }
            if (keyDepth(path) > maxKeyDepth) {
                overCap = true;
                return {};
            }
            current = &ensureWithParents(tree, path, keyBytes);
            if (keyBytes > maxKeyBytes) {
                overCap = true;
                return {};
            }
            continue;
        }
        std::string valueName;
        std::size_t pos = 0;
        if (line[0] == '@') {
            pos = 1;
        } else if (!parseQuoted(line, pos, valueName)) {
            damaged = true;
            continue;
        }
        while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t'))
            ++pos;
        if (pos >= line.size() || line[pos] != '=' || current == nullptr) {
            damaged = true;
            continue;
        }
        const std::string_view data = std::string_view(line).substr(pos + 1);
        if (trim(data) == "-") {
            current->values.erase(valueName);
            continue;
        }
        Value value;
        if (!parseData(data, version5, value)) {
            damaged = true;
            continue;
        }
        current->values.insert_or_assign(std::move(valueName), std::move(value));
    }
    if (!headerSeen && !raw.empty())
        damaged = true;
    return tree;
}

// ---- writing ----

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

// Only ASCII is written as a quoted string: regedit reads a file without a byte order mark in the ANSI
// code page, so other text goes as UTF-16 bytes, which it imports unchanged whatever the code page.
bool isPlainText(const Value& v)
{
    if (v.type != REG_SZ || v.data.empty() || v.data.back() != '\0')
        return false;
    return std::all_of(v.data.begin(), v.data.end() - 1, [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u >= 0x20 && u < 0x7F;
    });
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

std::string writeTree(const Tree& tree)
{
    std::string out = "Windows Registry Editor Version 5.00\r\n\r\n";
    for (const auto& [unused, key] : tree) {
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

// ---- the file and the session of one store operation ----

}  // namespace

struct HKEY__ {
    std::string path;
    bool canWrite = false;
};

namespace {

struct Session {
    int openKeys = 0;
    int lockFd = -1;
    bool usable = false;
    bool writable = false;
    bool dirty = false;
    bool damaged = false;
    bool overCap = false;
    bool fileExisted = false;
    Tree tree;
    std::set<HKEY> handles;
};

Session session;
std::optional<std::string> pendingNotice;
// After a lock wait ran out, the next ones are short until the lock is got again, so that one
// store operation of several keys does not wait the full time for each.
bool lockTimedOut = false;

constexpr auto lockWait = std::chrono::seconds(3);
constexpr auto lockWaitAfterTimeout = std::chrono::milliseconds(200);

// Several calls of one operation may fail alike; the user reads of it once.
void addNotice(const std::string& text)
{
    if (!pendingNotice)
        pendingNotice = text;
    else if (pendingNotice->find(text) == std::string::npos)
        *pendingNotice += "\n\n" + text;
}

LONG readError(int error)
{
    return error == EACCES || error == EPERM || error == EISDIR ? ERROR_ACCESS_DENIED : ERROR_READ_FAULT;
}

LONG writeError(int error)
{
    if (error == ENOSPC || error == EDQUOT)
        return ERROR_DISK_FULL;
    if (error == EACCES || error == EPERM || error == EROFS || error == EISDIR)
        return ERROR_ACCESS_DENIED;
    return ERROR_WRITE_FAULT;
}

bool writeAll(int fd, const char* data, std::size_t size)
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool makeFolders(const std::string& path)
{
    for (std::size_t pos = path.find('/', 1);; pos = path.find('/', pos + 1)) {
        const std::string part = path.substr(0, pos);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (pos == std::string::npos)
            break;
    }
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Waits a bounded time: a holder that hangs must not keep the window from opening. flock locks
// go with their holder, so one that died holds nothing.
bool lockFile(int fd, int operation)
{
    const auto deadline = std::chrono::steady_clock::now() + (lockTimedOut ? lockWaitAfterTimeout : lockWait);
    for (;;) {
        if (::flock(fd, operation | LOCK_NB) == 0 || (errno != EWOULDBLOCK && errno != EINTR)) {
            lockTimedOut = false;
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            lockTimedOut = true;
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

std::string errorText(int error)
{
    return std::strerror(error);
}

LONG failSession(LONG result)
{
    session.usable = false;
    return result;
}

LONG beginSession(bool wantWrite)
{
    if (session.openKeys > 0)
        return session.usable ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
    session = Session{};
    const std::string folder = sorvex::regfile::storeFolder();
    const std::string file = sorvex::regfile::storeFile();
    if (wantWrite)
        makeFolders(folder);

    const std::string lockPath = file + ".lock";
    session.lockFd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0600);
    bool exclusive = session.lockFd >= 0;
    if (session.lockFd < 0)
        session.lockFd = ::open(lockPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (session.lockFd >= 0 && !lockFile(session.lockFd, exclusive ? LOCK_EX : LOCK_SH)) {
        addNotice("The settings file\n" + file +
                  "\nis in use by another program; nothing was read from it or saved in it this time.");
        return failSession(ERROR_ACCESS_DENIED);
    }

    // Without O_NONBLOCK a FIFO in the file's place would block the open for good.
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        const int error = errno;
        if (error != ENOENT) {
            // A missing folder is reported by the failed open alone.
            if (error != ENOTDIR)
                addNotice("The settings file\n" + file + "\ncould not be opened (" + errorText(error) +
                          "); nothing was read from it or saved in it.");
            return failSession(ERROR_ACCESS_DENIED);
        }
        struct stat st {};
        if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
            // No folder: readable as empty, but nothing can be created there.
            session.usable = !wantWrite;
            session.writable = false;
            return session.usable ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
        }
    } else {
        session.fileExisted = true;
        std::string data;
        struct stat st {};
        if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            const int error = S_ISDIR(st.st_mode) ? EISDIR : EACCES;
            ::close(fd);
            addNotice("The settings file\n" + file + "\nis not a plain file (" + errorText(error) +
                      "); nothing was read from it or saved in it.");
            return failSession(readError(error));
        }
        if (static_cast<std::uintmax_t>(st.st_size) > maxFileBytes)
            session.overCap = true;
        char buf[65536];
        while (!session.overCap) {
            const ssize_t n = ::read(fd, buf, sizeof buf);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                const int error = errno;
                ::close(fd);
                addNotice("The settings file\n" + file + "\ncould not be read (" + errorText(error) +
                          "); nothing was read from it or saved in it.");
                return failSession(readError(error));
            }
            if (n == 0)
                break;
            data.append(buf, static_cast<std::size_t>(n));
            if (data.size() > maxFileBytes)
                session.overCap = true;
        }
        ::close(fd);
        if (!session.overCap)
            session.tree = parseTree(data, session.damaged, session.overCap);
        if (session.overCap)
            session.tree = {};
    }
    session.usable = true;
    // Write bits are looked at as well, so that a file made read-only stays so for root too.
    auto writableEntry = [](const std::string& path) {
        struct stat st {};
        return ::access(path.c_str(), W_OK) == 0 && ::stat(path.c_str(), &st) == 0 && (st.st_mode & 0222) != 0;
    };
    session.writable = exclusive && writableEntry(folder) && (!session.fileExisted || writableEntry(file));
    return ERROR_SUCCESS;
}

std::string timestamp()
{
    const std::time_t now = std::time(nullptr);
    std::tm tm {};
    ::localtime_r(&now, &tm);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y%m%d-%H%M%S", &tm);
    return buf;
}

std::string folderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : slash == 0 ? std::string("/") : path.substr(0, slash);
}

// The file a save replaces: a symbolic link's target, so that a store kept elsewhere stays linked.
std::string saveTarget(const std::string& file)
{
    std::string target = file;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            break;
        std::vector<char> link(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1);
        const ssize_t n = ::readlink(target.c_str(), link.data(), link.size());
        if (n < 0 || static_cast<std::size_t>(n) >= link.size())
            break;
        const std::string to(link.data(), static_cast<std::size_t>(n));
        target = to.front() == '/' ? to : folderOf(target) + "/" + to;
    }
    return target;
}

// Temp files are only made under the lock, so any there now are left from a save that was cut off.
void removeStaleTemps(const std::string& target)
{
    const std::string folder = folderOf(target);
    const std::string prefix = target.substr(target.rfind('/') + 1) + '.';
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        const auto tmp = name.rfind(".tmp-");
        if (name.substr(0, prefix.size()) == prefix && tmp != std::string_view::npos && tmp + 11 == name.size())
            ::unlink((folder + "/" + std::string(name)).c_str());
    }
    ::closedir(dir);
}

// Writes a new file beside the target and renames it over; 0 or the errno of what failed.
int writeFileAtomically(const std::string& target, const std::function<bool(int)>& fill)
{
    std::string tmpl = target + ".tmp-XXXXXX";
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0)
        return errno;
    int error = 0;
    errno = 0;
    if (!fill(fd) || ::fsync(fd) != 0)
        error = errno != 0 ? errno : EIO;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(name.data(), target.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(name.data());
        return error;
    }
    const int dirFd = ::open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return 0;
}

// Copies the file as it is on disk, whatever its size, so that nothing of it is lost.
int copyWhole(const std::string& from, const std::string& to)
{
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return errno;
    const int error = writeFileAtomically(to, [in](int out) {
        char buf[65536];
        for (;;) {
            const ssize_t n = ::read(in, buf, sizeof buf);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return n == 0;
            if (!writeAll(out, buf, static_cast<std::size_t>(n)))
                return false;
        }
    });
    ::close(in);
    return error;
}

LONG saveSession()
{
    const std::string file = sorvex::regfile::storeFile();
    const std::string target = saveTarget(file);
    removeStaleTemps(file);
    if (target != file)
        removeStaleTemps(target);
    if ((session.damaged || session.overCap) && session.fileExisted) {
        std::string copy = file + ".unreadable-" + timestamp();
        for (int n = 2; ::access(copy.c_str(), F_OK) == 0; ++n)
            copy = file + ".unreadable-" + timestamp() + "-" + std::to_string(n);
        if (const int error = copyWhole(file, copy); error != 0) {
            addNotice("The settings file\n" + file + "\ncould not be read completely, and it could not be copied aside (" +
                      errorText(error) + "). Nothing was saved; the file was left as it was.");
            return writeError(error);
        }
        addNotice("The settings file\n" + file +
                  (session.overCap ? "\nis too large or too deeply nested to be a character store. A new store is used; "
                                     "the original file was kept as\n"
                                   : "\ncould not be read completely. What could be read is used; "
                                     "the original file was kept as\n") +
                  copy);
    }
    const std::string text = writeTree(session.tree);
    if (text.size() > maxFileBytes) {
        addNotice("The changes were not saved: the settings file\n" + file +
                  "\nwould grow past 8 MiB, more than a character store holds. The file was left as it was.");
        return ERROR_WRITE_FAULT;
    }
    if (const int error =
            writeFileAtomically(target, [&text](int fd) { return writeAll(fd, text.data(), text.size()); });
        error != 0) {
        addNotice("The changes could not be saved in the settings file\n" + file + "\n(" + errorText(error) +
                  "). The file was left as it was.");
        return writeError(error);
    }
    return ERROR_SUCCESS;
}

LONG endSession()
{
    LONG result = ERROR_SUCCESS;
    if (session.usable && session.writable && session.dirty)
        result = saveSession();
    if (session.lockFd >= 0)
        ::close(session.lockFd);
    session = Session{};
    return result;
}

bool isHandle(HKEY key)
{
    return key == HKEY_CURRENT_USER || session.handles.count(key) != 0;
}

std::string joinPath(HKEY root, LPCSTR sub)
{
    std::string path = root == HKEY_CURRENT_USER ? std::string() : root->path;
    const std::string s = sub ? sub : "";
    if (!s.empty())
        path = path.empty() ? s : path + '\\' + s;
    return path;
}

bool validPath(const std::string& path)
{
    return path.find("\\\\") == std::string::npos && (path.empty() || (path.front() != '\\' && path.back() != '\\')) &&
           path.find_first_of("\r\n[]") == std::string::npos && keyDepth(path) <= maxKeyDepth &&
           path.size() < maxLineBytes / 2;
}

LONG openHandle(const std::string& path, bool canWrite, PHKEY result)
{
    auto* h = new HKEY__{path, canWrite};
    session.handles.insert(h);
    ++session.openKeys;
    *result = h;
    return ERROR_SUCCESS;
}

const Key* findKey(const std::string& path)
{
    const auto it = session.tree.find(path);
    return it == session.tree.end() ? nullptr : &it->second;
}

// The argument checks that opening and creating share; fills the key's full path.
LONG resolveSubKey(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult, std::string& path)
{
    if (!phkResult)
        return ERROR_INVALID_PARAMETER;
    *phkResult = nullptr;
    if ((hKey != HKEY_CURRENT_USER && (session.openKeys == 0 || !isHandle(hKey))))
        return ERROR_INVALID_HANDLE;
    path = joinPath(hKey, lpSubKey);
    return validPath(path) ? ERROR_SUCCESS : ERROR_INVALID_PARAMETER;
}

}  // namespace

LONG RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, LPSTR, DWORD, REGSAM samDesired,
                     const LPSECURITY_ATTRIBUTES, PHKEY phkResult, LPDWORD lpdwDisposition)
{
    std::string path;
    if (const LONG checked = resolveSubKey(hKey, lpSubKey, phkResult, path); checked != ERROR_SUCCESS)
        return checked;
    const LONG begun = beginSession(true);
    if (begun != ERROR_SUCCESS || !session.writable) {
        if (session.openKeys == 0)
            endSession();
        return begun != ERROR_SUCCESS ? begun : ERROR_ACCESS_DENIED;
    }
    const bool existed = findKey(path) != nullptr;
    if (!existed) {
        std::size_t made = 0;
        ensureWithParents(session.tree, path, made);
        session.dirty = true;
    }
    if (lpdwDisposition)
        *lpdwDisposition = existed ? REG_OPENED_EXISTING_KEY : REG_CREATED_NEW_KEY;
    return openHandle(path, (samDesired & KEY_SET_VALUE) != 0, phkResult);
}

LONG RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, REGSAM samDesired, PHKEY phkResult)
{
    std::string path;
    if (const LONG checked = resolveSubKey(hKey, lpSubKey, phkResult, path); checked != ERROR_SUCCESS)
        return checked;
    const LONG begun = beginSession((samDesired & KEY_SET_VALUE) != 0);
    LONG result = begun;
    if (begun == ERROR_SUCCESS && !path.empty() && findKey(path) == nullptr)
        result = ERROR_FILE_NOT_FOUND;
    if (result != ERROR_SUCCESS) {
        if (session.openKeys == 0)
            endSession();
        return result;
    }
    return openHandle(path, (samDesired & KEY_SET_VALUE) != 0 && session.writable, phkResult);
}

LONG RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData)
{
    if (hKey == HKEY_CURRENT_USER || !isHandle(hKey))
        return ERROR_INVALID_HANDLE;
    if (lpData && !lpcbData)
        return ERROR_INVALID_PARAMETER;
    const Key* key = findKey(hKey->path);
    if (!key)
        return ERROR_FILE_NOT_FOUND;
    const auto it = key->values.find(lpValueName ? lpValueName : "");
    if (it == key->values.end())
        return ERROR_FILE_NOT_FOUND;
    const Value& v = it->second;
    const auto size = static_cast<DWORD>(v.data.size());
    if (lpType)
        *lpType = v.type;
    if (lpData) {
        if (*lpcbData < size) {
            *lpcbData = size;
            return ERROR_MORE_DATA;
        }
        std::memcpy(lpData, v.data.data(), size);
    }
    if (lpcbData)
        *lpcbData = size;
    return ERROR_SUCCESS;
}

LONG RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData, DWORD cbData)
{
    if (hKey == HKEY_CURRENT_USER || !isHandle(hKey))
        return ERROR_INVALID_HANDLE;
    if (!hKey->canWrite)
        return ERROR_ACCESS_DENIED;
    if (!lpData && cbData != 0)
        return ERROR_INVALID_PARAMETER;
    if (cbData > maxValueBytes || (lpValueName && std::strlen(lpValueName) > maxValueNameBytes))
        return ERROR_INVALID_PARAMETER;
    Value v;
    v.type = dwType;
    if (cbData != 0)
        v.data.assign(reinterpret_cast<const char*>(lpData), cbData);
    Value& slot = session.tree[hKey->path].values[lpValueName ? lpValueName : ""];
    if (!(slot == v)) {
        slot = v;
        session.dirty = true;
    }
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY hKey)
{
    if (hKey == HKEY_CURRENT_USER)
        return ERROR_SUCCESS;
    if (!isHandle(hKey))
        return ERROR_INVALID_HANDLE;
    session.handles.erase(hKey);
    delete hKey;
    if (--session.openKeys == 0)
        return endSession();
    return ERROR_SUCCESS;
}

namespace sorvex {

std::optional<std::string> takeStoreNotice()
{
    std::optional<std::string> notice;
    notice.swap(pendingNotice);
    return notice;
}

namespace regfile {

std::string storeFolder()
{
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    std::string base;
    if (xdg && xdg[0] == '/') {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        if (!home || home[0] != '/') {
            const passwd* pw = ::getpwuid(::getuid());
            home = pw ? pw->pw_dir : "/tmp";
        }
        base = std::string(home) + "/.config";
    }
    return base + "/sorvex";
}

std::string storeFile()
{
    return storeFolder() + "/registry.reg";
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

}  // namespace regfile
}  // namespace sorvex
