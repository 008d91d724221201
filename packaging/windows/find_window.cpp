// Waits for a visible top-level window with the given title and, on request, asks it to close:
//   find_window TITLE SECONDS [close]
// Exits 0 when it was found (and, with "close", its process ended), 1 when it was not within SECONDS, 2 on
// wrong arguments. Used to check under Wine that an unpacked program really opens its window.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

namespace {

struct Search {
    const wchar_t* title;
    HWND found;
};

BOOL CALLBACK list(HWND window, LPARAM)
{
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    if (text[0])
        std::fwprintf(stderr, L"  %ls window \"%ls\"\n", IsWindowVisible(window) ? L"visible" : L"hidden", text);
    return TRUE;
}

BOOL CALLBACK visit(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<Search*>(parameter);
    if (!IsWindowVisible(window))
        return TRUE;
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    if (std::wcscmp(text, search->title) != 0)
        return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3 || argc > 4 || (argc == 4 && std::wcscmp(argv[3], L"close") != 0)) {
        std::fputs("usage: find_window TITLE SECONDS [close]\n", stderr);
        return 2;
    }
    const long seconds = std::wcstol(argv[2], nullptr, 10);
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000u;
    Search search{argv[1], nullptr};
    while (!search.found && GetTickCount64() < deadline) {
        EnumWindows(visit, reinterpret_cast<LPARAM>(&search));
        if (!search.found)
            Sleep(200);
    }
    if (!search.found) {
        std::fwprintf(stderr, L"no window titled \"%ls\" within %ld seconds; the top-level windows:\n", argv[1],
                      seconds);
        EnumWindows(list, 0);
        return 1;
    }
    std::wprintf(L"found the window \"%ls\"\n", argv[1]);
    if (argc == 3)
        return 0;

    DWORD processId = 0;
    GetWindowThreadProcessId(search.found, &processId);
    const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    PostMessageW(search.found, WM_CLOSE, 0, 0);
    const ULONGLONG left = deadline > GetTickCount64() ? deadline - GetTickCount64() : 0;
    const DWORD waited = process ? WaitForSingleObject(process, static_cast<DWORD>(left) + 5000u) : WAIT_FAILED;
    if (process)
        CloseHandle(process);
    if (waited != WAIT_OBJECT_0) {
        std::fwprintf(stderr, L"\"%ls\" did not end after it was asked to close\n", argv[1]);
        return 1;
    }
    return 0;
}
