#include "toolkit/event_stream.h"

#include "tests/support/memory_shortage.h"
#include "toolkit/windows.h"

#include <gtest/gtest.h>

#include <vector>

// At global scope, where the standard algorithms look for it.
static bool operator==(const QueuedEvent& a, const QueuedEvent& b) {
    return a.code == b.code && a.window == b.window;
}

namespace {

std::vector<QueuedEvent> Drain(EventQueue& queue) {
    std::vector<QueuedEvent> events;
    QueuedEvent event;
    while (EventQueueTake(queue, &event)) {
        events.push_back(event);
    }
    return events;
}

std::string Describe(const std::vector<QueuedEvent>& events) {
    std::string text;
    for (const QueuedEvent& event : events) {
        text += "(" + std::to_string(event.code) + "," + std::to_string(event.window) + ") ";
    }
    return text;
}

struct CollapseCase {
    const char* name;
    std::vector<QueuedEvent> appended;
    std::vector<QueuedEvent> taken;
};

TEST(EventQueue, IdenticalNeighboursWaitAsOne) {
    const CollapseCase cases[] = {
        {"a run collapses", {{16, 0}, {16, 0}, {16, 0}}, {{16, 0}}},
        {"only neighbours collapse", {{16, 0}, {3, 0}, {16, 0}}, {{16, 0}, {3, 0}, {16, 0}}},
        {"another window is another event",
         {{3, 0}, {3, 1}, {3, 1}, {3, 0}},
         {{3, 0}, {3, 1}, {3, 0}}},
        {"runs inside a longer stream",
         {{13104, 0}, {15, 0}, {15, 0}, {3, 0}, {3, 0}, {5, 0}, {15, 0}},
         {{13104, 0}, {15, 0}, {3, 0}, {5, 0}, {15, 0}}},
    };
    for (const CollapseCase& test : cases) {
        EventQueue queue;
        for (const QueuedEvent& event : test.appended) {
            EventQueueAppend(queue, event.code, event.window);
        }
        std::vector<QueuedEvent> taken = Drain(queue);
        EXPECT_TRUE(taken == test.taken) << test.name << "\n expected: " << Describe(test.taken)
                                         << "\n   actual: " << Describe(taken);
    }
}

TEST(EventQueue, AnEventAlreadyReadDoesNotSwallowItsRepeat) {
    EventQueue queue;
    EventQueueAppend(queue, 16, 0);
    EventQueueAppend(queue, 3, 0);
    QueuedEvent event;
    ASSERT_TRUE(EventQueueTake(queue, &event));
    EventQueueAppend(queue, 3, 0);
    ASSERT_TRUE(EventQueueTake(queue, &event));
    EventQueueAppend(queue, 3, 0);
    EXPECT_TRUE(Drain(queue) == std::vector<QueuedEvent>({{3, 0}}));
}

TEST(EventQueue, AnEventWithoutMemoryIsLostAndTheQueueStaysUsable) {
    EventQueue queue;
    {
        MemoryShortage shortage(1);
        EventQueueAppend(queue, 16, 0);
        EventQueueAppend(queue, 3, 0);
        EventQueueAppend(queue, 16, 0); // (3, 0) was lost, so this one collapses
        EXPECT_EQ(shortage.Refused(), 1);
    }
    EventQueueAppend(queue, 5, 0);
    EXPECT_TRUE(Drain(queue) == std::vector<QueuedEvent>({{16, 0}, {5, 0}}));
}

// One wait as EventWait runs it, with `message` read when nothing is queued.
struct Waited {
    int32_t event;
    int32_t window;
    int32_t gadget;
    int32_t subtype;
};

Waited Wait(EventState& state, uint32_t message, void (*dispatch)(EventState&) = nullptr) {
    int32_t event = EventStateBeginWait(state);
    if (!event) {
        if (dispatch) {
            dispatch(state);
        }
        event = EventStateEndWait(state, message);
    }
    return {event, state.window, state.gadget, state.subtype};
}

void ExpectWaited(const Waited& actual, const Waited& expected, const char* step) {
    EXPECT_EQ(actual.event, expected.event) << step;
    EXPECT_EQ(actual.window, expected.window) << step;
    EXPECT_EQ(actual.gadget, expected.gadget) << step;
    EXPECT_EQ(actual.subtype, expected.subtype) << step;
}

TEST(EventState, StartsZeroAndQueuedEventsKeepTheGadget) {
    EventState state;
    EXPECT_EQ(state.gadget, 0);
    EXPECT_EQ(state.window, 0);
    EXPECT_EQ(state.subtype, 0);

    auto clickGadget7 = [](EventState& dispatched) { EventStateRaiseGadget(dispatched, 7, 0); };
    ExpectWaited(Wait(state, 0x111, clickGadget7), {EVENT_GADGET, 0, 7, 0},
                 "gadget raised during dispatch");
    EventQueueAppend(state.queue, EVENT_CLOSE_WINDOW, 2);
    ExpectWaited(Wait(state, 0), {EVENT_CLOSE_WINDOW, 2, 7, -1}, "close keeps the gadget");
    ExpectWaited(Wait(state, 512), {512, 2, 7, -1}, "a message that raised nothing");
}

TEST(EventState, AGadgetEventRaisedBetweenWaits) {
    // Raised outside a wait, it comes after the next message's dispatch with
    // no subtype, and a queued event returned first drops it.
    EventState state;
    EventStateRaiseGadget(state, 4, 0x300);
    ExpectWaited(Wait(state, 15), {EVENT_GADGET, 0, 4, -1}, "reported by the next message wait");

    EventStateRaiseGadget(state, 5, 0x300);
    EventQueueAppend(state.queue, EVENT_MOVE_WINDOW, 0);
    ExpectWaited(Wait(state, 0), {EVENT_MOVE_WINDOW, 0, 5, -1}, "queued event first");
    ExpectWaited(Wait(state, 512), {512, 0, 5, -1}, "the gadget event is gone");
}

} // namespace
