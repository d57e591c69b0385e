// The file library's boundary to the platform: one table of operations, so
// the buffering above it is the same everywhere and tests can watch it.
#pragma once

#include <cstdint>

enum FileMode : int32_t {
    FILE_MODE_READ = 1,
    FILE_MODE_UPDATE = 2,
    FILE_MODE_CREATE = 3, // always leaves an empty file
    FILE_MODE_EXCLUSIVE = 4,
};

struct FilePlatform {
    // The open file's handle, or 0.
    intptr_t (*open)(const char* name, FileMode mode);
    // False when the write failed; *written is the count the platform reports.
    bool (*write)(intptr_t handle, const char* bytes, int32_t length, int32_t* written);
    bool (*close)(intptr_t handle);
};

// The system's own operations (toolkit/win32/files.cpp, toolkit/posix/files.cpp).
extern const FilePlatform FILE_PLATFORM_SYSTEM;

// Installs other operations; returns the ones that were in place.
const FilePlatform* FileSetPlatform(const FilePlatform* platform);
