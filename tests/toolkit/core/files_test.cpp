#include "toolkit/files.h"

#include "tests/support/memory_shortage.h"
#include "toolkit/core/files_platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

// A platform that keeps the bytes written and a trace of the calls:
// " w<count>" for a write, " c" for a close.
struct Spy {
    std::string trace;
    std::string bytes;
    bool failWrites = false;
    int32_t shortBy = 0;
    bool failClose = false;
} spy;

const FilePlatform SPY_PLATFORM = {
    [](const char*, FileMode) -> intptr_t { return 100; },
    [](intptr_t, const char* bytes, int32_t length, int32_t* written) {
        spy.trace += " w" + std::to_string(length);
        *written = spy.failWrites ? 0 : length - std::min(spy.shortBy, length);
        spy.bytes.append(bytes, static_cast<size_t>(*written));
        return !spy.failWrites;
    },
    [](intptr_t) {
        spy.trace += " c";
        return !spy.failClose;
    }};

class FilesTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(FileLibraryInit());
        FileSetPlatform(&SPY_PLATFORM);
    }
    void TearDown() override {
        spy = Spy{};
        FileCloseAll();
        FileSetPlatform(&FILE_PLATFORM_SYSTEM);
    }
    // Opens file 0 on a fresh spy, without a buffer when memory is short.
    static void Open(bool unbuffered) {
        spy = Spy{};
        MemoryShortage shortage(unbuffered ? 0 : 1000);
        EXPECT_EQ(FileCreate(0, "x"), 100);
    }
    // Takes the trace so far, so that each step can be checked on its own.
    static std::string Trace() { return std::exchange(spy.trace, {}); }
};

TEST_F(FilesTest, BytesReachThePlatformWhenTheBufferWouldFill) {
    struct Case {
        const char* why;
        bool unbuffered;
        std::vector<size_t> lines; // text lengths; an empty second text is passed as nullptr
        const char* trace;         // the writes of each line, then "|" and those of the close
    } const cases[] = {
        {"an empty file: nothing", false, {}, " |"},
        {"a short file at close only", false, {1, 2}, "| | | w7"},
        {"4095 buffered, then 1 more", false, {4093, 1}, "| | w4095 | w3"},
        {"10 buffered, then 5000", false, {8, 5000}, "| | w10 w5000 | w2"},
        {"exactly filling the free space flushes first", false, {3998, 96}, "| | w4000 | w98"},
        {"a line end that would fill the buffer", false, {4094}, "| w4094 | w2"},
        {"a first text of 4096 goes straight out", false, {4096}, "| w4096 | w2"},
        {"empty and missing texts are bare line ends", false, {0, 0}, "| | | w4"},
        {"no memory for a buffer: every piece at once", true, {3, 0}, "| w3 w2 | w2 |"},
    };
    for (const Case& c : cases) {
        Open(c.unbuffered);
        std::string bytes;
        std::string trace;
        for (size_t i = 0; i < c.lines.size(); ++i) {
            const std::string text(c.lines[i], static_cast<char>('a' + i));
            const int32_t count = FileWriteLine(0, i == 1 && text.empty() ? nullptr : text.c_str());
            EXPECT_EQ(count, static_cast<int32_t>(text.size() + 2)) << c.why;
            bytes += text + "\r\n";
            trace += (i ? " |" : "|") + Trace();
        }
        EXPECT_EQ(FileClose(0), 1) << c.why;
        EXPECT_EQ(trace + " |" + Trace(), std::string(c.trace) + " c") << c.why;
        EXPECT_EQ(spy.bytes, bytes) << c.why;
        EXPECT_EQ(FileWriteLine(0, "late"), 0) << c.why << ": closed";
    }
}

TEST_F(FilesTest, CloseReportsAnyByteThatDidNotReachTheFile) {
    const std::string big(5000, 'b');
    struct Case {
        const char* why;
        bool unbuffered;
        std::vector<std::string> lines;
        size_t failing; // the spy fails while this line is written; lines.size(): while closing
        bool shortWrite;
        bool failClose;
    } const cases[] = {
        {"flush at close fails", false, {"a"}, 1, false, false},
        {"flush at close falls short", false, {"a"}, 1, true, false},
        {"close fails", false, {"a"}, 9, false, true},
        {"direct write fails, later ones succeed", false, {big, "a"}, 0, false, false},
        {"flush for a large text falls short", false, {"a", big, "b"}, 1, true, false},
        {"unbuffered write fails", true, {"a", "b"}, 0, false, false},
    };
    for (const Case& c : cases) {
        Open(c.unbuffered);
        spy.failClose = c.failClose;
        for (size_t i = 0; i <= c.lines.size(); ++i) {
            spy.failWrites = i == c.failing && !c.shortWrite;
            spy.shortBy = i == c.failing && c.shortWrite ? 1 : 0;
            if (i == c.lines.size()) {
                EXPECT_EQ(FileClose(0), 0) << c.why;
            } else {
                const int32_t count = FileWriteLine(0, c.lines[i].c_str());
                EXPECT_TRUE(i == c.failing || count == static_cast<int32_t>(c.lines[i].size() + 2))
                    << c.why;
            }
        }
        EXPECT_EQ(FileWriteLine(0, "x"), 0) << c.why << ": closed even so";
    }
}

} // namespace
