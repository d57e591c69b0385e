#include "toolkit/brush_cache.h"

#include "tests/support/memory_shortage.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <vector>

namespace {

// A fake platform: brushes are serial numbers, and the live ones are known.
std::map<BrushHandle, int32_t> liveBrushes;
BrushHandle nextBrush = 0;
bool refuseBrushes = false;

BrushHandle FakeCreate(int32_t colour) {
    if (refuseBrushes) {
        return 0;
    }
    liveBrushes.emplace(++nextBrush, colour);
    return nextBrush;
}

void FakeDestroy(BrushHandle brush) {
    ASSERT_EQ(liveBrushes.erase(brush), 1u) << "destroyed a brush that is not live: " << brush;
}

class BrushCacheTest : public testing::Test {
  protected:
    void SetUp() override {
        liveBrushes.clear();
        refuseBrushes = false;
        BrushCacheInit(cache, BrushFactory{FakeCreate, FakeDestroy});
    }
    void TearDown() override {
        while (void* entry = NodeListNext(cache.entries, nullptr)) {
            NodeListRemove(cache.entries, entry);
        }
    }

    BrushCache cache;
};

TEST_F(BrushCacheTest, FailuresAndUnknownReleasesLeaveNoTrace) {
    {
        MemoryShortage shortage; // the brush just made must go again
        EXPECT_EQ(BrushCacheAcquire(cache, 0x00ffff), 0u);
    }
    EXPECT_TRUE(liveBrushes.empty());
    refuseBrushes = true;
    EXPECT_EQ(BrushCacheAcquire(cache, 0x123456), 0u);
    EXPECT_EQ(NodeListNext(cache.entries, nullptr), nullptr);
    refuseBrushes = false;
    const BrushHandle brush = BrushCacheAcquire(cache, 0x123456);
    BrushCacheRelease(cache, 0);
    BrushCacheRelease(cache, brush + 100);
    EXPECT_EQ(liveBrushes.size(), 1u);
    BrushCacheRelease(cache, brush);
    BrushCacheRelease(cache, brush);
    EXPECT_TRUE(liveBrushes.empty());
    EXPECT_EQ(NodeListNext(cache.entries, nullptr), nullptr);
}

// Random acquires and releases against a model of users per colour: one
// brush per colour lives exactly while the colour has users, and a colour
// taken up again after its last release gets a new, live brush.
TEST_F(BrushCacheTest, MatchesAModelOverRandomUse) {
    std::mt19937 random(7);
    std::vector<BrushHandle> held;
    std::map<int32_t, int> users;
    for (int step = 0; step < 2000; ++step) {
        if (held.empty() || random() % 2) {
            const auto colour = static_cast<int32_t>(random() % 6);
            const BrushHandle brush = BrushCacheAcquire(cache, colour);
            ASSERT_EQ(liveBrushes.at(brush), colour);
            held.push_back(brush);
            ++users[colour];
        } else {
            const size_t index = random() % held.size();
            const BrushHandle brush = held[index];
            const int32_t colour = liveBrushes.at(brush);
            held.erase(held.begin() + static_cast<std::ptrdiff_t>(index));
            BrushCacheRelease(cache, brush);
            if (--users[colour] == 0) {
                users.erase(colour);
            }
        }
        // One live brush per colour in use (a missing one fails the release
        // of its users), and none for the others.
        for (const auto& [brush, colour] : liveBrushes) {
            ASSERT_EQ(users.count(colour), 1u) << "step " << step;
        }
        ASSERT_EQ(liveBrushes.size(), users.size()) << "step " << step;
    }
}

} // namespace
