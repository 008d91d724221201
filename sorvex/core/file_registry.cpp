#include "atomic_file.h"
#include "reg_format.h"
#include "registry_api.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>
#include <set>
#include <thread>

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace sorvex::regfile;

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

// Takes the lock beside the file: exclusive where it can be opened for writing, else shared.
bool lockStore(const std::string& file, bool& exclusive)
{
    const std::string lockPath = file + ".lock";
    session.lockFd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0600);
    exclusive = session.lockFd >= 0;
    if (session.lockFd < 0)
        session.lockFd = ::open(lockPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (session.lockFd >= 0 && !lockFile(session.lockFd, exclusive ? LOCK_EX : LOCK_SH)) {
        addNotice("The settings file\n" + file
                  + "\nis in use by another program; nothing was read from it or saved in it this time.");
        return false;
    }
    return true;
}

// Reads the open file into the session's tree and closes it.
LONG readStore(int fd, const std::string& file)
{
    session.fileExisted = true;
    std::string data;
    struct stat st { };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int error = S_ISDIR(st.st_mode) ? EISDIR : EACCES;
        ::close(fd);
        addNotice("The settings file\n" + file + "\nis not a plain file (" + errorText(error)
                  + "); nothing was read from it or saved in it.");
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
            addNotice("The settings file\n" + file + "\ncould not be read (" + errorText(error)
                      + "); nothing was read from it or saved in it.");
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
    return ERROR_SUCCESS;
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

    bool exclusive = false;
    if (!lockStore(file, exclusive))
        return failSession(ERROR_ACCESS_DENIED);

    // Without O_NONBLOCK a FIFO in the file's place would block the open for good.
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        const int error = errno;
        if (error != ENOENT) {
            // A missing folder is reported by the failed open alone.
            if (error != ENOTDIR)
                addNotice("The settings file\n" + file + "\ncould not be opened (" + errorText(error)
                          + "); nothing was read from it or saved in it.");
            return failSession(ERROR_ACCESS_DENIED);
        }
        struct stat st { };
        if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
            // No folder: readable as empty, but nothing can be created there.
            session.usable = !wantWrite;
            session.writable = false;
            return session.usable ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
        }
    } else if (const LONG result = readStore(fd, file); result != ERROR_SUCCESS) {
        return result;
    }
    session.usable = true;
    // Write bits are looked at as well, so that a file made read-only stays so for root too.
    auto writableEntry = [](const std::string& path) {
        struct stat st { };
        return ::access(path.c_str(), W_OK) == 0 && ::stat(path.c_str(), &st) == 0 && (st.st_mode & 0222) != 0;
    };
    session.writable = exclusive && writableEntry(folder) && (!session.fileExisted || writableEntry(file));
    return ERROR_SUCCESS;
}

std::string timestamp()
{
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    ::localtime_r(&now, &tm);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y%m%d-%H%M%S", &tm);
    return buf;
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
            addNotice("The settings file\n" + file
                      + "\ncould not be read completely, and it could not be copied aside (" + errorText(error)
                      + "). Nothing was saved; the file was left as it was.");
            return writeError(error);
        }
        addNotice("The settings file\n" + file
                  + (session.overCap
                         ? "\nis too large or too deeply nested to be a character store. A new store is used; "
                           "the original file was kept as\n"
                         : "\ncould not be read completely. What could be read is used; "
                           "the original file was kept as\n")
                  + copy);
    }
    const std::string text = writeTree(session.tree);
    if (text.size() > maxFileBytes) {
        addNotice("The changes were not saved: the settings file\n" + file
                  + "\nwould grow past 8 MiB, more than a character store holds. The file was left as it was.");
        return ERROR_WRITE_FAULT;
    }
    if (const int error
        = writeFileAtomically(target, [&text](int fd) { return writeAll(fd, text.data(), text.size()); });
        error != 0) {
        addNotice("The changes could not be saved in the settings file\n" + file + "\n(" + errorText(error)
                  + "). The file was left as it was.");
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
    return path.find("\\\\") == std::string::npos && (path.empty() || (path.front() != '\\' && path.back() != '\\'))
        && path.find_first_of("\r\n[]") == std::string::npos && keyDepth(path) <= maxKeyDepth
        && path.size() < maxLineBytes / 2;
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

LONG RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, LPSTR, DWORD, REGSAM samDesired, const LPSECURITY_ATTRIBUTES,
                     PHKEY phkResult, LPDWORD lpdwDisposition)
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

}  // namespace regfile
}  // namespace sorvex
