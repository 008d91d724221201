// The registry calls of the store, on an object that lives as long as the store: on Windows the current
// user's registry itself; elsewhere file_registry's calls over a per-user .reg file, which also gathers what
// the user should be told about that file.
#pragma once

#ifdef _WIN32
#include "windows_api.h"

#include <optional>
#include <string>

namespace sorvex {

class Registry {
public:
    LONG createKey(HKEY root, const char* path, REGSAM access, HKEY* key, DWORD* disposition = nullptr)
    {
        return RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, key, disposition);
    }
    LONG openKey(HKEY root, const char* path, REGSAM access, HKEY* key)
    {
        return RegOpenKeyExA(root, path, 0, access, key);
    }
    LONG queryValue(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size)
    {
        return RegQueryValueExA(key, name, nullptr, type, data, size);
    }
    LONG setValue(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size)
    {
        return RegSetValueExA(key, name, 0, type, data, size);
    }
    LONG closeKey(HKEY key) { return RegCloseKey(key); }
    // The registry's own failures are all in the calls' results.
    std::optional<std::string> takeNotice() { return std::nullopt; }
    bool takeUnread() { return false; }
};

}  // namespace sorvex
#else
#include "file_registry.h"

namespace sorvex {
using Registry = regfile::FileRegistry;
}  // namespace sorvex
#endif
