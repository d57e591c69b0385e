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

std::string TestFolder() {
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + "brevolt-files-" + std::to_string(GetCurrentProcessId());
}

class FilesWin32Test : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(FileLibraryInit());
        CreateDirectoryA(folder.c_str(), nullptr);
    }
    void TearDown() override {
        FileCloseAll();
        for (const std::string& path : {a, b}) {
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
        }
        RemoveDirectoryA(folder.c_str());
    }

    const std::string folder = TestFolder();
    const std::string a = folder + "\\a.cfg";
    const std::string b = folder + "\\b.cfg";
    const std::string nowhere = folder + "\\no\\such\\folder.cfg";
};

// A hidden file makes the first attempt fail; the second keeps its attributes.
TEST_F(FilesWin32Test, CreateEmptiesAnExistingFileAndWritesExactBytesAtClose) {
    for (const DWORD attributes : {FILE_ATTRIBUTE_NORMAL, FILE_ATTRIBUTE_HIDDEN}) {
        std::ofstream(a) << "old contents that must go";
        SetFileAttributesA(a.c_str(), attributes);
        EXPECT_NE(FileCreate(1, a.c_str()), 0) << attributes;
        EXPECT_EQ(Read(a), "") << attributes;
        FileWriteLine(1, "a");
        FileWriteLine(1, "bc");
        EXPECT_EQ(Read(a), "") << "a short file is written at close";
        EXPECT_EQ(FileClose(1), 1);
        EXPECT_EQ(Read(a), "a\r\nbc\r\n");
        EXPECT_EQ(GetFileAttributesA(a.c_str()) & FILE_ATTRIBUTE_HIDDEN,
                  attributes & FILE_ATTRIBUTE_HIDDEN);
    }
}

TEST_F(FilesWin32Test, FailuresLeaveTheNumberFreeAndAFullDeviceIsReportedAtClose) {
    HANDLE holder = CreateFileA(a.c_str(), GENERIC_READ, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    for (const std::string& path : {a, nowhere}) {
        EXPECT_EQ(FileCreate(3, path.c_str()), 0) << path;
        EXPECT_EQ(FileWriteLine(3, "x"), 0) << path;
        EXPECT_EQ(FileCreate(NUMBER_ANY, path.c_str()), 0) << path;
    }
    CloseHandle(holder);
    // Wine's Z: drive is the host's root.
    EXPECT_NE(FileCreate(0, "Z:\\dev\\full"), 0) << GetLastError();
    EXPECT_EQ(FileWriteLine(0, "bind"), 6);
    EXPECT_EQ(FileClose(0), 0);
}

// An exclusive open succeeds only once the library has closed its handle.
TEST_F(FilesWin32Test, ReopeningANumberOrClosingAllWritesOutAndClosesWhatIsOpen) {
    EXPECT_NE(FileCreate(0, a.c_str()), 0);
    FileWriteLine(0, "one");
    EXPECT_NE(FileCreate(0, b.c_str()), 0);
    EXPECT_EQ(Read(a), "one\r\n");
    EXPECT_NE(FileOpenExclusive(1, a.c_str()), 0);
    FileWriteLine(0, "two");
    EXPECT_EQ(FileCreate(0, nowhere.c_str()), 0);
    EXPECT_EQ(Read(b), "two\r\n");
    EXPECT_NE(FileOpenExclusive(2, b.c_str()), 0);
    EXPECT_EQ(FileWriteLine(0, "x"), 0) << "the number stays free";

    FileCloseAll();
    EXPECT_NE(FileCreate(5, a.c_str()), 0);
    const auto id = static_cast<ObjectNumber>(FileCreate(NUMBER_ANY, b.c_str()));
    EXPECT_EQ(FileWriteLine(5, "five"), 6);
    EXPECT_EQ(FileWriteLine(id, "any"), 5);
    FileCloseAll();
    EXPECT_EQ(Read(a) + Read(b), "five\r\nany\r\n");
    EXPECT_EQ(FileWriteLine(id, "x"), 0);
}

TEST_F(FilesWin32Test, OtherModesOpenWithoutTruncatingAndShareAsAsked) {
    EXPECT_EQ(FileOpenRead(0, a.c_str()), 0) << "missing";
    std::ofstream(a) << "0123456789";
    EXPECT_NE(FileOpenUpdate(0, a.c_str()), 0);
    FileWriteLine(0, "ab");
    FileClose(0);
    EXPECT_EQ(Read(a), "ab\r\n456789");
    EXPECT_NE(FileOpenRead(0, a.c_str()), 0);
    EXPECT_NE(FileOpenRead(1, a.c_str()), 0) << "readers share";
    EXPECT_EQ(FileOpenExclusive(2, a.c_str()), 0) << "others have it open";
    FileCloseAll();
    EXPECT_NE(FileOpenExclusive(2, a.c_str()), 0);
    EXPECT_EQ(FileOpenRead(0, a.c_str()), 0) << "held exclusively";
}

} // namespace
