// Files over KERNEL32: CreateFileA with the share mode of each open mode, WriteFile, CloseHandle.
#include "toolkit/core/files_platform.h"

#include <windows.h>

namespace {

struct ModeAccess {
    DWORD access;
    DWORD sharing;
    DWORD disposition;
};

// Indexed by FileMode - 1.
constexpr ModeAccess MODE_ACCESS[] = {
    {GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING},
    {GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, OPEN_ALWAYS},
    {GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS},
    {GENERIC_READ | GENERIC_WRITE, 0, OPEN_EXISTING},
};

intptr_t Win32Open(const char* name, FileMode mode) {
    if (mode < FILE_MODE_READ || mode > FILE_MODE_EXCLUSIVE) {
        return 0;
    }
    const ModeAccess& m = MODE_ACCESS[mode - FILE_MODE_READ];
    HANDLE file = CreateFileA(name, m.access, m.sharing, nullptr, m.disposition,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE && mode == FILE_MODE_CREATE) {
        // CREATE_ALWAYS refuses a hidden or system file whose attributes are
        // not asked for again; truncating it keeps them.
        file = CreateFileA(name, GENERIC_WRITE, FILE_SHARE_READ, nullptr, TRUNCATE_EXISTING, 0,
                           nullptr);
    }
    return file == INVALID_HANDLE_VALUE ? 0 : reinterpret_cast<intptr_t>(file);
}

bool Win32Write(intptr_t handle, const char* bytes, int32_t length, int32_t* written) {
    DWORD count = 0;
    const BOOL ok = WriteFile(reinterpret_cast<HANDLE>(handle), bytes, static_cast<DWORD>(length),
                              &count, nullptr);
    *written = static_cast<int32_t>(count);
    return ok != FALSE;
}

bool Win32Close(intptr_t handle) {
    return CloseHandle(reinterpret_cast<HANDLE>(handle)) != FALSE;
}

} // namespace

const FilePlatform FILE_PLATFORM_SYSTEM = {Win32Open, Win32Write, Win32Close};
