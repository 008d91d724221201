// One open key of the current user's registry, for the length of one store operation.
#pragma once

#include "message_sink.h"
#include "registry_api.h"

#include <cstdint>
#include <string>

namespace sorvex {

class CVORegistry {
public:
    // ReadInt with this default writes nothing back.
    static constexpr std::int32_t noDefault = 0xDEF0;

    CVORegistry(HKEY root, const char* path, bool create, MessageSink& messages);
    virtual ~CVORegistry();
    CVORegistry(const CVORegistry&) = delete;
    CVORegistry& operator=(const CVORegistry&) = delete;

    bool Close();
    bool IsOpen() const { return m_key != nullptr; }

    std::int32_t ReadInt(const char* name, std::int32_t defaultValue, bool writeBack);
    bool WriteInt(const char* name, std::int32_t value);
    std::string ReadString(const char* name, const char* defaultText, bool writeBack);
    bool WriteString(const char* name, const char* text);

private:
    HKEY m_key = nullptr;
};

std::string OpenFailureMessage(HKEY root, const char* path);

}  // namespace sorvex
