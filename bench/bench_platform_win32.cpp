#include "bench/bench_platform.h"

#include <windows.h>

#include <algorithm>
#include <vector>

const char* const HEAP_MEASURE = "HeapWalk";
const char* const PLATFORM_NAME = "Wine";

bool RawWriteFile(const char* name, const std::string& bytes) {
    HANDLE file = CreateFileA(name, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    bool ok = true;
    for (size_t at = 0; ok && at < bytes.size(); at += 4096) {
        const DWORD length = static_cast<DWORD>(std::min<size_t>(4096, bytes.size() - at));
        DWORD written = 0;
        ok = WriteFile(file, bytes.data() + at, length, &written, nullptr) && written == length;
    }
    return CloseHandle(file) && ok;
}

void HeapGiveBack() {
    HeapCompact(GetProcessHeap(), 0);
}

// Busy blocks of every heap, each with the heap's own bookkeeping.
size_t HeapBytesInUse() {
    std::vector<HANDLE> heaps(GetProcessHeaps(0, nullptr) + 16);
    heaps.resize(GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
    size_t total = 0;
    for (HANDLE heap : heaps) {
        if (!HeapLock(heap)) {
            continue;
        }
        PROCESS_HEAP_ENTRY entry = {};
        while (HeapWalk(heap, &entry)) {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) {
                total += entry.cbData + entry.cbOverhead;
            }
        }
        HeapUnlock(heap);
    }
    return total;
}
