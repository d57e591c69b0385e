// The registry under arbitrary sequences of claims, releases, lookups and
// walks, compared after every step with a model built on std::map.
#include "tests/fuzz/fuzz_input.h"
#include "toolkit/memory.h"
#include "toolkit/registry.h"

#include <algorithm>
#include <climits>
#include <map>
#include <vector>

namespace {

struct FuzzRecord {
    intptr_t handle;
    int32_t serial;
};

struct Issued {
    ObjectNumber number;
    intptr_t handle; // 0: claimed but never filled in, so not an object yet
};

struct Model {
    int32_t growthStep = 0;
    int32_t capacity = 0;
    std::map<ObjectNumber, intptr_t> numbered; // live slots
    std::vector<Issued> issued;                // creation order
    std::vector<ObjectNumber> hookCalls;
    intptr_t nextHandle = 1;

    bool InSlotRange(ObjectNumber number) const { return number >= 0 && number < capacity; }

    std::vector<Issued>::iterator FindIssued(ObjectNumber number) {
        return std::find_if(issued.begin(), issued.end(),
                            [number](const Issued& i) { return i.number == number; });
    }

    intptr_t Live(ObjectNumber number) {
        if (InSlotRange(number)) {
            const auto found = numbered.find(number);
            return found == numbered.end() ? 0 : found->second;
        }
        const auto found = FindIssued(number);
        return found == issued.end() ? 0 : found->handle;
    }

    void Release(ObjectNumber number) {
        if (InSlotRange(number)) {
            numbered.erase(number);
        } else if (const auto found = FindIssued(number); found != issued.end()) {
            issued.erase(found);
        }
    }

