#include "toolkit/files.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

class FilesWin32Test : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(FileLibraryInit());
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        directory = std::string(temp) + "brevolt-files-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(directory.c_str(), nullptr);
    }
    void TearDown() override {
        FileCloseAll();
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((directory + "\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::string path = directory + "\\" + found.cFileName;
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(directory.c_str());
    }
    std::string Path(const char* name) const { return directory + "\\" + name; }
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

TEST_F(FilesWin32Test, CreateEmptiesAnExistingFileAndWritesExactBytes) {
    const std::string path = Path("buyscript.cfg");
    Write(path, "old contents that must go");
    ASSERT_NE(FileCreate(1, path.c_str()), 0);
    EXPECT_EQ(Read(path), "");
    FileWriteLine(1, "a");
    FileWriteLine(1, "bc");
    EXPECT_EQ(Read(path), "") << "a short file is written at close";
    EXPECT_EQ(FileClose(1), 1);
    EXPECT_EQ(Read(path), "a\r\nbc\r\n");
}

TEST_F(FilesWin32Test, CreateTruncatesAHiddenFileAndKeepsItsAttributes) {
    const std::string path = Path("hidden.cfg");
    Write(path, "old");
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
    ASSERT_NE(FileCreate(0, path.c_str()), 0);
    FileWriteLine(0, "new");
    EXPECT_EQ(FileClose(0), 1);
    EXPECT_EQ(Read(path), "new\r\n");
    EXPECT_EQ(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN,
              static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
}

TEST_F(FilesWin32Test, FilesThatCannotBeCreatedLeaveTheNumberFree) {
    const std::string locked = Path("locked.cfg");
    HANDLE holder = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    for (const std::string& path : {locked, Path("no\\such\\folder.cfg")}) {
        EXPECT_EQ(FileCreate(3, path.c_str()), 0) << path;
        EXPECT_EQ(FileWriteLine(3, "x"), 0) << path;
        EXPECT_EQ(FileCreate(NUMBER_ANY, path.c_str()), 0) << path;
    }
    CloseHandle(holder);
}

TEST_F(FilesWin32Test, ReopeningANumberWritesOutTheOldFileFirst) {
    const std::string first = Path("first.cfg");
    const std::string second = Path("second.cfg");
    ASSERT_NE(FileCreate(0, first.c_str()), 0);
    FileWriteLine(0, "one");
    ASSERT_NE(FileCreate(0, second.c_str()), 0);
    EXPECT_EQ(Read(first), "one\r\n");
    FileWriteLine(0, "two");
    EXPECT_EQ(FileCreate(0, Path("no\\such\\folder.cfg").c_str()), 0);
    EXPECT_EQ(Read(second), "two\r\n");
    EXPECT_EQ(FileWriteLine(0, "x"), 0);
}

TEST_F(FilesWin32Test, CloseAllFlushesEveryOpenFile) {
    const std::string numbered = Path("numbered.cfg");
    const std::string issued = Path("issued.cfg");
    ASSERT_NE(FileCreate(5, numbered.c_str()), 0);
    const auto id = static_cast<ObjectNumber>(FileCreate(NUMBER_ANY, issued.c_str()));
    ASSERT_NE(id, 0);
    FileWriteLine(5, "five");
    FileWriteLine(id, "any");
    FileCloseAll();
    EXPECT_EQ(Read(numbered), "five\r\n");
    EXPECT_EQ(Read(issued), "any\r\n");
    EXPECT_EQ(FileWriteLine(id, "x"), 0);
}

TEST_F(FilesWin32Test, OtherModesOpenWithoutTruncating) {
    const std::string path = Path("data.cfg");
    EXPECT_EQ(FileOpenRead(0, path.c_str()), 0) << "missing";
    EXPECT_EQ(FileOpenExclusive(0, path.c_str()), 0) << "missing";
    ASSERT_NE(FileOpenUpdate(0, path.c_str()), 0) << "created";
    FileWriteLine(0, "0123456789");
    FileClose(0);
    ASSERT_NE(FileOpenUpdate(0, path.c_str()), 0);
    FileWriteLine(0, "ab");
    FileClose(0);
    EXPECT_EQ(Read(path), "ab\r\n456789\r\n");

    ASSERT_NE(FileOpenRead(0, path.c_str()), 0);
    EXPECT_NE(FileOpenRead(1, path.c_str()), 0) << "readers share";
    EXPECT_EQ(FileOpenExclusive(2, path.c_str()), 0) << "others have it open";
    FileCloseAll();
    ASSERT_NE(FileOpenExclusive(2, path.c_str()), 0);
    EXPECT_EQ(FileOpenRead(0, path.c_str()), 0) << "held exclusively";
}

TEST_F(FilesWin32Test, AFullDeviceIsReportedAtClose) {
    ASSERT_NE(FileCreate(0, "Z:\\dev\\full"), 0) << GetLastError();
    EXPECT_EQ(FileWriteLine(0, "bind"), 6);
    EXPECT_EQ(FileClose(0), 0);
}

} // namespace
