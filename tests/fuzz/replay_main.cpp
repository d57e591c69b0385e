// Replays the committed corpus of every fuzz target without libFuzzer, so
// the unit test run keeps each input that once mattered passing. A broken
// invariant aborts with its message.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

// Each target's entry point, renamed when it is built for replay.
extern "C" int ComposeFuzzOneInput(const uint8_t* data, size_t size);
extern "C" int RegistryFuzzOneInput(const uint8_t* data, size_t size);
extern "C" int FileWriterFuzzOneInput(const uint8_t* data, size_t size);

TEST(FuzzReplay, CorpusKeepsItsInvariants) {
    const std::pair<const char*, int (*)(const uint8_t*, size_t)> targets[] = {
        {"compose", ComposeFuzzOneInput},
        {"registry", RegistryFuzzOneInput},
        {"file_writer", FileWriterFuzzOneInput}};
    for (const auto& [name, run] : targets) {
        int replayed = 0;
        for (const auto& entry : std::filesystem::directory_iterator(
                 std::filesystem::path(BREVOLT_FUZZ_CORPUS) / name)) {
            std::ifstream file(entry.path(), std::ios::binary);
            const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
            EXPECT_EQ(run(bytes.data(), bytes.size()), 0) << entry.path();
            ++replayed;
        }
        EXPECT_GT(replayed, 0) << "no corpus for " << name;
    }
}