    std::vector<ObjectNumber> Walk() const {
        std::vector<ObjectNumber> numbers;
        for (const auto& [number, handle] : numbered) {
            numbers.push_back(number);
        }
        for (const Issued& i : issued) {
            if (i.handle) {
                numbers.push_back(i.number);
            }
        }
        return numbers;
    }
};

enum HookMode : uint8_t { HOOK_RELEASE, HOOK_RELEASE_AND_GROW, HOOK_NONE, HOOK_MODES };

ObjectRegistry<FuzzRecord> registry;
Model model;
FuzzInput* input = nullptr;
HookMode hookMode = HOOK_RELEASE;
bool inHook = false;

void* RefuseAllocate(size_t) {
    return nullptr;
}
void* RefuseResize(void*, size_t) {
    return nullptr;
}
MemoryOperations ample;
void ReleaseAsBefore(void* block) {
    ample.release(block);
}

// Memory runs out for the lifetime of one of these; blocks can still be freed.
class NoMemory {
  public:
    NoMemory() { ample = MemorySetOperations({RefuseAllocate, RefuseResize, ReleaseAsBefore}); }
    ~NoMemory() { MemorySetOperations(ample); }
    NoMemory(const NoMemory&) = delete;
    NoMemory& operator=(const NoMemory&) = delete;
};

void CheckSameAsModel(ObjectNumber number) {
    FuzzRecord* record = RegistryLookup(registry, number);
    const intptr_t live = model.Live(number);
    FUZZ_CHECK((record != nullptr) == (live != 0));
    FUZZ_CHECK(!record || record->handle == live);
}

// Issued records the registry holds, filled in or not.
size_t IssuedNodes() {
    size_t count = 0;
    for (void* node = NodeListNext(registry.issued, nullptr); node;
         node = NodeListNext(registry.issued, node)) {
        ++count;
    }
    return count;
}

void Fill(FuzzRecord* record, ObjectNumber number) {
    record->handle = model.nextHandle++;
    record->serial = number;
    if (model.InSlotRange(number)) {
        model.numbered[number] = record->handle;
    } else {
        model.FindIssued(number)->handle = record->handle;
    }
}

void ClaimNumber(ObjectNumber number, bool fill);

// A library's hook frees whatever lives under the number; one that opens
// another object while doing so may grow the table under the claim.
void ReuseHook(ObjectNumber number) {
    model.hookCalls.push_back(number);
    if (RegistryLookup(registry, number)) {
        RegistryRelease(registry, number);
    }
    model.Release(number);
    if (hookMode == HOOK_RELEASE_AND_GROW && !inHook) {
        inHook = true;
        ClaimNumber(model.capacity + input->Byte() % 8, true);
        inHook = false;
    }
}

void ClaimNumber(ObjectNumber number, bool fill) {
    const intptr_t before = model.Live(number);
    const size_t hookCallsBefore = model.hookCalls.size();
    // The table grows before the hook runs, and the hook may look at it.
    if (number >= model.capacity) {
        model.capacity = number + model.growthStep;
    }
    ObjectNumber claimed = NUMBER_ANY;
    FuzzRecord* record = RegistryClaim(registry, number, &claimed);
    FUZZ_CHECK(record != nullptr && claimed == number);
    FUZZ_CHECK(registry.capacity == model.capacity);
    if (hookMode == HOOK_NONE) {
        FUZZ_CHECK(model.hookCalls.size() == hookCallsBefore);
        FUZZ_CHECK(record->handle == before);
    } else {
        FUZZ_CHECK(model.hookCalls.size() > hookCallsBefore &&
                   model.hookCalls[hookCallsBefore] == number);
        FUZZ_CHECK(record->handle == 0 && record->serial == 0);
    }
    if (fill) {
        Fill(record, number);
    }
}

void ClaimIssued(bool fill) {
    const size_t hookCallsBefore = model.hookCalls.size();
    ObjectNumber claimed = NUMBER_ANY;
    FuzzRecord* record = RegistryClaim(registry, NUMBER_ANY, &claimed);
    FUZZ_CHECK(record != nullptr && record->handle == 0);
    FUZZ_CHECK(claimed != NUMBER_ANY && !model.InSlotRange(claimed));
    FUZZ_CHECK(model.FindIssued(claimed) == model.issued.end());
    FUZZ_CHECK(model.hookCalls.size() == hookCallsBefore);
    model.issued.push_back({claimed, 0});
    if (fill) {
        Fill(record, claimed);
    }
}

// Claims that cannot be met return nothing and change nothing.
void ClaimRefused(FuzzInput& in) {
    const int32_t capacityBefore = registry.capacity;
    const size_t hookCallsBefore = model.hookCalls.size();
    ObjectNumber number = 0;
    switch (in.Byte() % 3) {
    case 0:
        number = INT32_MAX - in.Byte() % model.growthStep;
        FUZZ_CHECK(RegistryClaim(registry, number) == nullptr);
        break;
    case 1:
        number = -2 - in.Byte();
        FUZZ_CHECK(RegistryClaim(registry, number) == nullptr);
        break;
    default: {
        const NoMemory noMemory;
        FUZZ_CHECK(RegistryClaim(registry, capacityBefore + in.Byte()) == nullptr);
        FUZZ_CHECK(RegistryClaim(registry, NUMBER_ANY) == nullptr);
        break;
    }
    }
    FUZZ_CHECK(registry.capacity == capacityBefore && model.hookCalls.size() == hookCallsBefore);
    for (const ObjectNumber live : model.Walk()) {
        CheckSameAsModel(live);
    }
    FUZZ_CHECK(IssuedNodes() == model.issued.size());
}

// A number worth asking about: a live one, an issued one, or any.
ObjectNumber PickNumber(FuzzInput& in) {
    const uint8_t choice = in.Byte();
    switch (choice % 4) {
    case 0:
        if (!model.numbered.empty()) {
            auto at = model.numbered.begin();
            std::advance(at, in.Byte() % model.numbered.size());
            return at->first;
        }
        return 0;
    case 1:
        return model.issued.empty() ? NUMBER_ANY
                                    : model.issued[in.Byte() % model.issued.size()].number;
    case 2:
        return choice / 4 - 8;
    default:
        return in.Int32();
    }
}

// Walks everything, sometimes releasing the record just returned or one
// further ahead, and expects each remaining object exactly once, in order.
void Walk(FuzzInput& in) {
    std::vector<ObjectNumber> expected = model.Walk();
    size_t seen = 0;
    RegistryEnumBegin(registry);
    ObjectNumber number = 0;
    while (FuzzRecord* record = RegistryEnumNext(registry, &number)) {
        FUZZ_CHECK(seen < expected.size() && expected[seen] == number);
        FUZZ_CHECK(record->handle == model.Live(number) && record->serial == number);
        ++seen;
        const uint8_t choice = in.Byte();
        if (choice % 4 == 1) {
            RegistryRelease(registry, number);
            model.Release(number);
        } else if (choice % 4 == 2 && seen < expected.size()) {
            const size_t ahead = seen + choice / 4 % (expected.size() - seen);
            RegistryRelease(registry, expected[ahead]);
            model.Release(expected[ahead]);
            expected.erase(expected.begin() + static_cast<std::ptrdiff_t>(ahead));
        }
    }
    FUZZ_CHECK(seen == expected.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    input = &in;
    model = Model{};
    model.growthStep = 1 + in.Byte() % 32;
    hookMode = static_cast<HookMode>(in.Byte() % HOOK_MODES);
    FUZZ_CHECK(
        RegistryCreate(registry, model.growthStep, hookMode == HOOK_NONE ? nullptr : ReuseHook));
    model.capacity = model.growthStep;

    while (!in.Empty()) {
        const uint8_t operation = in.Byte();
        const bool fill = operation / 8 % 4 != 0;
        switch (operation % 8) {
        case 0:
        case 1:
            ClaimNumber(in.Byte() % 64, fill);
            break;
        case 2:
            ClaimIssued(fill);
            break;
        case 3:
            ClaimRefused(in);
            break;
        case 4:
        case 5: {
            const ObjectNumber number = PickNumber(in);
            RegistryRelease(registry, number);
            model.Release(number);
            break;
        }
        case 6:
            Walk(in);
            break;
        default:
            break;
        }
        CheckSameAsModel(PickNumber(in));
        FUZZ_CHECK(IssuedNodes() == model.issued.size());
    }
    for (const ObjectNumber number : model.Walk()) {
        CheckSameAsModel(number);
    }
    RegistryDestroy(registry);
    FUZZ_CHECK(registry.capacity == 0 && registry.slots == nullptr);
    return 0;
}
