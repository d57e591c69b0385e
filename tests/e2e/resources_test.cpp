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

#pragma pack(push, 2)
struct IconGroupEntry { // one image of an RT_GROUP_ICON resource
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

TEST_F(ResourcesTest, IconOneHasImagesFor16And32And48Pixels) {
    const std::string group = Resource(RT_GROUP_ICON, 1);
    ASSERT_GE(group.size(), 6u);
    const WORD count = *reinterpret_cast<const WORD*>(group.data() + 4);
    ASSERT_EQ(group.size(), 6 + count * sizeof(IconGroupEntry));
    std::vector<int> sizes;
    for (WORD index = 0; index < count; ++index) {
        IconGroupEntry entry;
        memcpy(&entry, group.data() + 6 + index * sizeof entry, sizeof entry);
        EXPECT_EQ(entry.width, entry.height);
        EXPECT_EQ(entry.bitCount, 32);
        EXPECT_FALSE(Resource(RT_ICON, entry.id).empty());
        sizes.push_back(entry.width);
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
