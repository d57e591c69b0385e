#include "toolkit/core/event_stream.h"

#include "toolkit/windows.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using Events = std::vector<std::pair<int32_t, ObjectNumber>>; // (code, window)

void Drain(EventQueue& queue, Events& events) {
    QueuedEvent event;
    while (EventQueueTake(queue, &event)) {
        events.emplace_back(event.code, event.window);
    }
}

// Takes one event in the middle of the stream.
constexpr std::pair<int32_t, ObjectNumber> TAKE = {0, 0};

struct CollapseCase {
    const char* name;
    Events appended;
    Events taken;
};

TEST(EventQueue, IdenticalNeighboursWaitAsOne) {
    const CollapseCase cases[] = {
        {"a run collapses", {{16, 0}, {16, 0}, {16, 0}}, {{16, 0}}},
        {"only neighbours collapse", {{16, 0}, {3, 0}, {16, 0}}, {{16, 0}, {3, 0}, {16, 0}}},
        {"another window is another event",
         {{3, 0}, {3, 1}, {3, 1}, {3, 0}},
         {{3, 0}, {3, 1}, {3, 0}}},
        {"a taken event does not swallow its repeat",
         {{16, 0}, {3, 0}, TAKE, {3, 0}, TAKE, TAKE, {3, 0}},
         {{16, 0}, {3, 0}, {3, 0}}},
    };
    for (const CollapseCase& test : cases) {
        EventQueue queue;
        Events taken;
        for (const auto& [code, window] : test.appended) {
            QueuedEvent early;
            if (code != TAKE.first) {
                EventQueueAppend(queue, code, window);
            } else if (EventQueueTake(queue, &early)) {
                taken.emplace_back(early.code, early.window);
            }
        }
        Drain(queue, taken);
        EXPECT_EQ(taken, test.taken) << test.name;
    }
}

// One wait as EventWait runs it, with `message` read when nothing is queued;
// gives (event, window, gadget, subtype).
std::vector<int32_t> Wait(EventState& state, uint32_t message, int32_t raisedGadget = 0) {
    int32_t event = EventStateBeginWait(state);
    if (!event) {
        if (raisedGadget) {
            EventStateRaiseGadget(state, raisedGadget, 0); // by the message's dispatch
        }
        event = EventStateEndWait(state, message);
    }
    return {event, state.window, state.gadget, state.subtype};
}

TEST(EventState, GadgetEventsDuringAndBetweenWaits) {
    using W = std::vector<int32_t>;
    EventState state;
    EXPECT_EQ(Wait(state, 512), W({512, 0, 0, -1})) << "a fresh state holds nothing";
    EXPECT_EQ(Wait(state, 0x111, 7), W({EVENT_GADGET, 0, 7, 0}));
    EventQueueAppend(state.queue, EVENT_CLOSE_WINDOW, 2);
    EXPECT_EQ(Wait(state, 0), W({EVENT_CLOSE_WINDOW, 2, 7, -1})) << "queued events keep the gadget";
    EXPECT_EQ(Wait(state, 512), W({512, 2, 7, -1})) << "a message that raised nothing";

    // Raised outside a wait, it comes after the next message's dispatch with
    // no subtype, and a queued event returned first drops it.
    EventStateRaiseGadget(state, 4, 0x300);
    EXPECT_EQ(Wait(state, 15), W({EVENT_GADGET, 2, 4, -1}));
    EventStateRaiseGadget(state, 5, 0x300);
    EventQueueAppend(state.queue, EVENT_MOVE_WINDOW, 0);
    EXPECT_EQ(Wait(state, 0), W({EVENT_MOVE_WINDOW, 0, 5, -1}));
    EXPECT_EQ(Wait(state, 512), W({512, 0, 5, -1})) << "the gadget event is gone";
}

// What one platform wait posts from its callbacks, and the message it reads.
EventState* waitingState;
std::vector<PostedGadgetEvent> postedByNextWait;

uint32_t PlatformWaitPosting() {
    for (const PostedGadgetEvent& event : postedByNextWait) {
        EventStatePostGadget(*waitingState, event.window, event.gadget, event.subtype);
    }
    postedByNextWait.clear();
    return 0x202;
}

TEST(EventState, PostedGadgetEventsComeOneAWaitBeforeThePlatformIsAskedAgain) {
    using W = std::vector<int32_t>;
    EventState state;
    waitingState = &state;
    postedByNextWait = {{1, 8, 0}, {-1, 9, 0}, {1, 10, 3}};
    std::vector<W> waits;
    for (int i = 0; i < 4; ++i) {
        const int32_t event = EventStateWait(state, PlatformWaitPosting);
        waits.push_back({event, state.window, state.gadget, state.subtype});
        if (i == 0) {
            EventQueueAppend(state.queue, EVENT_MOVE_WINDOW, 2);
        }
    }
    // Queued events still come first; a closing window's event is dropped.
    EXPECT_EQ(waits, std::vector<W>({{EVENT_GADGET, 1, 8, 0},
                                     {EVENT_MOVE_WINDOW, 2, 8, -1},
                                     {EVENT_GADGET, 1, 10, 3},
                                     {0x202, 1, 10, -1}}));
}

} // namespace
