// The registry under arbitrary sequences of claims, releases, lookups and
// walks, compared after every step with a model built on std::map.
#include "tests/fuzz/fuzz_input.h"
#include "toolkit/registry.h"

#include <algorithm>
#include <climits>
#include <map>
#include <utility>
#include <vector>

namespace {

struct FuzzRecord {
    intptr_t handle;
    int32_t number;
};

struct Model {
    int32_t step = 0;
    int32_t capacity = 0;
    std::map<ObjectNumber, intptr_t> numbered;
    std::vector<std::pair<ObjectNumber, intptr_t>> issued; // creation order; 0: not filled in
    std::vector<ObjectNumber> hookCalls;
    intptr_t nextHandle = 1;

    bool InTable(ObjectNumber number) const { return number >= 0 && number < capacity; }
    // A number's entry: a table slot, or an issued record outside the table.
    intptr_t* Find(ObjectNumber number) {
        if (InTable(number)) {
            const auto found = numbered.find(number);
            return found == numbered.end() ? nullptr : &found->second;
        }
        for (auto& [issuedNumber, handle] : issued) {
            if (issuedNumber == number) {
                return &handle;
            }
        }
        return nullptr;
    }
    intptr_t Live(ObjectNumber number) { return Find(number) ? *Find(number) : 0; }
    void Release(ObjectNumber number) {
        if (InTable(number)) {
            numbered.erase(number);
            return;
        }
        issued.erase(std::remove_if(issued.begin(), issued.end(),
                                    [number](const auto& i) { return i.first == number; }),
                     issued.end());
    }
    // Walk order; unfilled issued records too when asked.
    std::vector<ObjectNumber> Numbers(bool unfilled) const {
        std::vector<ObjectNumber> numbers;
        for (const auto& [number, handle] : numbered) {
            numbers.push_back(number);
        }
        for (const auto& [number, handle] : issued) {
            if (handle || unfilled) {
                numbers.push_back(number);
            }
        }
        return numbers;
    }
};

ObjectRegistry<FuzzRecord> registry;
Model model;
FuzzInput* input = nullptr;
bool inHook = false;

// A live or issued number, a small one, or any.
ObjectNumber PickNumber(FuzzInput& in) {
    const uint8_t choice = in.Byte();
    const std::vector<ObjectNumber> known = model.Numbers(true);
    if (choice % 3 == 0 && !known.empty()) {
        return known[in.Byte() % known.size()];
    }
    return choice % 3 == 1 ? choice / 3 - 8 : in.Int32();
}

void Claim(ObjectNumber number, bool fill);

// A library's hook frees whatever lives under the number; one that opens
// another object meanwhile may grow the table under the claim.
void ReuseHook(ObjectNumber number) {
    model.hookCalls.push_back(number);
    if (RegistryLookup(registry, number)) {
        RegistryRelease(registry, number);
    }
    model.Release(number);
    if (!inHook && input->Byte() % 2) {
        inHook = true;
        Claim(model.capacity + input->Byte() % 8, true);
        inHook = false;
    }
}

// The table grows before the hook runs. Issued records and claims without a
// hook call nothing, and a live record comes back as it is.
void Claim(ObjectNumber number, bool fill) {
    const intptr_t before = model.Live(number);
    const size_t hookCalls = model.hookCalls.size();
    if (number >= model.capacity) {
        model.capacity = number + model.step;
    }
    ObjectNumber claimed = NUMBER_ANY;
    FuzzRecord* record = RegistryClaim(registry, number, &claimed);
    FUZZ_CHECK(record && registry.capacity == model.capacity);
    if (number == NUMBER_ANY) {
        FUZZ_CHECK(claimed != NUMBER_ANY && !model.InTable(claimed) && !model.Find(claimed));
        model.issued.push_back({claimed, 0});
    }
    FUZZ_CHECK(number == NUMBER_ANY || claimed == number);
    if (registry.reuseHook && number != NUMBER_ANY) {
        FUZZ_CHECK(model.hookCalls.size() > hookCalls && model.hookCalls[hookCalls] == number);
        FUZZ_CHECK(record->handle == 0 && record->number == 0);
    } else {
        FUZZ_CHECK(model.hookCalls.size() == hookCalls && record->handle == before);
    }
    if (fill) {
        *record = {model.nextHandle++, claimed};
        (model.InTable(claimed) ? model.numbered[claimed] : *model.Find(claimed)) = record->handle;
    }
}

// Claims that cannot be met return nothing and change nothing.
void ClaimRefused(FuzzInput& in) {
    const int32_t capacity = registry.capacity;
    const size_t hookCalls = model.hookCalls.size();
    const uint8_t choice = in.Byte();
    if (choice % 3 == 2) {
        FUZZ_CHECK(!WithoutMemory([&] {
            return RegistryClaim(registry, capacity + choice / 3) ||
                   RegistryClaim(registry, NUMBER_ANY);
        }));
    } else {
        FUZZ_CHECK(
            !RegistryClaim(registry, choice % 3 ? -2 - choice : INT32_MAX - choice % model.step));
    }
    FUZZ_CHECK(registry.capacity == capacity && model.hookCalls.size() == hookCalls);
}

// Walks everything, sometimes releasing the record just returned or one
// further ahead, and expects each remaining object exactly once, in order.
void Walk(FuzzInput& in) {
    std::vector<ObjectNumber> expected = model.Numbers(false);
    size_t seen = 0;
    RegistryEnumBegin(registry);
    ObjectNumber number = 0;
    while (FuzzRecord* record = RegistryEnumNext(registry, &number)) {
        FUZZ_CHECK(seen < expected.size() && expected[seen] == number);
        FUZZ_CHECK(record->handle == model.Live(number) && record->number == number);
        ++seen;
        const uint8_t choice = in.Byte();
        if (choice % 4 == 1) {
            RegistryRelease(registry, number);
            model.Release(number);
        } else if (choice % 4 == 2 && seen < expected.size()) {
            const auto ahead = expected.begin() + seen + choice / 4 % (expected.size() - seen);
            RegistryRelease(registry, *ahead);
            model.Release(*ahead);
            expected.erase(ahead);
        }
    }
    FUZZ_CHECK(seen == expected.size());
}

void (*const operations[])(FuzzInput&) = {
    [](FuzzInput& in) {
        const uint8_t choice = in.Byte();
        Claim(choice % 5 ? in.Byte() % 64 : NUMBER_ANY, choice % 4);
    },
    ClaimRefused,
    [](FuzzInput& in) {
        const ObjectNumber number = PickNumber(in);
        RegistryRelease(registry, number);
        model.Release(number);
    },
    Walk,
};

void CheckSameAsModel(ObjectNumber number) {
    const FuzzRecord* record = RegistryLookup(registry, number);
    const intptr_t live = model.Live(number);
    FUZZ_CHECK(record ? record->handle == live : live == 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in{data, size};
    input = &in;
    model = Model{};
    model.step = model.capacity = 1 + in.Byte() % 32;
    FUZZ_CHECK(RegistryCreate(registry, model.step, in.Byte() % 3 ? ReuseHook : nullptr));
    while (!in.Empty()) {
        operations[in.Byte() % std::size(operations)](in);
        CheckSameAsModel(PickNumber(in));
        for (const ObjectNumber number : model.Numbers(false)) {
            CheckSameAsModel(number);
        }
        size_t nodes = 0;
        for (void* node = nullptr; (node = NodeListNext(registry.issued, node));) {
            ++nodes;
        }
        FUZZ_CHECK(nodes == model.issued.size());
    }
    RegistryDestroy(registry);
    FUZZ_CHECK(registry.capacity == 0 && registry.slots == nullptr);
    return 0;
}
