// Files over POSIX descriptors: open with the flags of each mode, write, close.
#include "toolkit/core/files_platform.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Handles are descriptor + 1, so that descriptor 0 does not read as "no file".
intptr_t PosixOpen(const char* name, FileMode mode) {
    int flags = 0;
    switch (mode) {
    case FILE_MODE_READ:
        flags = O_RDONLY;
        break;
    case FILE_MODE_UPDATE:
        flags = O_RDWR | O_CREAT;
        break;
    case FILE_MODE_CREATE:
        flags = O_WRONLY | O_CREAT | O_TRUNC;
        break;
    case FILE_MODE_EXCLUSIVE: // POSIX has no share modes to refuse others with
        flags = O_RDWR;
        break;
    default:
        return 0;
    }
    const int descriptor = open(name, flags | O_CLOEXEC, 0666);
    return descriptor < 0 ? 0 : descriptor + 1;
}

// Like WriteFile on a disk file: all bytes or a failure, whatever pieces write() takes.
bool PosixWrite(intptr_t handle, const char* bytes, int32_t length, int32_t* written) {
    *written = 0;
    while (*written < length) {
        const ssize_t count = write(static_cast<int>(handle - 1), bytes + *written,
                                    static_cast<size_t>(length - *written));
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return false;
        }
        *written += static_cast<int32_t>(count);
    }
    return true;
}

bool PosixClose(intptr_t handle) {
    return close(static_cast<int>(handle - 1)) == 0;
}

} // namespace

const FilePlatform FILE_PLATFORM_SYSTEM = {PosixOpen, PosixWrite, PosixClose};
