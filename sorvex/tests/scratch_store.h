// A character store of its own for a test, so that a test run neither sees nor changes the characters of
// whoever runs it. On Windows the current user's registry is redirected to a scratch key for the process, and
// the store still goes through HKEY_CURRENT_USER; elsewhere the file store lives in a temporary folder.
#pragma once

#ifdef _WIN32
#include "windows_api.h"
#else
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <system_error>
#endif

#include <string>

namespace sorvex::testing_support {

class ScratchStore {
public:
    ScratchStore()
    {
#ifdef _WIN32
        static int made = 0;
        path = "Software\\Quendrith tools tests\\" + std::to_string(GetCurrentProcessId()) + "-"
            + std::to_string(++made);
        if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr)
            != ERROR_SUCCESS) {
            key = nullptr;
            return;
        }
        valid = RegOverridePredefKey(HKEY_CURRENT_USER, key) == ERROR_SUCCESS;
#else
        if (const char* previous = std::getenv("XDG_CONFIG_HOME"))
            previousConfig = previous;
        std::string pattern = (std::filesystem::temp_directory_path() / "sorvex-test-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            return;
        scratchFolder = pattern;
        valid = ::setenv("XDG_CONFIG_HOME", scratchFolder.c_str(), 1) == 0;
#endif
    }
    ~ScratchStore()
    {
#ifdef _WIN32
        if (valid)
            RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        if (key) {
            RegCloseKey(key);
            RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str());
        }
#else
        if (scratchFolder.empty())
            return;
        // Tests take permissions away to see refusals; the folder goes all the same.
        namespace fs = std::filesystem;
        std::error_code ignored;
        for (const fs::path& folder : {fs::path(scratchFolder), fs::path(scratchFolder) / "sorvex"})
            fs::permissions(folder, fs::perms::owner_all, ignored);
        fs::remove_all(scratchFolder, ignored);
        if (previousConfig)
            ::setenv("XDG_CONFIG_HOME", previousConfig->c_str(), 1);
        else
            ::unsetenv("XDG_CONFIG_HOME");
#endif
    }
    ScratchStore(const ScratchStore&) = delete;
    ScratchStore& operator=(const ScratchStore&) = delete;

    [[nodiscard]] bool isValid() const { return valid; }

#ifndef _WIN32
    // The folder XDG_CONFIG_HOME names while the store is in use; the store itself goes in its "sorvex".
    [[nodiscard]] const std::string& folder() const { return scratchFolder; }
#endif

private:
    bool valid = false;
#ifdef _WIN32
    HKEY key = nullptr;
    std::string path;
#else
    std::string scratchFolder;
    std::optional<std::string> previousConfig;
#endif
};

}  // namespace sorvex::testing_support
