#include "toolkit/files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

TEST(FilesPosixTest, WritesExactBytesAtCloseAndReportsAFullDevice) {
    ASSERT_TRUE(FileLibraryInit());
    char folder[] = "/tmp/brevolt-files-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string path = std::string(folder) + "/buyscript.cfg";
    std::ofstream(path) << "old contents that must go";
    EXPECT_NE(FileCreate(1, path.c_str()), 0);
    FileWriteLine(1, "a");
    FileWriteLine(1, "bc");
    EXPECT_EQ(FileClose(1), 1);
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "a\r\nbc\r\n");
    std::filesystem::remove_all(folder);

    EXPECT_NE(FileCreate(0, "/dev/full"), 0);
    EXPECT_EQ(FileWriteLine(0, "bind"), 6) << "buffered: nothing is written yet";
    EXPECT_EQ(FileClose(0), 0);
    EXPECT_NE(FileCreate(0, "/dev/full"), 0);
    EXPECT_EQ(FileWriteLine(0, std::string(5000, 'x').c_str()), 2) << "direct: none of it";
    EXPECT_EQ(FileClose(0), 0);
}

} // namespace
