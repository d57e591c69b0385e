// The program's version, written once. The title, the configuration files'
// header, the Windows version record and manifest, and the packages all take
// it from here; plain macros, so the resource compiler and CMake read it too.
#pragma once

#define BREVOLT_VERSION_MAJOR 1
#define BREVOLT_VERSION_MINOR 1
#define BREVOLT_BUILD 4

#define BREVOLT_TEXT_OF(value) #value
#define BREVOLT_TEXT(value) BREVOLT_TEXT_OF(value)
// "1.1": the version as the title and the version record write it.
#define BREVOLT_VERSION_TEXT                                                                       \
    BREVOLT_TEXT(BREVOLT_VERSION_MAJOR) "." BREVOLT_TEXT(BREVOLT_VERSION_MINOR)
