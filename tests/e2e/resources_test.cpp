// What brevolt.exe carries besides its code: icon, version record, manifest.
#include "brevolt_driver.h"

#include <gtest/gtest.h>

namespace e2e {
namespace {

class ResourcesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        module_ = LoadLibraryExW(BrevoltExePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module_, nullptr) << ToAnsi(BrevoltExePath());
    }
    void TearDown() override { FreeLibrary(module_); }

    std::string Resource(const char* type, int id) const {
        HRSRC found = FindResourceA(module_, MAKEINTRESOURCEA(id), type);
        return found == nullptr ? std::string()
                                : std::string(static_cast<const char*>(
                                                  LockResource(LoadResource(module_, found))),
                                              SizeofResource(module_, found));
    }

    HMODULE module_ = nullptr;
};

// A group icon: a 6-byte header with the count at 4, then 14 bytes for each
// image: width and height at 0 and 1, bit count at 6, resource number at 12.
TEST_F(ResourcesTest, IconOneHasImagesFor16And32And48Pixels) {
    const std::string group = Resource(RT_GROUP_ICON, 1);
    const auto byte = [&](size_t at) { return static_cast<unsigned char>(group.at(at)); };
    const auto word = [&](size_t at) { return byte(at) | byte(at + 1) << 8; };
    ASSERT_EQ(group.size(), 6u + 14u * word(4));
    std::vector<int> sizes;
    for (size_t entry = 6; entry < group.size(); entry += 14) {
        EXPECT_EQ(byte(entry), byte(entry + 1));
        EXPECT_EQ(word(entry + 6), 32);
        EXPECT_FALSE(Resource(RT_ICON, word(entry + 12)).empty());
        sizes.push_back(byte(entry));
    }
    EXPECT_EQ(sizes, (std::vector<int>{16, 32, 48}));
    HICON icon =
        static_cast<HICON>(LoadImageW(module_, MAKEINTRESOURCEW(1), IMAGE_ICON, 16, 16, 0));
    EXPECT_NE(icon, nullptr);
    DestroyIcon(icon);
}

TEST_F(ResourcesTest, VersionRecordNamesBrevolt11Build4) {
    const std::string record = Resource(RT_VERSION, 1);
    const size_t at = record.find("\xBD\x04\xEF\xFE"); // the fixed part's signature
    VS_FIXEDFILEINFO fixed;
    ASSERT_GE(record.size(), at + sizeof fixed);
    memcpy(&fixed, record.data() + at, sizeof fixed);
    EXPECT_EQ(fixed.dwFileVersionMS, MAKELONG(1, 1));
    EXPECT_EQ(fixed.dwFileVersionLS, MAKELONG(4, 0));
    EXPECT_EQ(fixed.dwFileType, static_cast<DWORD>(VFT_APP));
    const std::wstring text(reinterpret_cast<const wchar_t*>(record.data()), record.size() / 2);
    const size_t name = text.find(L"ProductName");
    ASSERT_NE(name, std::wstring::npos);
    EXPECT_NE(text.find(L"Brevolt", name), std::wstring::npos);
}

TEST_F(ResourcesTest, ManifestAsksForCommonControls6) {
    const std::string manifest = Resource(RT_MANIFEST, 1);
    const size_t name = manifest.find("name=\"Microsoft.Windows.Common-Controls\"");
    ASSERT_NE(name, std::string::npos) << manifest;
    EXPECT_NE(manifest.substr(name, manifest.find("/>", name) - name).find("version=\"6.0.0.0\""),
              std::string::npos);
}

} // namespace
} // namespace e2e
