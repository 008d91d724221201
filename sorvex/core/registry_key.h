// One open key of the current user's registry, for the length of one store operation.
#pragma once

#include "message_sink.h"
#include "registry_api.h"

#include <cstdint>
#include <string>

namespace sorvex {

class RegistryKey {
public:
    // ReadInt with this default writes nothing back.
    static constexpr std::int32_t noDefault = 0xDEF0;

    RegistryKey(HKEY root, const char* path, bool create, MessageSink& messages);
    virtual ~RegistryKey();
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    bool close();
    bool isOpen() const { return handle != nullptr; }

    std::int32_t readInt(const char* name, std::int32_t defaultValue, bool writeBack);
    bool writeInt(const char* name, std::int32_t value);
    std::string readString(const char* name, const char* defaultText, bool writeBack);
    bool writeString(const char* name, const char* text);

private:
    HKEY handle = nullptr;
};

std::string openFailureMessage(HKEY root, const char* path);

}  // namespace sorvex
