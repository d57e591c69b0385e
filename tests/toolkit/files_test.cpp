#include "toolkit/files.h"

#include "tests/support/memory_shortage.h"
#include "toolkit/files_platform.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

// A platform that keeps each file's bytes and a trace of the calls:
// "o<handle>" for an open, "w<count>" for a write, "c<handle>" for a close.
struct Spy {
    std::string trace;
    std::map<intptr_t, std::string> contents;
    std::vector<FileMode> modes;
    intptr_t nextHandle = 100;
    bool refuseOpen = false;
    bool failWrites = false;
    int32_t shortBy = 0;
    bool failClose = false;
} spy;

intptr_t SpyOpen(const char*, FileMode mode) {
    spy.modes.push_back(mode);
    if (spy.refuseOpen) {
        return 0;
    }
    const intptr_t handle = spy.nextHandle++;
    spy.contents[handle].clear();
    spy.trace += " o" + std::to_string(handle);
    return handle;
}

bool SpyWrite(intptr_t handle, const char* bytes, int32_t length, int32_t* written) {
    spy.trace += " w" + std::to_string(length);
    *written = spy.failWrites ? 0 : length - std::min(spy.shortBy, length);
    spy.contents[handle].append(bytes, static_cast<size_t>(*written));
    return !spy.failWrites;
}

bool SpyClose(intptr_t handle) {
    spy.trace += " c" + std::to_string(handle);
    return !spy.failClose;
}

const FilePlatform SPY_PLATFORM = {SpyOpen, SpyWrite, SpyClose};

class FilesTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(FileLibraryInit());
        spy = Spy{};
        previous = FileSetPlatform(&SPY_PLATFORM);
    }
    void TearDown() override {
        spy.failWrites = spy.failClose = false;
        FileCloseAll();
        FileSetPlatform(previous);
    }
    // Takes the trace so far, so that each step can be checked on its own.
    std::string Trace() {
        std::string trace = spy.trace;
        spy.trace.clear();
        return trace;
    }

    const FilePlatform* previous = nullptr;
};

TEST_F(FilesTest, ShortFileReachesThePlatformInOneWriteAtClose) {
    EXPECT_EQ(FileCreate(0, "autoexec.cfg"), 100);
    EXPECT_EQ(FileWriteLine(0, "a"), 3);
    EXPECT_EQ(FileWriteLine(0, "bc"), 4);
    EXPECT_EQ(Trace(), " o100");
    EXPECT_EQ(FileClose(0), 1);
    EXPECT_EQ(Trace(), " w7 c100");
    EXPECT_EQ(spy.contents[100], "a\r\nbc\r\n");
    EXPECT_EQ(FileWriteLine(0, "late"), 0) << "closed";
}

TEST_F(FilesTest, BufferFlushesBeforeItWouldFillAndLargeTextsBypassIt) {
    struct Case {
        const char* why;
        std::vector<size_t> lines; // text lengths
        const char* trace;         // per line "|", then close
    } const cases[] = {
        {"4095 buffered, then 1 more", {4093, 1}, "| | w4095 | w3"},
        {"10 buffered, then 5000", {8, 5000}, "| | w10 w5000 | w2"},
        {"exactly filling the free space flushes first", {3998, 96}, "| | w4000 | w98"},
        {"a line end that would fill the buffer", {4094}, "| w4094 | w2"},
        {"a first text of 4096 goes straight out", {4096}, "| w4096 | w2"},
        {"a first text of 4095 is buffered", {4095}, "| w4095 | w2"},
        {"empty and missing texts are bare line ends", {0, 0}, "| | | w4"},
    };
    for (const Case& c : cases) {
        spy = Spy{};
        ASSERT_NE(FileCreate(1, "x"), 0);
        std::string expectedBytes;
        std::string trace;
        Trace();
        for (size_t i = 0; i < c.lines.size(); ++i) {
            const std::string text(c.lines[i], static_cast<char>('a' + i));
            const int32_t count = FileWriteLine(1, i == 1 && text.empty() ? nullptr : text.c_str());
            EXPECT_EQ(count, static_cast<int32_t>(text.size() + 2)) << c.why;
            expectedBytes += text + "\r\n";
            trace += (i ? " |" : "|") + Trace();
        }
        EXPECT_EQ(FileClose(1), 1) << c.why;
        trace += " |" + Trace();
        EXPECT_EQ(trace, std::string(c.trace) + " c100") << c.why;
        EXPECT_EQ(spy.contents[100], expectedBytes) << c.why;
    }
}

TEST_F(FilesTest, NumbersThatNameNoOpenFileDoNothing) {
    ASSERT_NE(FileCreate(2, "x"), 0);
    Trace();
    for (ObjectNumber number : {NUMBER_ANY, 0, 3, 16, 500, -7}) {
        EXPECT_EQ(FileWriteLine(number, "x"), 0) << number;
        EXPECT_EQ(FileClose(number), 0) << number;
    }
    EXPECT_EQ(Trace(), "");
    EXPECT_EQ(FileCreate(-2, "x"), 0);
    EXPECT_TRUE(spy.modes.size() == 1) << "a number below NUMBER_ANY opens nothing";
}

