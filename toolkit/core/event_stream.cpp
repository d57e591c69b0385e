// The pending-event slot and the deferred-event queue, with the collapse of repeats.
#include "toolkit/core/event_stream.h"

#include "toolkit/core/memory.h"
#include "toolkit/windows.h"

struct EventQueueNode {
    EventQueueNode* next;
    QueuedEvent event;
};

void EventQueueAppend(EventQueue& queue, int32_t code, ObjectNumber window) {
    if (queue.tail && queue.tail->event.code == code && queue.tail->event.window == window) {
        return;
    }
    auto* node = static_cast<EventQueueNode*>(MemoryAllocate(sizeof(EventQueueNode)));
    if (!node) {
        return;
    }
    node->next = nullptr;
    node->event = {code, window};
    if (queue.tail) {
        queue.tail->next = node;
    } else {
        queue.head = node;
    }
    queue.tail = node;
}

bool EventQueueTake(EventQueue& queue, QueuedEvent* event) {
    EventQueueNode* node = queue.head;
    if (!node) {
        return false;
    }
    *event = node->event;
    queue.head = node->next;
    if (!queue.head) {
        queue.tail = nullptr;
    }
    MemoryFree(node);
    return true;
}

void EventStateRaiseGadget(EventState& state, int32_t gadget, int32_t subtype) {
    state.pending = EVENT_GADGET;
    state.gadget = gadget;
    state.subtype = subtype;
}

int32_t EventStateBeginWait(EventState& state) {
    state.subtype = -1;
    QueuedEvent event;
    if (!EventQueueTake(state.queue, &event)) {
        return 0;
    }
    state.window = event.window;
    state.pending = 0;
    return event.code;
}

int32_t EventStateEndWait(EventState& state, uint32_t message) {
    int32_t event = state.pending;
    if (!event) {
        return static_cast<int32_t>(message);
    }
    state.pending = 0;
    return event;
}
