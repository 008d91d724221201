// The registry calls of the store where there is no Windows registry, over the store's .reg file: the first
// key opened begins an operation on the file (locks and reads it), closing the last one ends it (writes it
// once, atomically, if anything changed). The arguments, results and error codes are those of the
// registry's own calls.
#pragma once

#include "registry_types.h"
#include "store_file.h"

#include <optional>
#include <set>
#include <string>

namespace sorvex::regfile {

class FileRegistry {
public:
    FileRegistry() = default;
    ~FileRegistry();
    FileRegistry(const FileRegistry&) = delete;
    FileRegistry& operator=(const FileRegistry&) = delete;

    LONG createKey(HKEY root, const char* path, REGSAM access, HKEY* key, DWORD* disposition = nullptr);
    LONG openKey(HKEY root, const char* path, REGSAM access, HKEY* key);
    LONG queryValue(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size);
    LONG setValue(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size);
    LONG closeKey(HKEY key);

    // What the user should read about the store's file since the last call, e.g. where a damaged one was kept.
    std::optional<std::string> takeNotice() { return file.takeNotice(); }
    // Whether, since the last call, the file was there but could not be read, so that the defaults stood in.
    bool takeUnread() { return file.takeUnread(); }

private:
    LONG begin(bool wantWrite);
    LONG resolveSubKey(HKEY root, const char* subKey, HKEY* result, std::string& path) const;
    LONG openHandle(const std::string& path, bool canWrite, HKEY* result);
    bool isHandle(HKEY key) const;

    StoreFile file;
    std::set<HKEY> handles;
};

}  // namespace sorvex::regfile
