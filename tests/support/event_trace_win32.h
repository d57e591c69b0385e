// Drives toolkit windows for the GUI tests: records what EventWait returns as
// (event, window, gadget, subtype) tuples. Every wait is bounded, so a missing
// event fails a test instead of hanging it.
#pragma once

#include "toolkit/registry.h"
#include "toolkit/windows.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <cstdint>
#include <vector>

using TracedEvent = std::array<int32_t, 4>; // event, window, gadget, subtype
using EventTrace = std::vector<TracedEvent>;
using EventCodes = std::vector<int32_t>;

// The six named events.
extern const EventCodes TOOLKIT_EVENTS;

// Calls EventWait until every message given to the thread so far and what it
// raised has come out; keeps the events in `kept`. Paints of `window` are
// carried out rather than waited for.
EventTrace Settle(const EventCodes& kept = TOOLKIT_EVENTS, HWND window = nullptr);

// Starts the toolkit runtime once; it ends when the program's tests are over.
void StartToolkitRuntime();

inline HWND HandleOf(intptr_t created) {
    return reinterpret_cast<HWND>(created);
}

// Toolkit window 3 with the program's flags, taking the gadgets a test makes.
class GadgetWindowTest : public testing::Test {
  protected:
    static constexpr ObjectNumber WINDOW = 3;
    void SetUp() override;
    void TearDown() override { WindowClose(WINDOW); }
    EventTrace GadgetEvents() { return Settle({EVENT_GADGET}, window); }
    static TracedEvent Reported(ObjectNumber gadget, int32_t subtype) {
        return {EVENT_GADGET, WINDOW, gadget, subtype};
    }
    HWND window = nullptr;
};
