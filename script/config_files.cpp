#include "script/config_files.h"

#include "toolkit/files.h"
#include "toolkit/number_text.h"

namespace {

constexpr const char* HEADER_RULE =
    "//:::::::::::::::::::::::::::::::::::::::::::::::::::::::::::::::::::::::::::::::";
constexpr const char* SECTION_RULE = "//::::::::::::::::";
constexpr const char* SECTION_TITLE = "//:::Buy Script:::";
constexpr const char* EXEC_LINE = "exec buyscript.cfg";

void WriteHeader(ObjectNumber file) {
    FileWriteLine(file, HEADER_RULE);
    FileWriteLine(file, HeaderLine().c_str());
    FileWriteLine(file, HEADER_RULE);
    FileWriteLine(file, "");
}

} // namespace

std::string HeaderLine() {
    return std::string("//:::CS: S buy script created with ") + PRODUCT_TITLE_PREFIX +
           NumberToText(BUILD_NUMBER) + ":::";
}

void WriteAutoexecLines(ObjectNumber file) {
    WriteHeader(file);
    FileWriteLine(file, EXEC_LINE);
}

void WriteBuyscriptLines(ObjectNumber file, ScriptList& list) {
    WriteHeader(file);
    FileWriteLine(file, SECTION_RULE);
    FileWriteLine(file, SECTION_TITLE);
    FileWriteLine(file, SECTION_RULE);
    FileWriteLine(file, "");
    ScriptListReset(list);
    while (const ScriptLine* line = ScriptListStep(list)) {
        FileWriteLine(file, line->text.c_str());
    }
}
