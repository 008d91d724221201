// A character store of its own for a test. On Windows the current user's registry is redirected to a scratch
// key for the process, so that a test run neither sees nor changes the characters of whoever runs it, and
// the store still goes through HKEY_CURRENT_USER; elsewhere the file store lives in a temporary folder.
#pragma once

#include <QTemporaryDir>
#include <QtGlobal>

#ifdef Q_OS_WIN
#include "registry_api.h"

#include <string>
#endif

namespace sorvex::testing {

class ScratchStore {
public:
    ScratchStore()
    {
#ifdef Q_OS_WIN
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
        valid = folder.isValid() && qputenv("XDG_CONFIG_HOME", folder.path().toLocal8Bit());
#endif
    }
    ~ScratchStore()
    {
#ifdef Q_OS_WIN
        if (valid)
            RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        if (key) {
            RegCloseKey(key);
            RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str());
        }
#endif
    }
    ScratchStore(const ScratchStore&) = delete;
    ScratchStore& operator=(const ScratchStore&) = delete;

    [[nodiscard]] bool isValid() const
    {
        return valid;
    }

private:
    bool valid = false;
#ifdef Q_OS_WIN
    HKEY key = nullptr;
    std::string path;
#else
    QTemporaryDir folder;
#endif
};

}  // namespace sorvex::testing
