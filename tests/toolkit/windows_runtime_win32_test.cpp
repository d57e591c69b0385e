#include "toolkit/files.h"
#include "toolkit/windows.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string TemporaryPath(const char* name) {
    char directory[MAX_PATH] = {};
    GetTempPathA(sizeof directory, directory);
    return std::string(directory) + name;
}

std::string Contents(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Each case runs in a process of its own, where the runtime starts fresh and
// can end without disturbing the other tests.
TEST(RuntimeTest, TheEndClosesEveryWindowAndFlushesEveryFile) {
    std::string path = TemporaryPath("brevolt_runtime_end.txt");
    DeleteFileA(path.c_str());
    EXPECT_EXIT(
        {
            bool started = RuntimeStart() && RuntimeStart(); // a second start changes nothing
            auto window = reinterpret_cast<HWND>(WindowOpen(0, 0, 0, 100, 100, "", 0));
            intptr_t issued = WindowOpen(NUMBER_ANY, 0, 0, 100, 100, "", 0);
            auto issuedWindow = reinterpret_cast<HWND>(WindowHandleOf(issued));
            bool written = FileCreate(0, path.c_str()) && FileWriteLine(0, "kept");
            RuntimeEnd();
            bool closed = window && issuedWindow && !IsWindow(window) && !IsWindow(issuedWindow);
            std::exit(started && written && closed ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
    EXPECT_EQ(Contents(path), "kept\r\n");
    DeleteFileA(path.c_str());
}

} // namespace
