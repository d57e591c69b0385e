// Numbered object registry: maps caller-chosen numbers (or issued
// identifiers) to records of one object kind. One template serves windows,
// gadgets and files. A record is a trivially copyable struct whose first
// member is `handle`; it is in use while `handle` is non-zero, and nothing
// else marks a slot as used.
#pragma once

#include <cstddef>
#include <cstdint>

using ObjectNumber = int32_t;

// Asks a create operation for an issued identifier instead of a number.
constexpr ObjectNumber NUMBER_ANY = -1;

// Doubly linked list of zero-filled heap nodes; the list is a reference to
// the newest node. Payloads are what callers see.
struct NodeList {
    struct NodeListNode* head = nullptr;
};
void* NodeListPush(NodeList& list, size_t payloadSize); // nullptr when memory is short
void NodeListRemove(NodeList& list, void* payload);
// Newest first; pass nullptr to start. Returns nullptr at the end.
void* NodeListNext(const NodeList& list, void* payload);
// Oldest first (walks from the tail): pass nullptr to start.
void* NodeListPrevious(const NodeList& list, void* payload);

template <typename Record> struct ObjectRegistry {
    using ReuseHook = void (*)(ObjectNumber number);

    int32_t growthStep = 0;
    int32_t capacity = 0;
    Record* slots = nullptr; // capacity records, zero-filled when free
    NodeList issued;         // records created with NUMBER_ANY
    ReuseHook reuseHook = nullptr;
    int32_t walkSlot = 0;
    void* walkIssued = nullptr;
    ObjectNumber lastIssued = 0; // where record addresses do not fit a number
};

// Returns false (and leaves the registry empty) when memory is short.
template <typename Record>
bool RegistryCreate(ObjectRegistry<Record>& registry, int32_t growthStep,
                    typename ObjectRegistry<Record>::ReuseHook reuseHook);

// Frees the table and every issued record without calling the hook; the
// registry is empty afterwards.
template <typename Record> void RegistryDestroy(ObjectRegistry<Record>& registry);

// The record the caller fills in; its number (or, for NUMBER_ANY, its issued
// identifier) goes to *claimed. nullptr when the table cannot grow or the
// number is below NUMBER_ANY; nothing changes then.
template <typename Record>
Record* RegistryClaim(ObjectRegistry<Record>& registry, ObjectNumber number,
                      ObjectNumber* claimed = nullptr);

// The record of a live object, or nullptr.
template <typename Record>
Record* RegistryLookup(ObjectRegistry<Record>& registry, ObjectNumber number);

template <typename Record>
void RegistryRelease(ObjectRegistry<Record>& registry, ObjectNumber number);

// Numbered objects in ascending order, then issued ones in creation order.
// The caller may release the record just returned before asking again.
template <typename Record> void RegistryEnumBegin(ObjectRegistry<Record>& registry);
template <typename Record>
Record* RegistryEnumNext(ObjectRegistry<Record>& registry, ObjectNumber* number);

// What a create operation returns: the issued identifier when it was asked
// for NUMBER_ANY, else the object's platform handle.
inline intptr_t RegistryCreateResult(ObjectNumber requested, ObjectNumber claimed,
                                     intptr_t handle) {
    return requested == NUMBER_ANY ? claimed : handle;
}

#include "toolkit/core/registry_impl.h"
