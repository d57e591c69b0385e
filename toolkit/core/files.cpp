// The file library: the file registry and the line buffering above the platform's writes.
#include "toolkit/files.h"

#include "toolkit/core/files_platform.h"
#include "toolkit/core/memory.h"

#include <cstring>

namespace {

constexpr int32_t FILE_SLOTS = 16;
constexpr int32_t FILE_BUFFER_SIZE = 4096;

struct FileRecord {
    intptr_t handle;
    char* buffer; // nullptr: the file is written unbuffered
    int32_t bufferSize;
    int32_t free;   // free bytes at the end of the buffer
    int32_t fresh;  // 1 until the first buffered write; a flush writes nothing meanwhile
    int32_t failed; // some byte did not reach the file
};

ObjectRegistry<FileRecord> files;
const FilePlatform* platform = &FILE_PLATFORM_SYSTEM;

int32_t WriteDirect(FileRecord& file, const char* bytes, int32_t length) {
    int32_t written = 0;
    if (!platform->write(file.handle, bytes, length, &written) || written != length) {
        file.failed = 1;
    }
    return written;
}

int32_t FileFlush(FileRecord& file) {
    if (file.fresh) {
        return 0;
    }
    const int32_t used = file.bufferSize - file.free;
    file.free = file.bufferSize;
    return used > 0 ? WriteDirect(file, file.buffer, used) : 0;
}

// The buffer never fills completely: a write that would fill it flushes
// first, and a text as large as the buffer goes straight to the file.
int32_t FileWriteBuffered(FileRecord& file, const char* bytes, int32_t length) {
    if (file.fresh) {
        file.fresh = 0;
        file.free = file.bufferSize;
    }
    if (length >= file.free) {
        FileFlush(file);
        if (length >= file.bufferSize) {
            return WriteDirect(file, bytes, length);
        }
    }
    std::memcpy(file.buffer + file.bufferSize - file.free, bytes, static_cast<size_t>(length));
    file.free -= length;
    return length;
}

int32_t FileWrite(FileRecord& file, const char* bytes, int32_t length) {
    return file.buffer ? FileWriteBuffered(file, bytes, length) : WriteDirect(file, bytes, length);
}

// The old file's close result is lost here; no caller reuses a number that
// is still open.
void CloseForReuse(ObjectNumber number) {
    FileClose(number);
}

intptr_t FileOpenWithMode(ObjectNumber number, const char* name, FileMode mode) {
    ObjectNumber claimed = 0;
    FileRecord* file = RegistryClaim(files, number, &claimed);
    if (!file) {
        return 0;
    }
    const intptr_t handle = platform->open(name ? name : "", mode);
    if (!handle) {
        // An issued record would otherwise stay in the list for good.
        RegistryRelease(files, claimed);
        return 0;
    }
    *file = {handle, static_cast<char*>(MemoryAllocate(FILE_BUFFER_SIZE)), FILE_BUFFER_SIZE, 0, 1,
             0};
    return RegistryCreateResult(number, claimed, handle);
}

} // namespace

const FilePlatform* FileSetPlatform(const FilePlatform* replacement) {
    const FilePlatform* previous = platform;
    platform = replacement;
    return previous;
}

bool FileLibraryInit() {
    return files.slots || RegistryCreate(files, FILE_SLOTS, CloseForReuse);
}

intptr_t FileCreate(ObjectNumber number, const char* name) {
    return FileOpenWithMode(number, name, FILE_MODE_CREATE);
}

intptr_t FileOpenRead(ObjectNumber number, const char* name) {
    return FileOpenWithMode(number, name, FILE_MODE_READ);
}

intptr_t FileOpenUpdate(ObjectNumber number, const char* name) {
    return FileOpenWithMode(number, name, FILE_MODE_UPDATE);
}

intptr_t FileOpenExclusive(ObjectNumber number, const char* name) {
    return FileOpenWithMode(number, name, FILE_MODE_EXCLUSIVE);
}

int32_t FileWriteLine(ObjectNumber number, const char* text) {
    FileRecord* file = RegistryLookup(files, number);
    if (!file) {
        return 0;
    }
    const size_t length = text ? std::strlen(text) : 0;
    // A count must fit the int32 it is returned in; such a line is refused whole.
    if (length > static_cast<size_t>(INT32_MAX - 2)) {
        file->failed = 1;
        return 0;
    }
    int32_t count = 0;
    if (length > 0) {
        count = FileWrite(*file, text, static_cast<int32_t>(length));
    }
    return count + FileWrite(*file, "\r\n", 2);
}

int32_t FileClose(ObjectNumber number) {
    FileRecord* file = RegistryLookup(files, number);
    if (!file) {
        return 0;
    }
    if (file->buffer) {
        FileFlush(*file);
        MemoryFree(file->buffer);
    }
    const bool closed = platform->close(file->handle);
    const bool complete = closed && !file->failed;
    RegistryRelease(files, number);
    return complete ? 1 : 0;
}

void FileCloseAll() {
    RegistryEnumBegin(files);
    ObjectNumber number = 0;
    while (RegistryEnumNext(files, &number)) {
        FileClose(number);
    }
}