TEST_F(FilesTest, OpenOperationsAskForTheirModes) {
    FileOpenRead(0, "x");
    FileOpenUpdate(0, "x");
    FileCreate(0, "x");
    FileOpenExclusive(0, "x");
    EXPECT_EQ(spy.modes, (std::vector<FileMode>{FILE_MODE_READ, FILE_MODE_UPDATE, FILE_MODE_CREATE,
                                                FILE_MODE_EXCLUSIVE}));
}

TEST_F(FilesTest, ReopeningANumberWritesOutAndClosesTheOldFileFirst) {
    ASSERT_EQ(FileCreate(0, "old"), 100);
    FileWriteLine(0, "kept");
    EXPECT_EQ(FileCreate(0, "new"), 101);
    EXPECT_EQ(Trace(), " o100 w6 c100 o101");
    EXPECT_EQ(spy.contents[100], "kept\r\n");

    FileWriteLine(0, "also kept");
    spy.refuseOpen = true;
    EXPECT_EQ(FileCreate(0, "cannot"), 0);
    EXPECT_EQ(Trace(), " w11 c101");
    EXPECT_EQ(FileWriteLine(0, "x"), 0) << "the number stays free";
}

TEST_F(FilesTest, IssuedIdentifiersNameTheirFiles) {
    const intptr_t first = FileCreate(NUMBER_ANY, "a");
    const intptr_t second = FileCreate(NUMBER_ANY, "b");
    ASSERT_NE(first, 0);
    ASSERT_NE(second, 0);
    ASSERT_NE(first, second);
    EXPECT_EQ(FileWriteLine(static_cast<ObjectNumber>(second), "b"), 3);
    EXPECT_EQ(FileClose(static_cast<ObjectNumber>(second)), 1);
    EXPECT_EQ(spy.contents[101], "b\r\n");
    spy.refuseOpen = true;
    EXPECT_EQ(FileCreate(NUMBER_ANY, "c"), 0);
    Trace();
    FileCloseAll();
    EXPECT_EQ(Trace(), " c100") << "the failed open left no record behind";
}

TEST_F(FilesTest, CloseAllFlushesNumberedFilesInOrderThenIssuedOnes) {
    FileCreate(3, "x");          // 100
    FileCreate(NUMBER_ANY, "x"); // 101
    FileCreate(1, "x");          // 102
    FileCreate(NUMBER_ANY, "x"); // 103
    for (ObjectNumber number : {1, 3}) {
        FileWriteLine(number, "z");
    }
    Trace();
    FileCloseAll();
    EXPECT_EQ(Trace(), " w3 c102 w3 c100 c101 c103");
    EXPECT_EQ(FileWriteLine(1, "x"), 0);
}

TEST_F(FilesTest, WithoutABufferEveryPieceGoesOutAtOnce) {
    {
        MemoryShortage shortage;
        ASSERT_EQ(FileCreate(0, "x"), 100);
    }
    EXPECT_EQ(FileWriteLine(0, "abc"), 5);
    EXPECT_EQ(FileWriteLine(0, ""), 2);
    EXPECT_EQ(Trace(), " o100 w3 w2 w2");
    EXPECT_EQ(FileClose(0), 1);
    EXPECT_EQ(Trace(), " c100");
    EXPECT_EQ(spy.contents[100], "abc\r\n\r\n");
}

TEST_F(FilesTest, CloseReportsAnyByteThatDidNotReachTheFile) {
    const std::string big(5000, 'b');
    struct Case {
        const char* why;
        bool unbuffered;
        std::vector<std::string> lines;
        int failingLine; // the spy fails while this line is written; -1: while closing
        bool shortWrite;
        bool failClose;
        int32_t result;
    } const cases[] = {
        {"all written", false, {"a", "b"}, 9, false, false, 1},
        {"flush at close fails", false, {"a"}, -1, false, false, 0},
        {"flush at close falls short", false, {"a"}, -1, true, false, 0},
        {"close fails", false, {"a"}, 9, false, true, 0},
        {"direct write fails, later ones succeed", false, {big, "a"}, 0, false, false, 0},
        {"flush for a large text falls short", false, {"a", big, "b"}, 1, true, false, 0},
        {"unbuffered write fails", true, {"a", "b"}, 0, false, false, 0},
    };
    for (const Case& c : cases) {
        spy = Spy{};
        {
            MemoryShortage shortage(c.unbuffered ? 0 : 1);
            ASSERT_NE(FileCreate(0, "x"), 0);
        }
        for (size_t i = 0; i < c.lines.size(); ++i) {
            const bool failing = static_cast<int>(i) == c.failingLine;
            spy.failWrites = failing && !c.shortWrite;
            spy.shortBy = failing && c.shortWrite ? 1 : 0;
            const int32_t count = FileWriteLine(0, c.lines[i].c_str());
            if (!failing) {
                EXPECT_EQ(count, static_cast<int32_t>(c.lines[i].size() + 2)) << c.why;
            }
        }
        spy.failWrites = c.failingLine == -1 && !c.shortWrite;
        spy.shortBy = c.failingLine == -1 && c.shortWrite ? 1 : 0;
        spy.failClose = c.failClose;
        EXPECT_EQ(FileClose(0), c.result) << c.why;
        spy.failClose = false;
        EXPECT_EQ(FileWriteLine(0, "x"), 0) << c.why << ": closed even so";
    }
}

} // namespace
