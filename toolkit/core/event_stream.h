// The event stream's state: the single pending-event slot the window
// procedure fills during a dispatch, and the queue of events it defers.
// Platform-free, so the order rules can be checked without a window system.
#pragma once

#include "toolkit/registry.h"

#include <cstdint>

struct EventQueueNode;

// First in, first out; nodes come from the toolkit's memory.
struct EventQueue {
    EventQueueNode* head = nullptr; // oldest
    EventQueueNode* tail = nullptr; // newest
};

struct QueuedEvent {
    int32_t code;
    ObjectNumber window;
};

// Appends behind the newest event unless that one has the same code and
// window, so a run of identical events waits as one. When memory is short
// the event is lost.
void EventQueueAppend(EventQueue& queue, int32_t code, ObjectNumber window);
// Removes the oldest event into *event; false when the queue is empty.
bool EventQueueTake(EventQueue& queue, QueuedEvent* event);

struct EventState {
    int32_t gadget = 0;
    ObjectNumber window = 0; // -1 when the last message came from no toolkit window
    int32_t subtype = 0;     // -1 when the current event has none
    int32_t pending = 0;     // event raised during a dispatch, 0 for none
    EventQueue queue;
};

// A gadget event: reported by the wait that dispatches the message raising it.
void EventStateRaiseGadget(EventState& state, int32_t gadget, int32_t subtype);

// First half of a wait: clears the subtype, then hands out the oldest queued
// event (with its window) if there is one. Returns 0 when the wait must read
// a message instead.
int32_t EventStateBeginWait(EventState& state);
// Second half, after the message has been dispatched: the gadget event that
// the dispatch (or anything since the last wait) raised, else the message's
// own number.
int32_t EventStateEndWait(EventState& state, uint32_t message);
