// The five registry calls of the store. Windows provides them; elsewhere file_registry provides
// the same calls, types and error codes over a per-user .reg file.
#pragma once

#ifdef _WIN32
#include "windows_api.h"
#else
#include "file_registry.h"
#endif

#include <optional>
#include <string>

namespace sorvex {
// A note for the user about the store itself (e.g. where an unreadable file was kept), at most once.
std::optional<std::string> takeStoreNotice();
}  // namespace sorvex
