// What the shell opens for a web address. Wine hands it to the programs its
// WineBrowser key names (xdg-open when it names none); the test names a shell
// that records the address instead, so no browser starts, whoever runs it.
#include "toolkit/launch.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

constexpr char BROWSER_KEY[] = "Software\\Wine\\WineBrowser";

TEST(DocumentOpenTest, AWebAddressReachesTheBrowserAsAnHttpAddress) {
    // Through void (*)(), a function pointer of no particular type.
    const auto unixName =
        reinterpret_cast<char*(CDECL*)(const WCHAR*)>(reinterpret_cast<void (*)()>(
            GetProcAddress(GetModuleHandleA("kernel32"), "wine_get_unix_file_name")));
    WCHAR folder[MAX_PATH], record[MAX_PATH];
    ASSERT_TRUE(unixName && GetTempPathW(MAX_PATH, folder) &&
                GetTempFileNameW(folder, L"url", 0, record))
        << "runs under Wine";
    const std::string shell =
        "/bin/sh -c \"printf %s \\\"$0\\\" >'" + std::string(unixName(record)) + "'\"";
    RegSetKeyValueA(HKEY_CURRENT_USER, BROWSER_KEY, "Browsers", REG_SZ, shell.c_str(),
                    static_cast<DWORD>(shell.size() + 1));
    EXPECT_EQ(DocumentOpen("www.brevolt.example"), 1);
    std::string opened;
    for (const DWORD start = GetTickCount(); opened.empty() && GetTickCount() - start < 20000;
         Sleep(50)) {
        std::getline(std::ifstream(record), opened);
    }
    RegDeleteKeyValueA(HKEY_CURRENT_USER, BROWSER_KEY, "Browsers");
    DeleteFileW(record);
    EXPECT_EQ(opened, "http://www.brevolt.example/");
}
