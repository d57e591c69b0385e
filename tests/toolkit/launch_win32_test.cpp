#include "toolkit/launch.h"

#include "tests/support/modal_watch_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <utility>

namespace {

constexpr char PROBE_NAME[] = "launch probe.exe";
constexpr char PROBE_EXTENSION[] = ".brevoltprobe";
constexpr char PROBE_CLASS[] = "BrevoltLaunchProbe";

std::string ModulePath() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

std::string TempFolder() {
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + "brevolt launch " + std::to_string(GetCurrentProcessId());
}

std::string CurrentFolder() {
    char folder[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, folder);
    return folder;
}

// A copy of this test program under the probe's name only proves that it was
// started: it writes its command line and current folder beside itself and ends.
const bool probeRan = [] {
    const std::string self = ModulePath();
    if (self.substr(self.rfind('\\') + 1) != PROBE_NAME) {
        return false;
    }
    std::ofstream(self + ".ran", std::ios::binary) << GetCommandLineA() << '\n' << CurrentFolder();
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

// The probe, and a document of a type of the test's own that the probe opens.
class DocumentOpenTest : public testing::Test {
  protected:
    void SetUp() override {
        CreateDirectoryA(folder.c_str(), nullptr);
        ASSERT_TRUE(CopyFileA(ModulePath().c_str(), probe.c_str(), FALSE));
        std::ofstream(document) << "x";
        const std::pair<std::string, std::string> keys[] = {
            {PROBE_EXTENSION, PROBE_CLASS},
            {std::string(PROBE_CLASS) + "\\shell\\open\\command", '"' + probe + "\" \"%1\""}};
        for (const auto& [key, value] : keys) {
            ASSERT_EQ(RegSetValueA(HKEY_CLASSES_ROOT, key.c_str(), REG_SZ, value.c_str(), 0),
                      ERROR_SUCCESS);
        }
    }
    void TearDown() override {
        RegDeleteTreeA(HKEY_CLASSES_ROOT, PROBE_EXTENSION);
        RegDeleteTreeA(HKEY_CLASSES_ROOT, PROBE_CLASS);
        for (const std::string& file : {ran, probe, document}) {
            // The probe may still be ending: its files can be deleted only afterwards.
            for (int attempt = 0;
                 attempt < 100 && GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES &&
                 !DeleteFileA(file.c_str());
                 ++attempt) {
                Sleep(50);
            }
        }
        RemoveDirectoryA(folder.c_str());
    }

    // What the probe wrote, or "" when it did not run within ten seconds.
    std::string ProbeReport() const {
        for (DWORD start = GetTickCount(); GetTickCount() - start < 10000; Sleep(20)) {
            std::ifstream in(ran, std::ios::binary);
            const std::string report{std::istreambuf_iterator<char>(in), {}};
            if (report.find('\n') != std::string::npos) {
                return report;
            }
        }
        return "";
    }

    const std::string folder = TempFolder();
    const std::string probe = folder + "\\" + PROBE_NAME;
    const std::string ran = probe + ".ran";
    const std::string document = folder + "\\notes" + PROBE_EXTENSION;
};

TEST_F(DocumentOpenTest, StartsProgramsAndOpensDocumentsLeavingNoHandleOpen) {
    const std::string started = '"' + probe + '"';
    struct Case {
        std::string name;   // empty: passed as nullptr
        std::string report; // what the probe writes; empty: DocumentOpen fails
    } const cases[] = {
        {"C:\\no such folder\\nothing.xyz", ""},
        {"", ""},
        {probe, started + '\n' + CurrentFolder()},
        {started + " one two", started + " one two\n" + CurrentFolder()},
        // The shell opens a document in its own folder.
        {document, started + " \"" + document + "\"\n" + folder},
    };
    // The shell keeps handles of its own from its first use on: the first
    // round lets it settle.
    for (int round = 0; round < 2; ++round) {
        for (const Case& c : cases) {
            DeleteFileA(ran.c_str());
            const int handles = HandleCount();
            {
                // Wine reports a failure in a message box of its own.
                ModalWatch watch;
                EXPECT_EQ(DocumentOpen(c.name.empty() ? nullptr : c.name.c_str()),
                          c.report.empty() ? 0 : 1)
                    << c.name;
            }
            EXPECT_TRUE(round == 0 || HandleCount() == handles) << c.name;
            EXPECT_EQ(c.report.empty() ? "" : ProbeReport(), c.report);
        }
    }
}

} // namespace
