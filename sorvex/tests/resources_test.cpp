// Linked with sorvex.rc: reads this executable's own resources back as Windows sees them.
#include "control_ids.h"
#include "group_icon.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace {

std::vector<std::byte> ownVersionInfo()
{
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length == MAX_PATH)
        return {};
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    std::vector<std::byte> block(size);
    if (size == 0 || !GetFileVersionInfoW(path, 0, size, block.data()))
        return {};
    return block;
}

// The value at path in the version block, where it is there with the size of a T.
template <class T> const T* versionValue(std::vector<std::byte>& block, const wchar_t* path)
{
    void* value = nullptr;
    UINT size = 0;
    if (block.empty() || !VerQueryValueW(block.data(), path, &value, &size) || size != sizeof(T))
        return nullptr;
    return static_cast<const T*>(value);
}

std::wstring versionString(std::vector<std::byte>& block, const std::wstring& name)
{
    const std::wstring query = L"\\StringFileInfo\\040904B0\\" + name;
    void* value = nullptr;
    UINT characters = 0;
    if (!VerQueryValueW(block.data(), query.c_str(), &value, &characters))
        return L"<missing>";
    std::wstring text(static_cast<const wchar_t*>(value), characters);
    while (!text.empty() && text.back() == L'\0')
        text.pop_back();
    return text;
}

}  // namespace

TEST(SorvexResources, FixedVersionIsApplicationOneZeroZeroOne)
{
    std::vector<std::byte> block = ownVersionInfo();
    const auto* fixed = versionValue<VS_FIXEDFILEINFO>(block, L"\\");
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000001u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(fixed->dwFileFlags & fixed->dwFileFlagsMask, 0u);
}

TEST(SorvexResources, OneTranslationUsEnglishUnicode)
{
    std::vector<std::byte> block = ownVersionInfo();
    const auto* pair = versionValue<std::array<WORD, 2>>(block, L"\\VarFileInfo\\Translation");
    ASSERT_NE(pair, nullptr);
    EXPECT_EQ((*pair)[0], 0x0409);
    EXPECT_EQ((*pair)[1], 1200);
}

TEST(SorvexResources, VersionStrings)
{
    std::vector<std::byte> block = ownVersionInfo();
    ASSERT_FALSE(block.empty());
    const struct {
        const wchar_t* name;
        const wchar_t* value;
    } expected[] = {
        {L"FileVersion", L"1, 0, 0, 1"},      {L"ProductVersion", L"1, 0, 0, 1"},      {L"InternalName", L"Sorvex"},
        {L"OriginalFilename", L"Sorvex.EXE"}, {L"ProductName", L"Sorvex Application"}, {L"CompanyName", L""},
    };
    for (const auto& entry : expected)
        EXPECT_EQ(versionString(block, entry.name), entry.value) << "value " << testing::PrintToString(entry.name);
    const std::wstring description = versionString(block, L"FileDescription");
    EXPECT_NE(description.find(L"Sorvex"), std::wstring::npos);
}

TEST(SorvexResources, AboutItemText)
{
    wchar_t text[64] = {};
    const int length = LoadStringW(GetModuleHandleW(nullptr), IDS_ABOUTBOX, text, 64);
    EXPECT_EQ(std::wstring(text, static_cast<std::size_t>(length)), L"&About Sorvex...");
}

TEST(SorvexResources, IconHasSixteenColourImagesAtThirtyTwoAndSixteen)
{
    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(IDR_MAINFRAME), MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
    ASSERT_NE(found, nullptr);
    const auto* group = static_cast<const WORD*>(LockResource(LoadResource(module, found)));
    ASSERT_NE(group, nullptr);
    ASSERT_EQ(group[1], 1);  // icon, not cursor
    const WORD count = group[2];
    ASSERT_EQ(count, 2);
    const auto* entries = reinterpret_cast<const GroupIconEntry*>(group + 3);
    std::vector<int> sizes;
    for (WORD i = 0; i < count; ++i) {
        EXPECT_EQ(entries[i].width, entries[i].height);
        EXPECT_EQ(entries[i].colourCount, 16);
        EXPECT_EQ(entries[i].bitCount, 4);
        sizes.push_back(entries[i].width);
        EXPECT_NE(FindResourceW(module, MAKEINTRESOURCEW(entries[i].id), MAKEINTRESOURCEW(3)), nullptr);  // RT_ICON
    }
    EXPECT_EQ(sizes, (std::vector<int>{32, 16}));

    for (const int size : {32, 16}) {
        const HANDLE icon = LoadImageW(module, MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON, size, size, 0);
        EXPECT_NE(icon, nullptr) << size;
        if (icon)
            DestroyIcon(static_cast<HICON>(icon));
    }
}
