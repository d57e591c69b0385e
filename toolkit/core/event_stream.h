// The event stream's state: the single pending-event slot the window
// procedure fills during a dispatch, and the queue of events it defers.
// Platform-free, so the order rules can be checked without a window system.
#pragma once

#include "toolkit/registry.h"

#include <cstdint>
#include <deque>

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

// A gadget event a backend raised from a platform callback (a signal, a
// DOM event), waiting to be read as a posted Windows message waits.
struct PostedGadgetEvent {
    ObjectNumber window;
    int32_t gadget;
    int32_t subtype;
};

struct EventState {
    int32_t gadget = 0;
    ObjectNumber window = 0; // -1 when the last message came from no toolkit window
    int32_t subtype = 0;     // -1 when the current event has none
    int32_t pending = 0;     // event raised during a dispatch, 0 for none
    EventQueue queue;
    // One dispatch may run several callbacks, each raising an event; the one
    // pending slot would keep only the last, so each is read on a wait of its own.
    std::deque<PostedGadgetEvent> posted;
};

// A gadget event: reported by the wait that dispatches the message raising it.
void EventStateRaiseGadget(EventState& state, int32_t gadget, int32_t subtype);

// Queues a gadget event for its window; dropped for window -1 (one that is
// closing), as a message posted to a destroyed window is, or when memory is short.
void EventStatePostGadget(EventState& state, ObjectNumber window, int32_t gadget, int32_t subtype);
// Makes the oldest posted gadget event the pending one; false when none waits.
bool EventStateTakePosted(EventState& state);

// First half of a wait: clears the subtype, then hands out the oldest queued
// event (with its window) if there is one. Returns 0 when the wait must read
// a message instead.
int32_t EventStateBeginWait(EventState& state);
// Second half, after the message has been dispatched: the gadget event that
// the dispatch (or anything since the last wait) raised, else the message's
// own number.
int32_t EventStateEndWait(EventState& state, uint32_t message);

// A whole wait: a queued event; else a posted gadget event, as MSG_GADGET_EVENT;
// else what the platform's wait reads and dispatches, reporting the first
// gadget event its callbacks posted.
int32_t EventStateWait(EventState& state, uint32_t (*platformWait)());
