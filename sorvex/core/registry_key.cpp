#include "registry_key.h"

#include <charconv>
#include <cstring>
#include <limits>
#include <vector>

namespace sorvex {

std::string openFailureMessage(HKEY root, const char* path)
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

RegistryKey::RegistryKey(Registry& calls, HKEY root, const char* path, bool create) : registry(calls)
{
    if (create) {
        DWORD disposition = 0;
        if (registry.createKey(root, path, KEY_ALL_ACCESS, &handle, &disposition) == ERROR_SUCCESS)
            return;
        handle = nullptr;
    }
    if (registry.openKey(root, path, KEY_READ, &handle) == ERROR_SUCCESS)
        return;
    handle = nullptr;
    failure = openFailureMessage(root, path);
}

RegistryKey::~RegistryKey()
{
    if (handle)
        registry.closeKey(handle);
}

bool RegistryKey::close()
{
    if (!handle)
        return false;
    const LONG result = registry.closeKey(handle);
    handle = nullptr;
    return result == ERROR_SUCCESS;
}

std::int32_t RegistryKey::readInt(const char* name, std::int32_t defaultValue, bool writeBack)
{
    if (handle) {
        BYTE bytes[4] = {};
        DWORD size = sizeof bytes;
        DWORD type = 0;
        if (registry.queryValue(handle, name, &type, bytes, &size) == ERROR_SUCCESS) {
            // Fewer than four bytes are zero-extended.
            std::uint32_t value = 0;
            for (int i = 3; i >= 0; --i)
                value = (value << 8) | bytes[i];
            return static_cast<std::int32_t>(value);
        }
    }
    if (defaultValue != noDefault && writeBack)
        writeInt(name, defaultValue);
    return defaultValue;
}

bool RegistryKey::writeInt(const char* name, std::int32_t value)
{
    if (!name || !handle)
        return false;
    const auto bits = static_cast<std::uint32_t>(value);
    const BYTE bytes[4] = {static_cast<BYTE>(bits & 0xFF), static_cast<BYTE>((bits >> 8) & 0xFF),
                           static_cast<BYTE>((bits >> 16) & 0xFF), static_cast<BYTE>(bits >> 24)};
    return registry.setValue(handle, name, REG_DWORD, bytes, sizeof bytes) == ERROR_SUCCESS;
}

std::string RegistryKey::readString(const char* name, const char* defaultText, bool writeBack)
{
    if (!name)
        return {};
    if (handle) {
        DWORD size = 0;
        DWORD type = 0;
        if (registry.queryValue(handle, name, &type, nullptr, &size) == ERROR_SUCCESS) {
            std::vector<char> text(std::size_t{size} + 1, '\0');
            DWORD capacity = size == std::numeric_limits<DWORD>::max() ? size : size + 1;
            if (registry.queryValue(handle, name, &type, reinterpret_cast<BYTE*>(text.data()), &capacity)
                == ERROR_SUCCESS)
                return std::string(text.data());
        }
    }
    if (!defaultText)
        return {};
    if (writeBack)
        writeString(name, defaultText);
    return defaultText;
}

bool RegistryKey::writeString(const char* name, const char* text)
{
    if (!name || !text || !handle)
        return false;
    const std::size_t length = std::strlen(text) + 1;
    if (length > std::numeric_limits<DWORD>::max())
        return false;
    return registry.setValue(handle, name, REG_SZ, reinterpret_cast<const BYTE*>(text), static_cast<DWORD>(length))
        == ERROR_SUCCESS;
}

}  // namespace sorvex
