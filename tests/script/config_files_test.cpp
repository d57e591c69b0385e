#include "script/config_files.h"

#include "toolkit/files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace {

std::string CrLfLines(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line + "\r\n";
    }
    return bytes;
}

TEST(ConfigFiles, BothFilesByteForByte) {
    ASSERT_TRUE(FileLibraryInit());
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("brevolt-config-" + std::to_string(std::random_device()())))
                                 .string();
    ScriptList list;
    // Writes the file through the file library and returns its bytes.
    const auto write = [&](auto writer) {
        EXPECT_NE(FileCreate(1, path.c_str()), 0);
        writer(1);
        EXPECT_EQ(FileClose(1), 1);
        std::ifstream file(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    };
    const auto buyscript = [&] {
        return write([&](ObjectNumber file) { WriteBuyscriptLines(file, list); });
    };

    const std::string rule = "//" + std::string(79, ':');
    const std::string headerLine =
        "//:::CS: S buy script created with Brevolt by \"Oskerand\" v1.1, Build 4:::";
    const std::string sectionRule = "//" + std::string(16, ':');
    const std::string header =
        CrLfLines({rule, headerLine, rule, "", sectionRule, "//:::Buy Script:::", sectionRule, ""});
    EXPECT_EQ(HeaderLine(), headerLine);
    EXPECT_EQ(write(WriteAutoexecLines),
              CrLfLines({rule, headerLine, rule, "", "exec buyscript.cfg"}));
    EXPECT_EQ(buyscript(), header); // the eight header lines alone

    const std::vector<std::string> added = {
        "Buy Script Output", "bind \"q\" \"buy m4a1\"", "\"ERROR:\" Nothing is selected!",
        "bind \"q\" \"buy m4a1\"", "bind \"\\\" \"buy defuser\""};
    for (const std::string& text : added) {
        ScriptListAdd(list, text);
    }
    // Wherever the cursor was left, the whole list is written.
    EXPECT_EQ(buyscript(), header + CrLfLines(added));
    ScriptListReset(list);
    ScriptListStep(list);
    EXPECT_EQ(buyscript(), header + CrLfLines(added));
    ScriptListFree(list);
    std::filesystem::remove(path);
}

} // namespace
