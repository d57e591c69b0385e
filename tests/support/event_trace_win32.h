// Records what EventWait returns as (event, window, gadget, subtype) tuples
// so tests can compare whole sequences. Every wait is bounded: a thread timer
// wakes EventWait while the queue is idle, so a missing event fails a test
// instead of hanging it.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct TracedEvent {
    int32_t event;
    int32_t window;
    int32_t gadget;
    int32_t subtype;
};
bool operator==(const TracedEvent& a, const TracedEvent& b);
using EventTrace = std::vector<TracedEvent>;

// The six named event codes.
const std::vector<int32_t>& ToolkitEvents();

// Waits until every message posted so far (and what their handling raised)
// has come out of EventWait, keeping the events whose code is in `kept`.
EventTrace TraceUntilIdle(const std::vector<int32_t>& kept = ToolkitEvents());

// Waits until `done` holds for the events kept so far, or the deadline passes.
EventTrace TraceUntil(const std::function<bool(const EventTrace&)>& done,
                      const std::vector<int32_t>& kept = ToolkitEvents());

// Keeps waiting for events (and throwing them away) until `done()` holds;
// false when the deadline passed first.
bool WaitUntil(const std::function<bool()>& done);

std::string DescribeTrace(const EventTrace& trace);
// Compares two traces whole; on a mismatch shows both, one tuple a line.
testing::AssertionResult SameTrace(const EventTrace& expected, const EventTrace& actual);

// Starts the toolkit runtime unless it runs already; when this starts it,
// RuntimeEnd runs once the program's tests are over.
void StartToolkitRuntime();
