#include "registry_key.h"

#include <charconv>
#include <cstring>
#include <limits>
#include <vector>

namespace sorvex {

#ifdef _WIN32
std::optional<std::string> TakeStoreNotice()
{
    return std::nullopt;
}
#endif

std::string OpenFailureMessage(HKEY root, const char* path)
{
    // Predefined handles are sign-extended on 64-bit Windows; the low 32 bits name them.
    const auto handle = static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(root) & 0xFFFFFFFFu);
    // "CVORegistry() Constructor3: KEY_READ Access Failed: %x\n%s\n", built without a fixed buffer.
    char hex[16];
    const auto end = std::to_chars(hex, hex + sizeof hex, handle, 16).ptr;
    std::string text = "CVORegistry() Constructor3: KEY_READ Access Failed: ";
    text.append(hex, end);
    text += '\n';
    text += path ? path : "";
    text += '\n';
    return text;
}

CVORegistry::CVORegistry(HKEY root, const char* path, bool create, MessageSink& messages)
{
    m_key = nullptr;
    if (create) {
        DWORD disposition = 0;
        if (RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &m_key,
                            &disposition) == ERROR_SUCCESS)
            return;
        m_key = nullptr;
    }
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &m_key) == ERROR_SUCCESS)
        return;
    m_key = nullptr;
    messages.showWarning(programName, OpenFailureMessage(root, path));
}

CVORegistry::~CVORegistry()
{
    if (m_key)
        RegCloseKey(m_key);
}

bool CVORegistry::Close()
{
    if (!m_key)
        return false;
    RegCloseKey(m_key);
    m_key = nullptr;
    return true;
}

std::int32_t CVORegistry::ReadInt(const char* name, std::int32_t defaultValue, bool writeBack)
{
    if (m_key) {
        BYTE bytes[4] = {};
        DWORD size = sizeof bytes;
        DWORD type = 0;
        if (RegQueryValueExA(m_key, name, nullptr, &type, bytes, &size) == ERROR_SUCCESS) {
            // Fewer than four bytes are zero-extended.
            std::uint32_t value = 0;
            for (int i = 3; i >= 0; --i)
                value = (value << 8) | bytes[i];
            return static_cast<std::int32_t>(value);
        }
    }
    if (defaultValue != noDefault && writeBack)
        WriteInt(name, defaultValue);
    return defaultValue;
}

bool CVORegistry::WriteInt(const char* name, std::int32_t value)
{
    if (!name || !m_key)
        return false;
    const auto bits = static_cast<std::uint32_t>(value);
    const BYTE bytes[4] = {static_cast<BYTE>(bits & 0xFF), static_cast<BYTE>((bits >> 8) & 0xFF),
                           static_cast<BYTE>((bits >> 16) & 0xFF), static_cast<BYTE>(bits >> 24)};
    return RegSetValueExA(m_key, name, 0, REG_DWORD, bytes, sizeof bytes) == ERROR_SUCCESS;
}

std::string CVORegistry::ReadString(const char* name, const char* defaultText, bool writeBack)
{
    if (!name)
        return {};
    if (m_key) {
        DWORD size = 0;
        DWORD type = 0;
        if (RegQueryValueExA(m_key, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
            std::vector<char> text(std::size_t{size} + 1, '\0');
            DWORD capacity = size == std::numeric_limits<DWORD>::max() ? size : size + 1;
            if (RegQueryValueExA(m_key, name, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &capacity) ==
                ERROR_SUCCESS)
                return std::string(text.data());
        }
    }
    if (!defaultText)
        return {};
    if (writeBack)
        WriteString(name, defaultText);
    return defaultText;
}

bool CVORegistry::WriteString(const char* name, const char* text)
{
    if (!name || !text || !m_key)
        return false;
    const std::size_t length = std::strlen(text) + 1;
    if (length > std::numeric_limits<DWORD>::max())
        return false;
    return RegSetValueExA(m_key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), static_cast<DWORD>(length)) ==
           ERROR_SUCCESS;
}

}  // namespace sorvex
