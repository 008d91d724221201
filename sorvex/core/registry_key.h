// One open key of the current user's registry, for the length of one store operation.
#pragma once

#include "registry_api.h"

#include <cstdint>
#include <optional>
#include <string>

namespace sorvex {

class RegistryKey {
public:
    // ReadInt with this default writes nothing back.
    static constexpr std::int32_t noDefault = 0xDEF0;

    RegistryKey(Registry& registry, HKEY root, const char* path, bool create);
    virtual ~RegistryKey();
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // The message for the user when the key could be neither created nor opened.
    [[nodiscard]] const std::optional<std::string>& openFailure() const { return failure; }
    // False when no key was open, or closing it failed to write what was written to it.
    bool close();
    [[nodiscard]] bool isOpen() const { return handle != nullptr; }

    std::int32_t readInt(const char* name, std::int32_t defaultValue, bool writeBack);
    bool writeInt(const char* name, std::int32_t value);
    std::string readString(const char* name, const char* defaultText, bool writeBack);
    bool writeString(const char* name, const char* text);

private:
    Registry& registry;
    HKEY handle = nullptr;
    std::optional<std::string> failure;
};

std::string openFailureMessage(HKEY root, const char* path);

}  // namespace sorvex
