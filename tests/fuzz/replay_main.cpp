// Replays the committed corpus of every fuzz target without libFuzzer, so
// the unit test run keeps each input that once mattered passing.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// Each target's entry point, renamed when it is built for replay.
extern "C" int ComposeFuzzOneInput(const uint8_t* data, size_t size);
extern "C" int RegistryFuzzOneInput(const uint8_t* data, size_t size);
extern "C" int FileWriterFuzzOneInput(const uint8_t* data, size_t size);

namespace {

struct Target {
    const char* name;
    int (*run)(const uint8_t* data, size_t size);
};

class FuzzReplay : public testing::TestWithParam<Target> {};

TEST_P(FuzzReplay, CorpusKeepsItsInvariants) {
    const std::filesystem::path folder =
        std::filesystem::path(BREVOLT_FUZZ_CORPUS) / GetParam().name;
    int replayed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        SCOPED_TRACE(entry.path().string());
        std::ifstream file(entry.path(), std::ios::binary);
        const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file),
                                         std::istreambuf_iterator<char>()};
        EXPECT_EQ(GetParam().run(bytes.data(), bytes.size()), 0);
        ++replayed;
    }
    EXPECT_GT(replayed, 0) << "no corpus in " << folder;
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzReplay,
                         testing::Values(Target{"compose", ComposeFuzzOneInput},
                                         Target{"registry", RegistryFuzzOneInput},
                                         Target{"file_writer", FileWriterFuzzOneInput}),
                         [](const testing::TestParamInfo<Target>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
