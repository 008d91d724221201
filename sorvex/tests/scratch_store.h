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
        m_path = "Software\\Quendrith tools tests\\" + std::to_string(GetCurrentProcessId()) + "-" +
                 std::to_string(++made);
        if (RegCreateKeyExA(HKEY_CURRENT_USER, m_path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                            nullptr, &m_key, nullptr) != ERROR_SUCCESS) {
            m_key = nullptr;
            return;
        }
        m_valid = RegOverridePredefKey(HKEY_CURRENT_USER, m_key) == ERROR_SUCCESS;
#else
        m_valid = m_folder.isValid() && qputenv("XDG_CONFIG_HOME", m_folder.path().toLocal8Bit());
#endif
    }
    ~ScratchStore()
    {
#ifdef Q_OS_WIN
        if (m_valid)
            RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        if (m_key) {
            RegCloseKey(m_key);
            RegDeleteTreeA(HKEY_CURRENT_USER, m_path.c_str());
        }
#endif
    }
    ScratchStore(const ScratchStore&) = delete;
    ScratchStore& operator=(const ScratchStore&) = delete;

    [[nodiscard]] bool isValid() const { return m_valid; }

private:
    bool m_valid = false;
#ifdef Q_OS_WIN
    HKEY m_key = nullptr;
    std::string m_path;
#else
    QTemporaryDir m_folder;
#endif
};

}  // namespace sorvex::testing
