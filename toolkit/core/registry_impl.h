// Template bodies of the numbered object registry; included by registry.h.
#pragma once

#include "toolkit/core/memory.h"

#include <cstring>
#include <type_traits>

namespace registry_detail {

// Payload of an issued node. The record comes first, so its address is the
// payload's; the number is kept so lookups need not recompute it.
template <typename Record> struct IssuedRecord {
    Record record;
    ObjectNumber number;
};

template <typename Record> bool InUse(const Record& record) {
    static_assert(std::is_trivially_copyable_v<Record>,
                  "records are zero-filled and moved as bytes");
    static_assert(offsetof(Record, handle) == 0, "the handle is the record's in-use word");
    return static_cast<bool>(record.handle);
}

template <typename Record>
IssuedRecord<Record>* FindIssued(const ObjectRegistry<Record>& registry, ObjectNumber number) {
    for (void* payload = NodeListNext(registry.issued, nullptr); payload;
         payload = NodeListNext(registry.issued, payload)) {
        auto* issued = static_cast<IssuedRecord<Record>*>(payload);
        if (issued->number == number) {
            return issued;
        }
    }
    return nullptr;
}

// An issued identifier must never read as NUMBER_ANY or as a slot number.
inline bool IssuableNumber(ObjectNumber number, int32_t capacity) {
    return number < NUMBER_ANY || number >= capacity;
}

// On a 32-bit build the identifier is the record's address. Where addresses
// do not fit, a counter walks down from -2 and skips identifiers still live.
template <typename Record>
ObjectNumber NewIssuedNumber(ObjectRegistry<Record>& registry, IssuedRecord<Record>* issued) {
    if constexpr (sizeof(void*) <= sizeof(ObjectNumber)) {
        return static_cast<ObjectNumber>(reinterpret_cast<intptr_t>(&issued->record));
    } else {
        do {
            const ObjectNumber last = registry.lastIssued;
            registry.lastIssued =
                (last < NUMBER_ANY && last > INT32_MIN) ? last - 1 : NUMBER_ANY - 1;
        } while (FindIssued(registry, registry.lastIssued));
        return registry.lastIssued;
    }
}

// Grows the table to number + growth step slots. Fails, changing nothing,
// when that count does not fit, the memory cannot be had, or a live issued
// identifier would turn into a slot number.
template <typename Record> bool Grow(ObjectRegistry<Record>& registry, ObjectNumber number) {
    const int64_t wanted = int64_t{number} + registry.growthStep;
    if (wanted > INT32_MAX || static_cast<uint64_t>(wanted) > SIZE_MAX / sizeof(Record)) {
        return false;
    }
    const auto capacity = static_cast<int32_t>(wanted);
    for (void* payload = NodeListNext(registry.issued, nullptr); payload;
         payload = NodeListNext(registry.issued, payload)) {
        if (!IssuableNumber(static_cast<IssuedRecord<Record>*>(payload)->number, capacity)) {
            return false;
        }
    }
    void* table = MemoryResize(registry.slots, static_cast<size_t>(capacity) * sizeof(Record));
    if (!table) {
        return false;
    }
    registry.slots = static_cast<Record*>(table);
    std::memset(static_cast<void*>(registry.slots + registry.capacity), 0,
                static_cast<size_t>(capacity - registry.capacity) * sizeof(Record));
    registry.capacity = capacity;
    return true;
}

} // namespace registry_detail

template <typename Record>
bool RegistryCreate(ObjectRegistry<Record>& registry, int32_t growthStep,
                    typename ObjectRegistry<Record>::ReuseHook reuseHook) {
    registry = ObjectRegistry<Record>{};
    if (growthStep <= 0 || static_cast<size_t>(growthStep) > SIZE_MAX / sizeof(Record)) {
        return false;
    }
    void* table = MemoryAllocate(static_cast<size_t>(growthStep) * sizeof(Record));
    if (!table) {
        return false;
    }
    registry.growthStep = growthStep;
    registry.capacity = growthStep;
    registry.slots = static_cast<Record*>(table);
    registry.reuseHook = reuseHook;
    return true;
}

