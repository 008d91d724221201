// Prints what Windows reads from the resources of a program or DLL, for the package tests to check:
//   resource_report FILE
// One line per icon group, "icon ID: SIZE/BITS/FORMAT ..." with FORMAT png or bmp in the group's order, the
// groups in the order Explorer takes them; "version fixed: A.B.C.D" and "version NAME: VALUE" for the strings of
// the version block; "manifest:" followed by the embedded application manifest. Exits 1 when FILE cannot be
// read as a module.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include "group_icon.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string utf8(const std::wstring& text)
{
    const int length
        = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), length, nullptr, nullptr);
    return out;
}

const void* resourceData(HMODULE module, LPCWSTR name, LPCWSTR type, DWORD* size)
{
    const HRSRC found = FindResourceW(module, name, type);
    if (!found)
        return nullptr;
    *size = SizeofResource(module, found);
    return LockResource(LoadResource(module, found));
}

BOOL CALLBACK printIconGroup(HMODULE module, LPCWSTR, LPWSTR name, LONG_PTR)
{
    DWORD size = 0;
    const auto* group = static_cast<const WORD*>(resourceData(module, name, MAKEINTRESOURCEW(14), &size));
    if (!group || size < 6)
        return TRUE;
    if (IS_INTRESOURCE(name))
        std::printf("icon %u:", static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(name)));
    else
        std::printf("icon %s:", utf8(name).c_str());
    const auto* entries = reinterpret_cast<const GroupIconEntry*>(group + 3);
    for (WORD i = 0; i < group[2] && 6 + (i + 1) * sizeof(GroupIconEntry) <= size; ++i) {
        DWORD imageSize = 0;
        const auto* image = static_cast<const unsigned char*>(
            resourceData(module, MAKEINTRESOURCEW(entries[i].id), MAKEINTRESOURCEW(3), &imageSize));
        static const unsigned char pngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
        const char* format = "missing";
        if (image)
            format = imageSize >= 8 && std::equal(pngSignature, pngSignature + 8, image) ? "png" : "bmp";
        std::printf(" %d/%u/%s", entries[i].width == 0 ? 256 : entries[i].width,
                    static_cast<unsigned>(entries[i].bitCount), format);
    }
    std::printf("\n");
    return TRUE;
}

void printVersion(const wchar_t* path)
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    std::vector<unsigned char> block(size);
    if (size == 0 || !GetFileVersionInfoW(path, 0, size, block.data()))
        return;
    void* value = nullptr;
    UINT length = 0;
    if (VerQueryValueW(block.data(), L"\\", &value, &length) && length >= sizeof(VS_FIXEDFILEINFO)) {
        const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
        std::printf("version fixed: %lu.%lu.%lu.%lu\n", fixed->dwFileVersionMS >> 16, fixed->dwFileVersionMS & 0xFFFF,
                    fixed->dwFileVersionLS >> 16, fixed->dwFileVersionLS & 0xFFFF);
    }
    if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &value, &length) || length < 4)
        return;
    const auto* translation = static_cast<const WORD*>(value);
    wchar_t table[32];
    swprintf(table, 32, L"\\StringFileInfo\\%04X%04X\\", translation[0], translation[1]);
    for (const wchar_t* name : {L"CompanyName", L"FileDescription", L"FileVersion", L"InternalName", L"LegalCopyright",
                                L"OriginalFilename", L"ProductName", L"ProductVersion"}) {
        if (!VerQueryValueW(block.data(), (std::wstring(table) + name).c_str(), &value, &length))
            continue;
        std::wstring text(static_cast<const wchar_t*>(value), length);
        while (!text.empty() && text.back() == L'\0')
            text.pop_back();
        std::printf("version %s: %s\n", utf8(name).c_str(), utf8(text).c_str());
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2) {
        std::fputs("usage: resource_report FILE\n", stderr);
        return 2;
    }
    const HMODULE module = LoadLibraryExW(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!module) {
        std::fprintf(stderr, "cannot read %s as a module (error %lu)\n", utf8(argv[1]).c_str(), GetLastError());
        return 1;
    }
    EnumResourceNamesW(module, MAKEINTRESOURCEW(14), printIconGroup, 0);
    printVersion(argv[1]);
    DWORD size = 0;
    if (const void* manifest = resourceData(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24), &size)) {
        std::printf("manifest:\n");
        std::fwrite(manifest, 1, size, stdout);
        std::printf("\n");
    }
    FreeLibrary(module);
    return 0;
}
