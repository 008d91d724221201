// "leave" puts a value under the store's own key of the current user; "find" looks for it there, unchanged,
// and takes it away again. Run before and after sorvex's tests, it shows that none of them deleted or
// replaced the characters of whoever runs them.
#include "character_store.h"
#include "windows_api.h"

#include <cstdio>
#include <cstring>
#include <string_view>

namespace {

constexpr const char* valueName = "Left by the tests";
constexpr const char* valueText = "The characters stored here are not the tests' to touch.";

int leave()
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, sorvex::rootKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr)
        != ERROR_SUCCESS) {
        std::fprintf(stderr, "cannot create HKEY_CURRENT_USER\\%s\n", sorvex::rootKeyPath);
        return 1;
    }
    const LONG set = RegSetValueExA(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(valueText),
                                    static_cast<DWORD>(std::strlen(valueText) + 1));
    RegCloseKey(key);
    return set == ERROR_SUCCESS ? 0 : 1;
}

int find()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, sorvex::rootKeyPath, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
        std::fprintf(stderr, "HKEY_CURRENT_USER\\%s is gone\n", sorvex::rootKeyPath);
        return 1;
    }
    char text[256] = {};
    DWORD size = sizeof text - 1;
    DWORD type = REG_NONE;
    const bool found
        = RegQueryValueExA(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) == ERROR_SUCCESS
        && type == REG_SZ && std::string_view(text) == valueText;
    if (found)
        RegDeleteValueA(key, valueName);
    else
        std::fprintf(stderr, "\"%s\" under HKEY_CURRENT_USER\\%s is gone or changed\n", valueName, sorvex::rootKeyPath);
    RegCloseKey(key);
    return found ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[])
{
    const std::string_view step = argc == 2 ? argv[1] : "";
    if (step == "leave")
        return leave();
    if (step == "find")
        return find();
    std::fprintf(stderr, "usage: sorvex_store_sentinel leave|find\n");
    return 2;
}
