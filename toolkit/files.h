// Numbered text files written line by line through a 4096-byte buffer.
#pragma once

#include "toolkit/registry.h"

#include <cstdint>

bool FileLibraryInit();

// 0 on failure, else the platform handle (or the issued identifier for NUMBER_ANY).
intptr_t FileCreate(ObjectNumber number, const char* name);
intptr_t FileOpenRead(ObjectNumber number, const char* name);
intptr_t FileOpenUpdate(ObjectNumber number, const char* name);
intptr_t FileOpenExclusive(ObjectNumber number, const char* name);

// Writes text (nullptr counts as empty) and CR LF; returns length + 2, or 0
// when the number names no open file. A text whose length + 2 does not fit
// in 32 bits is not written at all, returns 0 and makes FileClose return 0.
int32_t FileWriteLine(ObjectNumber number, const char* text);

// 1 when every byte reached the file and the close succeeded, 0 otherwise
// (also 0 for a number that names no open file).
int32_t FileClose(ObjectNumber number);
void FileCloseAll();
