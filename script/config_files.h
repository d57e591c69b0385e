// The two configuration files the game reads: their names and exact lines.
#pragma once

#include "script/script_list.h"
#include "script/version.h"
#include "toolkit/registry.h"

#include <cstdint>
#include <string>

constexpr int32_t BUILD_NUMBER = BREVOLT_BUILD;
constexpr const char* PRODUCT_TITLE_PREFIX =
    "Brevolt by \"Oskerand\" v" BREVOLT_VERSION_TEXT ", Build ";
constexpr const char* AUTOEXEC_FILE_NAME = "autoexec.cfg";
constexpr const char* BUYSCRIPT_FILE_NAME = "buyscript.cfg";

std::string HeaderLine();

// Write the whole content of each file to an open file number.
void WriteAutoexecLines(ObjectNumber file);
void WriteBuyscriptLines(ObjectNumber file, ScriptList& list);
