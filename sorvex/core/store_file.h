// The store's file, "$XDG_CONFIG_HOME/sorvex/registry.reg" (else ~/.config), for one store operation at a
// time: locked and read whole into a key tree when the operation begins, written back whole and atomically
// when it ends if the tree changed. What the user should be told about the file itself (where a damaged
// copy was kept, why nothing could be saved) is gathered as a notice.
#pragma once

#include "reg_format.h"
#include "registry_types.h"

#include <optional>
#include <string>

namespace sorvex::regfile {

// Empty without a home folder: there is then no store.
std::string storeFolder();
std::string storeFile();

class StoreFile {
public:
    StoreFile() = default;
    ~StoreFile();
    StoreFile(const StoreFile&) = delete;
    StoreFile& operator=(const StoreFile&) = delete;

    // Takes the lock and reads the file; wantWrite also makes its folder. Not ERROR_SUCCESS when the file
    // cannot be used at all; end() still follows, to let the lock go.
    LONG begin(bool wantWrite);
    // Writes the tree if it changed and may be written, and lets the lock go.
    LONG end();

    [[nodiscard]] bool writable() const { return current.writable; }
    [[nodiscard]] const Tree& tree() const { return current.tree; }
    // For changes to the tree, which end() then writes.
    Tree& changeTree();

    // What the user should read about the file since the last call; each text once.
    std::optional<std::string> takeNotice();
    // Whether, since the last call, the file was there but could not be read: what was read in its place is
    // not what it holds, and must not be saved over it.
    bool takeUnread();

private:
    struct Operation {
        int lockFd = -1;
        // Exclusively: only then may the operation write, or clear away what an interrupted save left.
        bool locked = false;
        bool wantWrite = false;
        bool usable = false;
        bool writable = false;
        bool dirty = false;
        bool damaged = false;
        bool overCap = false;
        bool fileExisted = false;
        Tree tree;
    };

    void addNotice(const std::string& text);
    bool lock(const std::string& file);
    int waitForLock(int fd, int operation);
    LONG read(int fd, const std::string& file);
    LONG fail(LONG result);
    LONG failUnread(LONG result);
    LONG save(const std::string& file, const std::string& target);

    Operation current;
    std::optional<std::string> notice;
    // After a lock wait ran out, the next ones are short until the lock is got again, so that an operation
    // of several keys, and the operations right after it, do not each wait the full time.
    bool lockTimedOut = false;
    bool unread = false;
    bool toldNoHome = false;
};

}  // namespace sorvex::regfile
