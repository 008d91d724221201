// An icon group as a Windows module stores it (RT_GROUP_ICON): a header of three WORDs (reserved, type 1 for
// icons, count), then one entry per image, which names the RT_ICON resource holding it.
#pragma once

#include <windows.h>

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width;
    BYTE height;
    BYTE colourCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytesInResource;
    WORD id;
};
#pragma pack(pop)
