#include "toolkit/registry.h"

#include "tests/support/memory_shortage.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <vector>

namespace {

struct TestRecord {
    intptr_t handle;
    int32_t serial; // creation order, to check the walk's order of issued records
};

using TestRegistry = ObjectRegistry<TestRecord>;

TestRegistry* hooked = nullptr;
std::vector<ObjectNumber> hookCalls;

// What a library's reuse hook does: free a live object under that number.
void ReleaseOnReuse(ObjectNumber number) {
    hookCalls.push_back(number);
    if (RegistryLookup(*hooked, number)) {
        RegistryRelease(*hooked, number);
    }
}

class RegistryTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(RegistryCreate(registry, 16, ReleaseOnReuse));
        hooked = &registry;
        hookCalls.clear();
    }
    void TearDown() override { RegistryDestroy(registry); }

    ObjectNumber Create(ObjectNumber number, intptr_t handle) {
        ObjectNumber claimed = 0;
        TestRecord* record = RegistryClaim(registry, number, &claimed);
        EXPECT_NE(record, nullptr);
        if (record) {
            record->handle = handle;
        }
        return claimed;
    }

    std::vector<ObjectNumber> Walk() {
        std::vector<ObjectNumber> numbers;
        RegistryEnumBegin(registry);
        ObjectNumber number = 0;
        while (RegistryEnumNext(registry, &number)) {
            numbers.push_back(number);
        }
        return numbers;
    }

    TestRegistry registry;
};

TEST_F(RegistryTest, ClaimsThatCannotBeMetChangeNothing) {
    Create(4, 44);
    const ObjectNumber issued = Create(NUMBER_ANY, 55);
    struct Case {
        const char* why;
        ObjectNumber number;
        int memoryAllowed;
    };
    const Case cases[] = {
        {"below NUMBER_ANY", -2, 100},
        {"lowest number", INT32_MIN, 100},
        {"number + step overflows", INT32_MAX - 15, 100},
        {"largest number", INT32_MAX, 100},
        {"no memory for a larger table", 100, 0},
        {"no memory for an issued node", NUMBER_ANY, 0},
    };
    for (const Case& c : cases) {
        MemoryShortage shortage(c.memoryAllowed);
        hookCalls.clear();
        EXPECT_EQ(RegistryClaim(registry, c.number), nullptr) << c.why;
        EXPECT_TRUE(hookCalls.empty()) << c.why;
        EXPECT_EQ(registry.capacity, 16) << c.why;
        EXPECT_EQ(Walk(), (std::vector<ObjectNumber>{4, issued})) << c.why;
    }
    EXPECT_NE(RegistryClaim(registry, 100), nullptr) << "memory back: the table grows";
    EXPECT_EQ(registry.capacity, 116);
}

TEST_F(RegistryTest, CreateFailsCleanlyWithoutMemory) {
    TestRegistry empty;
    {
        MemoryShortage shortage;
        EXPECT_FALSE(RegistryCreate(empty, 16, nullptr));
    }
    EXPECT_EQ(empty.capacity, 0);
    EXPECT_EQ(RegistryClaim(empty, 0), nullptr);
    EXPECT_EQ(RegistryLookup(empty, 0), nullptr);
    RegistryEnumBegin(empty);
    EXPECT_EQ(RegistryEnumNext(empty, nullptr), nullptr);
}

TEST_F(RegistryTest, ReleasingTheNextIssuedRecordDuringAWalkIsSafe) {
    const ObjectNumber a = Create(NUMBER_ANY, 1);
    const ObjectNumber b = Create(NUMBER_ANY, 2);
    const ObjectNumber c = Create(NUMBER_ANY, 3);
    RegistryEnumBegin(registry);
    ObjectNumber number = 0;
    ASSERT_NE(RegistryEnumNext(registry, &number), nullptr);
    EXPECT_EQ(number, a);
    RegistryRelease(registry, b);
    ASSERT_NE(RegistryEnumNext(registry, &number), nullptr);
    EXPECT_EQ(number, c);
    EXPECT_EQ(RegistryEnumNext(registry, &number), nullptr);
}

