#include "tests/support/toolkit_driver.h"

const EventCodes TOOLKIT_EVENTS = {EVENT_GADGET,      EVENT_CLOSE_WINDOW, EVENT_MOVE_WINDOW,
                                   EVENT_SIZE_WINDOW, EVENT_REPAINT,      EVENT_ACTIVATE_WINDOW};

namespace {

class RuntimeEnvironment : public testing::Environment {
    void TearDown() override { RuntimeEnd(); }
};

} // namespace

void StartToolkitRuntime() {
    static bool started = false;
    if (!started) {
        ASSERT_TRUE(RuntimeStart());
        testing::AddGlobalTestEnvironment(new RuntimeEnvironment);
        started = true;
    }
}

EventTrace Only(const EventTrace& trace, std::initializer_list<int32_t> subtypes) {
    EventTrace kept;
    for (const TracedEvent& event : trace) {
        if (event[0] == EVENT_GADGET &&
            std::find(subtypes.begin(), subtypes.end(), event[3]) != subtypes.end()) {
            kept.push_back(event);
        }
    }
    return kept;
}

bool Keeps(const EventCodes& kept, int32_t event) {
    return std::find(kept.begin(), kept.end(), event) != kept.end();
}
