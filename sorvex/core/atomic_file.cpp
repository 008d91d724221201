#include "atomic_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <string_view>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sorvex::regfile {

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
    struct stat st{};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string folderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string saveTarget(const std::string& file)
{
    std::string target = file;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st{};
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

namespace {

// ".<name>.sorvex-tmp-" and mkstemp's six letters and digits: a name that no other program's file has, not
// even one that takes the target's name and adds its own ending.
constexpr std::string_view tempMark = ".sorvex-tmp-";
constexpr std::size_t randomLength = 6;

std::string_view fileName(std::string_view path)
{
    return path.substr(path.rfind('/') + 1);
}

bool isTemporaryOf(std::string_view name, std::string_view target)
{
    const std::size_t fixed = 1 + target.size() + tempMark.size() + randomLength;
    if (name.size() < fixed || name[0] != '.' || name.substr(1, target.size()) != target)
        return false;
    std::string_view middle = name.substr(1 + target.size(), name.size() - fixed + tempMark.size());
    if (middle.substr(middle.size() - tempMark.size()) != tempMark)
        return false;
    middle.remove_suffix(tempMark.size());
    const std::string_view random = name.substr(name.size() - randomLength);
    return (middle.empty() || middle.substr(0, keptAsideMark.size()) == keptAsideMark)
        && std::all_of(random.begin(), random.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
           });
}

// Who may read the target may read what replaces it: its permission bits, and its group where we may give it
// that; where not, the group's bits go, as they would name another group. A new file stays the user's alone.
void takePermissionsOf(const std::string& target, int fd)
{
    struct stat st{};
    if (::stat(target.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return;
    mode_t mode = st.st_mode & 0777;
    if (::fchown(fd, static_cast<uid_t>(-1), st.st_gid) != 0)
        mode &= static_cast<mode_t>(~S_IRWXG);
    ::fchmod(fd, mode);
}

}  // namespace

void removeStaleTemps(const std::string& target)
{
    const std::string folder = folderOf(target);
    const std::string_view name = fileName(target);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        if (isTemporaryOf(entry->d_name, name))
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

int writeFileAtomically(const std::string& target, const std::function<bool(int)>& fill)
{
    std::string name = folderOf(target) + "/." + std::string(fileName(target)) + std::string(tempMark)
        + std::string(randomLength, 'X');
    const int fd = ::mkstemp(name.data());
    if (fd < 0)
        return errno;
    takePermissionsOf(target, fd);
    int error = 0;
    errno = 0;
    if (!fill(fd) || ::fsync(fd) != 0)
        error = errno != 0 ? errno : EIO;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(name.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(name.c_str());
        return error;
    }
    const int dirFd = ::open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return 0;
}

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

}  // namespace sorvex::regfile