TEST(NodeListTest, PushesZeroFilledPayloadsAndUnlinksAnyNode) {
    NodeList list;
    std::vector<int*> payloads;
    for (int i = 0; i < 4; ++i) {
        auto* payload = static_cast<int*>(NodeListPush(list, 3 * sizeof(int)));
        ASSERT_NE(payload, nullptr);
        EXPECT_EQ(payload[0] | payload[1] | payload[2], 0);
        payload[0] = i;
        payloads.push_back(payload);
    }
    auto newestFirst = [&] {
        std::vector<int> values;
        for (void* p = NodeListNext(list, nullptr); p; p = NodeListNext(list, p)) {
            values.push_back(*static_cast<int*>(p));
        }
        return values;
    };
    auto oldestFirst = [&] {
        std::vector<int> values;
        for (void* p = NodeListPrevious(list, nullptr); p; p = NodeListPrevious(list, p)) {
            values.push_back(*static_cast<int*>(p));
        }
        return values;
    };
    EXPECT_EQ(newestFirst(), (std::vector<int>{3, 2, 1, 0}));
    NodeListRemove(list, payloads[2]); // middle
    EXPECT_EQ(newestFirst(), (std::vector<int>{3, 1, 0}));
    EXPECT_EQ(oldestFirst(), (std::vector<int>{0, 1, 3}));
    NodeListRemove(list, payloads[3]); // head
    NodeListRemove(list, payloads[0]); // tail
    EXPECT_EQ(newestFirst(), (std::vector<int>{1}));
    EXPECT_EQ(oldestFirst(), (std::vector<int>{1}));
    NodeListRemove(list, payloads[1]);
    EXPECT_EQ(list.head, nullptr);
    {
        MemoryShortage shortage;
        EXPECT_EQ(NodeListPush(list, 8), nullptr);
    }
    EXPECT_EQ(list.head, nullptr);
}

// Long random runs against a model: live objects by number, with their
// handles and creation order.
class RegistryModelTest : public RegistryTest, public testing::WithParamInterface<unsigned> {};

TEST_P(RegistryModelTest, AgreesWithAMapOverRandomOperations) {
    std::mt19937 random(GetParam());
    std::map<ObjectNumber, TestRecord> model;
    int32_t capacity = 16;
    int32_t serial = 0;
    intptr_t nextHandle = 1;
    auto pick = [&](int n) { return static_cast<int>(random() % n); };
    auto anyNumber = [&]() -> ObjectNumber {
        switch (pick(4)) {
        case 0:
            if (!model.empty()) {
                auto it = model.begin();
                std::advance(it, pick(static_cast<int>(model.size())));
                return it->first;
            }
            return 0;
        case 1:
            return pick(capacity + 20);
        case 2:
            return -2 - pick(1000);
        default:
            return static_cast<ObjectNumber>(random());
        }
    };

    for (int step = 0; step < 20000; ++step) {
        switch (pick(9)) {
        case 0:
        case 1: { // create under a number, sometimes far beyond the table
            const ObjectNumber number = pick(10) == 0 ? pick(400) : pick(capacity + 4);
            hookCalls.clear();
            TestRecord* record = RegistryClaim(registry, number);
            ASSERT_NE(record, nullptr);
            EXPECT_EQ(hookCalls, std::vector<ObjectNumber>{number});
            EXPECT_EQ(record->handle, 0);
            if (number >= capacity) {
                capacity = number + 16;
            }
            model.erase(number);
            if (pick(8) != 0) { // else the create failed after the claim
                *record = {nextHandle++, serial++};
                model[number] = *record;
            }
            break;
        }
        case 2: { // create with an issued identifier
            ObjectNumber id = 0;
            TestRecord* record = RegistryClaim(registry, NUMBER_ANY, &id);
            ASSERT_NE(record, nullptr);
            EXPECT_NE(id, NUMBER_ANY);
            EXPECT_FALSE(id >= 0 && id < capacity);
            EXPECT_EQ(model.count(id), 0u);
            if (pick(8) != 0) { // else claimed but never filled in: no object
                *record = {nextHandle++, serial++};
                model[id] = *record;
            }
            break;
        }
        case 3: { // a claim that cannot be met
            MemoryShortage shortage;
            const ObjectNumber number = pick(2) ? NUMBER_ANY : capacity + pick(50);
            EXPECT_EQ(RegistryClaim(registry, number), nullptr);
            break;
        }
        case 4:
        case 5: {
            const ObjectNumber number = anyNumber();
            RegistryRelease(registry, number);
            model.erase(number);
            break;
        }
        case 6:
        case 7: {
            const ObjectNumber number = anyNumber();
            TestRecord* record = RegistryLookup(registry, number);
            auto it = model.find(number);
            ASSERT_EQ(record != nullptr, it != model.end()) << number;
            if (record) {
                EXPECT_EQ(record->handle, it->second.handle);
            }
            break;
        }
        default: { // walk, releasing some records as they come
            std::vector<ObjectNumber> expected;
            std::vector<std::pair<int32_t, ObjectNumber>> issued;
            for (const auto& [number, record] : model) {
                if (number >= 0 && number < capacity) {
                    expected.push_back(number);
                } else {
                    issued.push_back({record.serial, number});
                }
            }
            std::sort(issued.begin(), issued.end());
            for (const auto& entry : issued) {
                expected.push_back(entry.second);
            }
            std::vector<ObjectNumber> seen;
            RegistryEnumBegin(registry);
            ObjectNumber number = 0;
            while (RegistryEnumNext(registry, &number)) {
                seen.push_back(number);
                if (pick(6) == 0) {
                    RegistryRelease(registry, number);
                    model.erase(number);
                }
            }
            ASSERT_EQ(seen, expected);
        }
        }
        ASSERT_EQ(registry.capacity, capacity);
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, RegistryModelTest, testing::Values(1u, 2u, 3u, 4u));

} // namespace
