#include "toolkit/files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

class FilesPosixTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(FileLibraryInit());
        char pattern[] = "/tmp/brevolt-files-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        directory = pattern;
    }
    void TearDown() override {
        FileCloseAll();
        std::system(("rm -rf '" + directory + "'").c_str());
    }
    std::string Path(const char* name) const { return directory + "/" + name; }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
    static void Write(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }

    std::string directory;
};

TEST_F(FilesPosixTest, WritesExactBytesAndOnlyAtClose) {
    const std::string path = Path("buyscript.cfg");
    ASSERT_NE(FileCreate(1, path.c_str()), 0);
    FileWriteLine(1, "a");
    FileWriteLine(1, "bc");
    EXPECT_EQ(Read(path), "");
    EXPECT_EQ(FileClose(1), 1);
    EXPECT_EQ(Read(path), "a\r\nbc\r\n");
}

TEST_F(FilesPosixTest, CreateEmptiesAndUpdateOverwritesFromTheStart) {
    const std::string path = Path("old.cfg");
    Write(path, "0123456789");
    ASSERT_NE(FileOpenUpdate(0, path.c_str()), 0);
    FileWriteLine(0, "ab");
    EXPECT_EQ(FileClose(0), 1);
    EXPECT_EQ(Read(path), "ab\r\n456789");
    ASSERT_NE(FileCreate(0, path.c_str()), 0);
    EXPECT_EQ(FileClose(0), 1);
    EXPECT_EQ(Read(path), "");
}

TEST_F(FilesPosixTest, OpeningWhatIsNotThereFails) {
    EXPECT_EQ(FileOpenRead(0, Path("missing").c_str()), 0);
    EXPECT_EQ(FileOpenExclusive(0, Path("missing").c_str()), 0);
    EXPECT_EQ(FileCreate(0, Path("no/such/dir").c_str()), 0);
    EXPECT_EQ(FileCreate(0, nullptr), 0);
    EXPECT_EQ(FileWriteLine(0, "x"), 0);
}

TEST_F(FilesPosixTest, AFullDeviceIsReportedAtClose) {
    ASSERT_NE(FileCreate(0, "/dev/full"), 0);
    EXPECT_EQ(FileWriteLine(0, "bind"), 6) << "buffered: nothing is written yet";
    EXPECT_EQ(FileClose(0), 0);

    ASSERT_NE(FileCreate(0, "/dev/full"), 0);
    EXPECT_EQ(FileWriteLine(0, std::string(5000, 'x').c_str()), 2) << "direct: none of it";
    EXPECT_EQ(FileClose(0), 0);
}

} // namespace
