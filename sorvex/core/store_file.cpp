#include "store_file.h"

#include "atomic_file.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <thread>
#include <utility>

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sorvex::regfile {

namespace {

constexpr auto lockWait = std::chrono::seconds(3);
constexpr auto lockWaitAfterTimeout = std::chrono::milliseconds(200);

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

std::string errorText(int error)
{
    return std::strerror(error);
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

}  // namespace

StoreFile::~StoreFile()
{
    if (current.lockFd >= 0)
        ::close(current.lockFd);
}

// Several calls of one operation may fail alike; the user reads of it once.
void StoreFile::addNotice(const std::string& text)
{
    if (!notice)
        notice = text;
    else if (notice->find(text) == std::string::npos)
        *notice += "\n\n" + text;
}

std::optional<std::string> StoreFile::takeNotice()
{
    std::optional<std::string> taken;
    taken.swap(notice);
    return taken;
}

Tree& StoreFile::changeTree()
{
    current.dirty = true;
    return current.tree;
}

// Waits a bounded time: a holder that hangs must not keep the window from opening. flock locks
// go with their holder, so one that died holds nothing. 0, EWOULDBLOCK when the wait ran out, or the error.
int StoreFile::waitForLock(int fd, int operation)
{
    const auto deadline = std::chrono::steady_clock::now() + (lockTimedOut ? lockWaitAfterTimeout : lockWait);
    for (;;) {
        if (::flock(fd, operation | LOCK_NB) == 0) {
            lockTimedOut = false;
            return 0;
        }
        if (errno != EWOULDBLOCK && errno != EINTR)
            return errno;
        if (std::chrono::steady_clock::now() >= deadline) {
            lockTimedOut = true;
            return EWOULDBLOCK;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

LONG StoreFile::fail(LONG result)
{
    current.usable = false;
    return result;
}

LONG StoreFile::failUnread(LONG result)
{
    unread = true;
    return fail(result);
}

bool StoreFile::takeUnread()
{
    return std::exchange(unread, false);
}

// Takes the lock beside the file: exclusive where it can be opened for writing, else shared. False when
// another holder kept it past the wait. Without a lock the file is still read whole, as saves replace it
// whole, but nothing is written.
bool StoreFile::lock(const std::string& file)
{
    const std::string lockPath = file + ".lock";
    // A link in the lock's place would have us make a file wherever it points.
    constexpr int flags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;
    current.lockFd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | flags, 0600);
    const bool exclusive = current.lockFd >= 0;
    if (current.lockFd < 0)
        current.lockFd = ::open(lockPath.c_str(), O_RDONLY | flags);
    int error = current.lockFd >= 0 ? waitForLock(current.lockFd, exclusive ? LOCK_EX : LOCK_SH) : errno;
    if (error == EWOULDBLOCK) {
        addNotice("The settings file\n" + file
                  + "\nis in use by another program; nothing was read from it or saved in it this time.");
        return false;
    }
    // No folder yet, or a read-only one: the file tells the rest.
    if (error == ENOENT || error == ENOTDIR || error == EACCES || error == EPERM || error == EROFS)
        error = 0;
    if (error != 0)
        addNotice("The settings file\n" + file + "\ncould not be locked (" + errorText(error)
                  + "), so nothing is saved in it; it is only read.");
    current.locked = exclusive && error == 0;
    return true;
}

// Reads the open file into the tree and closes it.
LONG StoreFile::read(int fd, const std::string& file)
{
    current.fileExisted = true;
    std::string data;
    struct stat st{};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int error = S_ISDIR(st.st_mode) ? EISDIR : EACCES;
        ::close(fd);
        addNotice("The settings file\n" + file + "\nis not a plain file (" + errorText(error)
                  + "); nothing was read from it or saved in it.");
        return failUnread(readError(error));
    }
    if (static_cast<std::uintmax_t>(st.st_size) > maxFileBytes)
        current.overCap = true;
    char buf[65536];
    while (!current.overCap) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int error = errno;
            ::close(fd);
            addNotice("The settings file\n" + file + "\ncould not be read (" + errorText(error)
                      + "); nothing was read from it or saved in it.");
            return failUnread(readError(error));
        }
        if (n == 0)
            break;
        data.append(buf, static_cast<std::size_t>(n));
        if (data.size() > maxFileBytes)
            current.overCap = true;
    }
    ::close(fd);
    if (!current.overCap)
        current.tree = parseTree(data, current.damaged, current.overCap);
    // A tree that would be written larger than a store may grow is left out as a whole now, rather than
    // refused at every save.
    if (!current.overCap && writeTree(current.tree, maxFileBytes).size() > maxFileBytes)
        current.overCap = true;
    if (current.overCap)
        current.tree = {};
    return ERROR_SUCCESS;
}

LONG StoreFile::begin(bool wantWrite)
{
    current = Operation{};
    current.wantWrite = wantWrite;
    const std::string folder = storeFolder();
    const std::string file = storeFile();
    if (folder.empty()) {
        if (!std::exchange(toldNoHome, true))
            addNotice("No folder was found for the settings: XDG_CONFIG_HOME and HOME name no absolute folder, "
                      "and the user database gives no home folder for this user. Nothing is read or saved.");
        return fail(ERROR_ACCESS_DENIED);
    }
    if (wantWrite)
        makeFolders(folder);

    if (!lock(file))
        return failUnread(ERROR_ACCESS_DENIED);

    // Without O_NONBLOCK a FIFO in the file's place would block the open for good.
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        const int error = errno;
        if (error != ENOENT) {
            // A missing folder is reported by the failed open alone.
            if (error == ENOTDIR)
                return fail(ERROR_ACCESS_DENIED);
            addNotice("The settings file\n" + file + "\ncould not be opened (" + errorText(error)
                      + "); nothing was read from it or saved in it.");
            return failUnread(ERROR_ACCESS_DENIED);
        }
        struct stat st{};
        if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
            // No folder: readable as empty, but nothing can be created there.
            current.usable = !wantWrite;
            current.writable = false;
            return current.usable ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
        }
    } else if (const LONG result = read(fd, file); result != ERROR_SUCCESS) {
        return result;
    }
    current.usable = true;
    // Write bits are looked at as well, so that a file made read-only stays so for root too.
    auto writableEntry = [](const std::string& path) {
        struct stat st{};
        return ::access(path.c_str(), W_OK) == 0 && ::stat(path.c_str(), &st) == 0 && (st.st_mode & 0222) != 0;
    };
    current.writable = current.locked && writableEntry(folder) && (!current.fileExisted || writableEntry(file));
    return ERROR_SUCCESS;
}

