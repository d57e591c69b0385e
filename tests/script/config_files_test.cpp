#include "script/config_files.h"

#include "toolkit/files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const std::string headerRule = "//" + std::string(79, ':');
const std::string headerLine =
    "//:::CS: S buy script created with Brevolt by \"Oskerand\" v1.1, Build 4:::";
const std::string sectionRule = "//" + std::string(16, ':');

std::string CrLfLines(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line + "\r\n";
    }
    return bytes;
}

std::vector<std::string> BuyscriptHeader() {
    return {headerRule,  headerLine,           headerRule,  "",
            sectionRule, "//:::Buy Script:::", sectionRule, ""};
}

class ConfigFiles : public testing::Test {
  protected:
    static void SetUpTestSuite() { ASSERT_TRUE(FileLibraryInit()); }

    void SetUp() override {
        std::random_device random;
        directory = fs::temp_directory_path() / ("brevolt-config-" + std::to_string(random()));
        ASSERT_TRUE(fs::create_directory(directory));
    }

    void TearDown() override {
        ScriptListFree(list);
        std::error_code ignored;
        fs::remove_all(directory, ignored);
    }

    // Writes one file through the file library and returns its bytes.
    template <typename Writer> std::string WriteFile(const char* name, Writer write) {
        const std::string path = (directory / name).string();
        EXPECT_NE(FileCreate(1, path.c_str()), 0);
        write(1);
        FileClose(1);
        std::ifstream file(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }

    std::string SaveBuyscript() {
        return WriteFile(BUYSCRIPT_FILE_NAME,
                         [this](ObjectNumber file) { WriteBuyscriptLines(file, list); });
    }

    fs::path directory;
    ScriptList list;
};

TEST_F(ConfigFiles, HeaderLineCarriesTheBuildNumber) {
    EXPECT_EQ(HeaderLine(), headerLine);
}

TEST_F(ConfigFiles, AutoexecRunsTheBuyScript) {
    ScriptListAdd(list, "bind \"q\" \"buy awp\"");
    const std::string bytes = WriteFile(AUTOEXEC_FILE_NAME, WriteAutoexecLines);
    EXPECT_EQ(bytes, CrLfLines({headerRule, headerLine, headerRule, "", "exec buyscript.cfg"}));
}

TEST_F(ConfigFiles, EmptyListGivesTheHeaderAlone) {
    EXPECT_EQ(SaveBuyscript(), CrLfLines(BuyscriptHeader()));
}

TEST_F(ConfigFiles, EveryAddedLineFollowsInOrder) {
    const std::vector<std::string> added = {
        "Buy Script Output",
        "bind \"q\" \"buy m4a1; buy primammo\"",
        "\"ERROR:\" Nothing is selected!",
        "bind \"q\" \"buy m4a1; buy primammo\"",
        " \"buy vest\"",
    };
    for (const std::string& text : added) {
        ScriptListAdd(list, text);
    }
    std::vector<std::string> expected = BuyscriptHeader();
    expected.insert(expected.end(), added.begin(), added.end());
    // Wherever the cursor was left, the whole list is written.
    ScriptListReset(list);
    EXPECT_EQ(SaveBuyscript(), CrLfLines(expected));
    ScriptListReset(list);
    ScriptListStep(list);
    EXPECT_EQ(SaveBuyscript(), CrLfLines(expected));

    // A line added after saving comes after the old ones in the next save.
    ScriptListAdd(list, "bind \"\\\" \"buy defuser\"");
    expected.push_back("bind \"\\\" \"buy defuser\"");
    EXPECT_EQ(SaveBuyscript(), CrLfLines(expected));
    EXPECT_EQ(list.count, 6);
}

} // namespace
