#include "toolkit/launch.h"

#include "tests/support/modal_watch_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

constexpr char PROBE_NAME[] = "launch probe.exe";
constexpr char PROBE_EXTENSION[] = ".brevoltprobe";
constexpr char PROBE_CLASS[] = "BrevoltLaunchProbe";

std::string ModulePath() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// A copy of this test program under the probe's name only proves that it was
// started: it writes its command line and current folder beside itself and ends.
const bool probeRan = [] {
    const std::string self = ModulePath();
    if (!EndsWith(self, PROBE_NAME)) {
        return false;
    }
    char folder[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, folder);
    std::ofstream(self + ".ran", std::ios::binary) << GetCommandLineA() << '\n' << folder;
    ExitProcess(0);
}();

// Counts the process's open handles by asking about every handle value in
// turn: Wine's GetProcessHandleCount always reports 0.
int HandleCount() {
    int count = 0;
    DWORD flags = 0;
    for (uintptr_t value = 4; value < 0x1000; value += 4) {
        count += GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) ? 1 : 0;
    }
    return count;
}

class DocumentOpenTest : public testing::Test {
  protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder = std::string(temp) + "brevolt launch " + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(folder.c_str(), nullptr);
        probe = folder + "\\" + PROBE_NAME;
        ASSERT_TRUE(CopyFileA(ModulePath().c_str(), probe.c_str(), FALSE));
    }
    void TearDown() override {
        RegDeleteTreeA(HKEY_CLASSES_ROOT, PROBE_EXTENSION);
        RegDeleteTreeA(HKEY_CLASSES_ROOT, PROBE_CLASS);
        for (const std::string& file : {probe + ".ran", probe, document}) {
            // The probe may still be ending: its file can be deleted only afterwards.
            for (int attempt = 0;
                 attempt < 100 && GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES;
                 ++attempt) {
                if (!DeleteFileA(file.c_str())) {
                    Sleep(50);
                }
            }
        }
        RemoveDirectoryA(folder.c_str());
    }

    // What the probe wrote: its command line and current folder, or "" when
    // it did not run within ten seconds.
    std::string ProbeReport() const {
        const std::string ran = probe + ".ran";
        for (DWORD start = GetTickCount(); GetTickCount() - start < 10000; Sleep(20)) {
            std::ifstream in(ran, std::ios::binary);
            std::ostringstream text;
            text << in.rdbuf();
            if (text.str().find('\n') != std::string::npos) {
                return text.str();
            }
        }
        return "";
    }

    std::string folder;
    std::string probe;
    std::string document;
};

TEST_F(DocumentOpenTest, StartsAProgramQuotingItsNameUnlessAlreadyQuoted) {
    char current[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, current);
    struct Case {
        std::string name;
        std::string commandLine;
    } const cases[] = {
        {probe, '"' + probe + '"'},
        {'"' + probe + "\" one two", '"' + probe + "\" one two"},
    };
    for (const Case& c : cases) {
        DeleteFileA((probe + ".ran").c_str());
        const int handles = HandleCount();
        EXPECT_EQ(DocumentOpen(c.name.c_str()), 1) << c.name;
        EXPECT_EQ(HandleCount(), handles) << c.name;
        EXPECT_EQ(ProbeReport(), c.commandLine + '\n' + current);
    }
}

TEST_F(DocumentOpenTest, HandsDocumentsToTheShellInTheirOwnFolder) {
    document = folder + "\\notes" + PROBE_EXTENSION;
    std::ofstream(document) << "x";
    const std::string command = '"' + probe + "\" \"%1\"";
    ASSERT_EQ(RegSetValueA(HKEY_CLASSES_ROOT, PROBE_EXTENSION, REG_SZ, PROBE_CLASS, 0),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueA(HKEY_CLASSES_ROOT,
                           (std::string(PROBE_CLASS) + "\\shell\\open\\command").c_str(), REG_SZ,
                           command.c_str(), 0),
              ERROR_SUCCESS);
    // The shell keeps a handle of its own from its first use on.
    for (int call = 0; call < 3; ++call) {
        DeleteFileA((probe + ".ran").c_str());
        const int handles = HandleCount();
        EXPECT_EQ(DocumentOpen(document.c_str()), 1);
        if (call > 0) {
            EXPECT_EQ(HandleCount(), handles);
        }
        EXPECT_EQ(ProbeReport(), '"' + probe + "\" \"" + document + "\"\n" + folder);
    }
}

TEST_F(DocumentOpenTest, FailsForWhatIsNeitherProgramNorDocument) {
    // The first round lets the shell settle (it keeps handles of its own).
    for (int round = 0; round < 2; ++round) {
        for (const char* name :
             {"C:\\no such folder\\nothing.xyz", "", static_cast<const char*>(nullptr)}) {
            const int handles = HandleCount();
            // Wine reports the failure in a message box of its own.
            ModalWatch watch({}, IDOK, GetCurrentThreadId(), 2000);
            EXPECT_EQ(DocumentOpen(name), 0) << (name ? name : "(none)");
            watch.Seen();
            if (round > 0) {
                EXPECT_EQ(HandleCount(), handles);
            }
        }
    }
}

} // namespace
