// Prints the program a shell shortcut starts, as the shell reads it:  shortcut_target FILE.lnk
// Exits 1 when FILE is no shortcut the shell can read.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <objbase.h>
#include <objidl.h>
#include <shlguid.h>
#include <shobjidl.h>

#include <cstdio>
#include <string>

namespace {

std::string utf8(const wchar_t* text)
{
    const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(length > 0 ? length - 1 : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), length, nullptr, nullptr);
    return out;
}

std::wstring target(const wchar_t* path)
{
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link))))
        return {};
    std::wstring result;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        wchar_t program[MAX_PATH] = {};
        if (SUCCEEDED(file->Load(path, STGM_READ)) && SUCCEEDED(link->GetPath(program, MAX_PATH, nullptr, 0)))
            result = program;
        file->Release();
    }
    link->Release();
    return result;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2) {
        std::fputs("usage: shortcut_target FILE.lnk\n", stderr);
        return 2;
    }
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 1;
    const std::wstring program = target(argv[1]);
    CoUninitialize();
    if (program.empty()) {
        std::fprintf(stderr, "%s is no shortcut to a program\n", utf8(argv[1]).c_str());
        return 1;
    }
    std::printf("%s\n", utf8(program.c_str()).c_str());
    return 0;
}
