// Whether every heap of the process is still sound: a write past the end of
// a heap block breaks the heap's own bookkeeping, which this finds.
#pragma once

#include <windows.h>

#include <array>

inline bool HeapsAreIntact()
{
    std::array<HANDLE, 64> heaps{};
    const DWORD count = GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data());
    for (DWORD i = 0; i < count && i < heaps.size(); ++i)
        if (!HeapValidate(heaps[i], 0, nullptr)) return false;
    return true;
}
