// The node list under the numbered object registry's issued records.
#include "toolkit/registry.h"

#include "toolkit/core/memory.h"

#include <cstddef>

// The alignment keeps any payload that follows the links properly aligned.
struct alignas(std::max_align_t) NodeListNode {
    NodeListNode* next;     // pushed before this one
    NodeListNode* previous; // pushed after this one
};

namespace {

void* PayloadOf(NodeListNode* node) {
    return node ? node + 1 : nullptr;
}

NodeListNode* NodeOf(void* payload) {
    return static_cast<NodeListNode*>(payload) - 1;
}

} // namespace

void* NodeListPush(NodeList& list, size_t payloadSize) {
    if (payloadSize > SIZE_MAX - sizeof(NodeListNode)) {
        return nullptr;
    }
    auto* node = static_cast<NodeListNode*>(MemoryAllocate(sizeof(NodeListNode) + payloadSize));
    if (!node) {
        return nullptr;
    }
    node->next = list.head;
    if (list.head) {
        list.head->previous = node;
    }
    list.head = node;
    return PayloadOf(node);
}

void NodeListRemove(NodeList& list, void* payload) {
    NodeListNode* node = NodeOf(payload);
    if (node->next) {
        node->next->previous = node->previous;
    }
    if (node->previous) {
        node->previous->next = node->next;
    } else {
        list.head = node->next;
    }
    MemoryFree(node);
}

void* NodeListNext(const NodeList& list, void* payload) {
    return PayloadOf(payload ? NodeOf(payload)->next : list.head);
}

void* NodeListPrevious(const NodeList& list, void* payload) {
    if (payload) {
        return PayloadOf(NodeOf(payload)->previous);
    }
    NodeListNode* tail = list.head;
    while (tail && tail->next) {
        tail = tail->next;
    }
    return PayloadOf(tail);
}