LONG StoreFile::save(const std::string& file, const std::string& target)
{
    if ((current.damaged || current.overCap) && current.fileExisted) {
        const std::string stem = file + std::string(keptAsideMark) + timestamp();
        std::string copy = stem;
        for (int n = 2; ::access(copy.c_str(), F_OK) == 0; ++n)
            copy = stem + "-" + std::to_string(n);
        if (const int error = copyWhole(file, copy); error != 0) {
            addNotice("The settings file\n" + file
                      + "\ncould not be read completely, and it could not be copied aside (" + errorText(error)
                      + "). Nothing was saved; the file was left as it was.");
            return writeError(error);
        }
        addNotice("The settings file\n" + file
                  + (current.overCap ? "\nis too large or too deeply nested to be a character store. A new store "
                                       "is used; the original file was kept as\n"
                                     : "\ncould not be read completely. What could be read is used; "
                                       "the original file was kept as\n")
                  + copy);
    }
    const std::string text = writeTree(current.tree);
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

LONG StoreFile::end()
{
    LONG result = ERROR_SUCCESS;
    if (current.usable && current.writable && (current.wantWrite || current.dirty)) {
        // Under the lock no other writer can own a temporary file; any there is a killed save's, also when
        // this operation has nothing to write. An operation that only reads leaves them.
        const std::string file = storeFile();
        const std::string target = saveTarget(file);
        removeStaleTemps(file);
        if (target != file)
            removeStaleTemps(target);
        if (current.dirty)
            result = save(file, target);
    }
    if (current.lockFd >= 0)
        ::close(current.lockFd);
    current = Operation{};
    return result;
}

std::string storeFolder()
{
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/')
        return std::string(xdg) + "/sorvex";
    const char* home = std::getenv("HOME");
    if (!home || home[0] != '/') {
        // No folder of a guess, such as /tmp, which another user could have made first.
        const passwd* pw = ::getpwuid(::getuid());
        home = pw && pw->pw_dir && pw->pw_dir[0] == '/' ? pw->pw_dir : nullptr;
    }
    return home ? std::string(home) + "/.config/sorvex" : std::string();
}

std::string storeFile()
{
    const std::string folder = storeFolder();
    return folder.empty() ? folder : folder + "/registry.reg";
}

}  // namespace sorvex::regfile
