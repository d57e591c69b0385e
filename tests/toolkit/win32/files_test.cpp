// The open modes the program never uses, on real files.
#include "toolkit/files.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(FilesWin32Test, OpenModesKeepContentsAndShareAsAsked) {
    ASSERT_TRUE(FileLibraryInit());
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    const std::string path = std::string(temp) + "brevolt-modes.cfg";
    DeleteFileA(path.c_str());
    EXPECT_EQ(FileOpenRead(0, path.c_str()), 0) << "missing";
    std::ofstream(path) << "0123456789";
    EXPECT_NE(FileOpenUpdate(0, path.c_str()), 0);
    FileWriteLine(0, "ab");
    EXPECT_EQ(FileClose(0), 1);
    EXPECT_EQ(Read(path), "ab\r\n456789");
    EXPECT_NE(FileOpenRead(0, path.c_str()), 0);
    EXPECT_NE(FileOpenRead(1, path.c_str()), 0) << "readers share";
    FileWriteLine(1, "x");
    EXPECT_EQ(FileClose(1), 0) << "a write the system refused";
    EXPECT_NE(FileOpenRead(1, path.c_str()), 0);
    EXPECT_EQ(FileOpenExclusive(2, path.c_str()), 0) << "others have it open";
    EXPECT_EQ(FileWriteLine(2, "x"), 0) << "a failed open leaves the number free";
    FileCloseAll();
    EXPECT_NE(FileOpenExclusive(2, path.c_str()), 0);
    EXPECT_EQ(FileOpenRead(0, path.c_str()), 0) << "held exclusively";
    FileCloseAll();
    EXPECT_NE(FileCreate(0, path.c_str()), 0);
    EXPECT_EQ(FileClose(0), 1);
    EXPECT_EQ(Read(path), "") << "a created file starts empty";
    DeleteFileA(path.c_str());
}

} // namespace
