#include "toolkit/core/event_stream.h"

#include "toolkit/core/memory.h"
#include "toolkit/windows.h"

#include <new>

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

void EventStatePostGadget(EventState& state, ObjectNumber window, int32_t gadget, int32_t subtype) {
    if (window == -1) {
        return;
    }
    try {
        state.posted.push_back({window, gadget, subtype});
    } catch (const std::bad_alloc&) {
        // Lost, as a queued event is when memory is short.
    }
}

bool EventStateTakePosted(EventState& state) {
    if (state.posted.empty()) {
        return false;
    }
    const PostedGadgetEvent posted = state.posted.front();
    state.posted.pop_front();
    state.window = posted.window;
    EventStateRaiseGadget(state, posted.gadget, posted.subtype);
    return true;
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

int32_t EventStateWait(EventState& state, uint32_t (*platformWait)()) {
    if (const int32_t queued = EventStateBeginWait(state)) {
        return queued;
    }
    uint32_t message = MSG_GADGET_EVENT;
    if (!EventStateTakePosted(state)) {
        message = platformWait();
        EventStateTakePosted(state);
    }
    return EventStateEndWait(state, message);
}
