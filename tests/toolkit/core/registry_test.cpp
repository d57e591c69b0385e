#include "toolkit/registry.h"

#include "tests/support/memory_shortage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <map>
#include <random>
#include <vector>

namespace {

struct TestRecord {
    intptr_t handle;
    int32_t serial; // creation order, which the walk follows for issued records
};

ObjectRegistry<TestRecord> registry;
std::vector<ObjectNumber> hookCalls;

// What a library's reuse hook does: free whatever lives under the number.
void ReleaseOnReuse(ObjectNumber number) {
    hookCalls.push_back(number);
    RegistryRelease(registry, number);
}

class RegistryModelTest : public testing::TestWithParam<unsigned> {
  protected:
    void TearDown() override { RegistryDestroy(registry); }
};

// Long random runs against a map of the live objects: claims that reuse,
// grow or issue, claims that cannot be met, releases, and walks that release
// records as they go; a lookup after every step.
TEST_P(RegistryModelTest, AgreesWithAMap) {
    {
        MemoryShortage shortage;
        ASSERT_FALSE(RegistryCreate(registry, 16, ReleaseOnReuse));
    }
    EXPECT_EQ(RegistryClaim(registry, 0), nullptr) << "a failed create leaves nothing to use";
    ASSERT_TRUE(RegistryCreate(registry, 16, ReleaseOnReuse));

    std::mt19937 random(GetParam());
    auto pick = [&](size_t n) { return static_cast<int32_t>(random() % n); };
    std::map<ObjectNumber, TestRecord> model;
    int32_t capacity = 16, serial = 0;
    auto isSlot = [&](ObjectNumber number) { return number >= 0 && number < capacity; };
    for (int step = 0; step < 20000; ++step) {
        hookCalls.clear();
        const int32_t operation = pick(8);
        if (operation < 3) { // a claim under a number, sometimes far beyond the table, or issued
            const ObjectNumber number = pick(3) == 0    ? NUMBER_ANY
                                        : pick(10) == 0 ? pick(400)
                                                        : pick(capacity + 4);
            ObjectNumber claimed = 0;
            TestRecord* record = RegistryClaim(registry, number, &claimed);
            ASSERT_NE(record, nullptr);
            EXPECT_EQ(record->handle, 0);
            if (number == NUMBER_ANY) {
                EXPECT_TRUE(claimed != NUMBER_ANY && !isSlot(claimed) && !model.count(claimed));
                EXPECT_TRUE(hookCalls.empty());
            } else {
                EXPECT_EQ(claimed, number);
                EXPECT_EQ(hookCalls, std::vector<ObjectNumber>{number});
                capacity = number < capacity ? capacity : number + 16;
                model.erase(number);
            }
            if (pick(8) != 0) { // else the create failed after the claim: no object
                *record = {++serial, serial};
                model[claimed] = *record;
            }
        } else if (operation == 3) { // a claim that cannot be met changes nothing
            const ObjectNumber refused[] = {NUMBER_ANY, capacity + pick(50), INT32_MAX - pick(16),
                                            -2 - pick(1000), INT32_MIN};
            const int32_t which = pick(5);
            MemoryShortage shortage(which < 2 ? 0 : 1000);
            EXPECT_EQ(RegistryClaim(registry, refused[which]), nullptr) << refused[which];
            EXPECT_TRUE(hookCalls.empty());
        } else if (operation < 6) {
            const ObjectNumber number = model.empty() || pick(2)
                                            ? pick(capacity + 20) - 10
                                            : std::next(model.begin(), pick(model.size()))->first;
            RegistryRelease(registry, number);
            model.erase(number);
        } else { // a walk, releasing the record just returned or one further on
            std::vector<ObjectNumber> expected;
            for (const auto& entry : model) {
                expected.push_back(entry.first);
            }
            auto order = [&](ObjectNumber n) {
                return std::make_pair(!isSlot(n), isSlot(n) ? n : model[n].serial);
            };
            std::sort(expected.begin(), expected.end(),
                      [&](ObjectNumber x, ObjectNumber y) { return order(x) < order(y); });
            std::vector<ObjectNumber> walked;
            RegistryEnumBegin(registry);
            for (ObjectNumber number = 0; RegistryEnumNext(registry, &number);) {
                walked.push_back(number);
                const int32_t choice = pick(6);
                if (choice == 1 && walked.size() < expected.size()) {
                    const auto ahead =
                        expected.begin() + walked.size() + pick(expected.size() - walked.size());
                    number = *ahead;
                    expected.erase(ahead);
                }
                if (choice < 2) {
                    RegistryRelease(registry, number);
                    model.erase(number);
                }
            }
            ASSERT_EQ(walked, expected) << "step " << step;
        }
        const ObjectNumber asked =
            model.empty() || pick(2) ? pick(capacity + 20) - 10 : model.rbegin()->first;
        const TestRecord* record = RegistryLookup(registry, asked);
        ASSERT_EQ(record ? record->handle : 0, model.count(asked) ? model[asked].handle : 0)
            << asked;
        ASSERT_EQ(registry.capacity, capacity);
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, RegistryModelTest, testing::Values(1u, 2u, 3u));

} // namespace
