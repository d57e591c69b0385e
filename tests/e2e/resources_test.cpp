// What brevolt.exe carries besides its code: icon, version record, manifest.
#include "brevolt_driver.h"

#include <gtest/gtest.h>

namespace e2e {
namespace {

TEST(ResourcesTest, IconVersionRecordAndManifest) {
    HMODULE module = LoadLibraryExW(BrevoltExePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr) << ToAnsi(BrevoltExePath());
    const auto resource = [&](LPCSTR type, int id) {
        HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), type);
        return found == nullptr ? std::string()
                                : std::string(static_cast<const char*>(
                                                  LockResource(LoadResource(module, found))),
                                              SizeofResource(module, found));
    };

    // A group icon: a 6-byte header, then 14 bytes for each image: width and
    // height at 0 and 1, bit count at 6, resource number at 12.
    const std::string group = resource(RT_GROUP_ICON, 1);
    const auto byte = [&](size_t at) { return static_cast<unsigned char>(group.at(at)); };
    std::vector<int> sizes;
    for (size_t entry = 6; entry + 14 <= group.size(); entry += 14) {
        EXPECT_EQ(byte(entry), byte(entry + 1));
        EXPECT_EQ(byte(entry + 6), 32);
        EXPECT_FALSE(resource(RT_ICON, byte(entry + 12)).empty());
        sizes.push_back(byte(entry));
    }
    EXPECT_EQ(sizes, (std::vector<int>{16, 32, 48}));

    const std::string record = resource(RT_VERSION, 1);
    const size_t at = record.find("\xBD\x04\xEF\xFE"); // the fixed part's signature
    VS_FIXEDFILEINFO fixed;
    ASSERT_NE(at, std::string::npos) << "no fixed part";
    ASSERT_GE(record.size(), at + sizeof fixed);
    memcpy(&fixed, record.data() + at, sizeof fixed);
    EXPECT_EQ(fixed.dwFileVersionMS, MAKELONG(1, 1));
    EXPECT_EQ(fixed.dwFileVersionLS, MAKELONG(4, 0));
    EXPECT_EQ(fixed.dwFileType, static_cast<DWORD>(VFT_APP));
    const std::wstring text(reinterpret_cast<const wchar_t*>(record.data()), record.size() / 2);
    EXPECT_NE(text.find(std::wstring(L"ProductName\0\0Brevolt", 20)), std::wstring::npos);

    const std::string manifest = resource(RT_MANIFEST, 1);
    const size_t name = manifest.find("name=\"Microsoft.Windows.Common-Controls\"");
    ASSERT_NE(name, std::string::npos) << manifest;
    EXPECT_NE(manifest.substr(name, manifest.find("/>", name) - name).find("version=\"6.0.0.0\""),
              std::string::npos);
    FreeLibrary(module);
}

} // namespace
} // namespace e2e