template <typename Record> void RegistryDestroy(ObjectRegistry<Record>& registry) {
    while (void* payload = NodeListNext(registry.issued, nullptr)) {
        NodeListRemove(registry.issued, payload);
    }
    if (registry.slots) {
        MemoryFree(registry.slots);
    }
    registry = ObjectRegistry<Record>{};
}

template <typename Record>
Record* RegistryClaim(ObjectRegistry<Record>& registry, ObjectNumber number,
                      ObjectNumber* claimed) {
    using namespace registry_detail;
    if (number < NUMBER_ANY || !registry.slots) {
        return nullptr;
    }
    if (number == NUMBER_ANY) {
        auto* issued = static_cast<IssuedRecord<Record>*>(
            NodeListPush(registry.issued, sizeof(IssuedRecord<Record>)));
        if (!issued) {
            return nullptr;
        }
        const ObjectNumber identifier = NewIssuedNumber(registry, issued);
        if (!IssuableNumber(identifier, registry.capacity)) {
            NodeListRemove(registry.issued, issued);
            return nullptr;
        }
        issued->number = identifier;
        if (claimed) {
            *claimed = identifier;
        }
        return &issued->record;
    }
    if (number >= registry.capacity && !Grow(registry, number)) {
        return nullptr;
    }
    if (registry.reuseHook) {
        registry.reuseHook(number);
    }
    if (claimed) {
        *claimed = number;
    }
    // Read the table only now: the hook may have claimed or grown it.
    return &registry.slots[number];
}

template <typename Record>
Record* RegistryLookup(ObjectRegistry<Record>& registry, ObjectNumber number) {
    using namespace registry_detail;
    if (number >= 0 && number < registry.capacity) {
        Record& record = registry.slots[number];
        return InUse(record) ? &record : nullptr;
    }
    IssuedRecord<Record>* issued = FindIssued(registry, number);
    return issued && InUse(issued->record) ? &issued->record : nullptr;
}

template <typename Record>
void RegistryRelease(ObjectRegistry<Record>& registry, ObjectNumber number) {
    using namespace registry_detail;
    if (number >= 0 && number < registry.capacity) {
        std::memset(static_cast<void*>(&registry.slots[number]), 0, sizeof(Record));
        return;
    }
    IssuedRecord<Record>* issued = FindIssued(registry, number);
    if (!issued) {
        return;
    }
    // A walk must not stand on a freed node, whichever record is released.
    if (registry.walkIssued == issued) {
        registry.walkIssued = NodeListPrevious(registry.issued, issued);
    }
    NodeListRemove(registry.issued, issued);
}

template <typename Record> void RegistryEnumBegin(ObjectRegistry<Record>& registry) {
    registry.walkSlot = 0;
    registry.walkIssued = NodeListPrevious(registry.issued, nullptr);
}

template <typename Record>
Record* RegistryEnumNext(ObjectRegistry<Record>& registry, ObjectNumber* number) {
    using namespace registry_detail;
    while (registry.walkSlot >= 0 && registry.walkSlot < registry.capacity) {
        const int32_t slot = registry.walkSlot++;
        if (InUse(registry.slots[slot])) {
            if (number) {
                *number = slot;
            }
            return &registry.slots[slot];
        }
    }
    // Records claimed but never filled in are not objects yet: pass over them.
    while (registry.walkIssued) {
        auto* issued = static_cast<IssuedRecord<Record>*>(registry.walkIssued);
        registry.walkIssued = NodeListPrevious(registry.issued, issued);
        if (InUse(issued->record)) {
            if (number) {
                *number = issued->number;
            }
            return &issued->record;
        }
    }
    return nullptr;
}
