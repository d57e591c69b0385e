// What the shell opens for a web address. Wine hands web addresses to the
// first program its WineBrowser key names that starts (xdg-open by default);
// the test names a shell that records the address instead, so no browser
// starts, whoever runs it.
#include "toolkit/launch.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

constexpr char BROWSER_KEY[] = "Software\\Wine\\WineBrowser";
constexpr char BROWSERS[] = "Browsers";
constexpr DWORD RECORD_MILLISECONDS = 20000;

std::string ReadFile(const char* name) {
    std::ifstream file(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Wine's key, with the browsers replaced while in scope.
class RecordingBrowser {
  public:
    explicit RecordingBrowser(const std::string& command) {
        RegCreateKeyExA(HKEY_CURRENT_USER, BROWSER_KEY, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key_, nullptr);
        DWORD size = sizeof previous_;
        hadPrevious_ = RegQueryValueExA(key_, BROWSERS, nullptr, nullptr,
                                        reinterpret_cast<BYTE*>(previous_), &size) == ERROR_SUCCESS;
        Set(command.c_str());
    }
    ~RecordingBrowser() {
        if (hadPrevious_) {
            Set(previous_);
        } else {
            RegDeleteValueA(key_, BROWSERS);
        }
        RegCloseKey(key_);
    }
    RecordingBrowser(const RecordingBrowser&) = delete;
    RecordingBrowser& operator=(const RecordingBrowser&) = delete;

  private:
    void Set(const char* value) {
        RegSetValueExA(key_, BROWSERS, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                       static_cast<DWORD>(strlen(value) + 1));
    }
    HKEY key_ = nullptr;
    char previous_[1024] = {};
    bool hadPrevious_ = false;
};

TEST(DocumentOpenTest, AWebAddressReachesTheBrowserAsAnHttpAddress) {
    using UnixFileName = char*(CDECL*)(const WCHAR*);
    // void (*)() first: a function pointer of no particular type.
    const auto unixFileName = reinterpret_cast<UnixFileName>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("kernel32"), "wine_get_unix_file_name")));
    if (!unixFileName) {
        GTEST_SKIP() << "only Wine lets a test stand in for the browser";
    }
    WCHAR folder[MAX_PATH], record[MAX_PATH];
    ASSERT_TRUE(GetTempPathW(MAX_PATH, folder) && GetTempFileNameW(folder, L"url", 0, record));
    char* unixRecord = unixFileName(record);
    ASSERT_TRUE(unixRecord);
    const std::string recordName = unixRecord;
    HeapFree(GetProcessHeap(), 0, unixRecord);
    std::string opened;
    {
        // The address comes last, as the shell's $0.
        RecordingBrowser browser("/bin/sh -c \"printf %s \\\"$0\\\" >>'" + recordName + "'\"");
        EXPECT_EQ(DocumentOpen("www.brevolt.example"), 1);
        for (const DWORD start = GetTickCount();
             opened.empty() && GetTickCount() - start < RECORD_MILLISECONDS; Sleep(50)) {
            opened = ReadFile(recordName.c_str());
        }
    }
    DeleteFileW(record);
    EXPECT_EQ(opened, "http://www.brevolt.example/");
}

} // namespace
