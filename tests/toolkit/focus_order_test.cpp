#include "toolkit/focus_order.h"

#include <gtest/gtest.h>

namespace {

// Controls 1 to 6 in enumeration order; 2 and 5 are not eligible (a label, a
// disabled button and the like).
const std::vector<FocusEntry> kControls = {{1, true}, {2, false}, {3, true},
                                           {4, true}, {5, false}, {6, true}};
const std::vector<FocusEntry> kLeadingIneligible = {{1, false}, {2, true}, {3, true}, {4, false}};

struct FocusCase {
    const char* name;
    const std::vector<FocusEntry>& controls;
    intptr_t current;
    intptr_t next;
    intptr_t previous;
};

TEST(FocusOrder, TabAndShiftTabTargets) {
    const std::vector<FocusEntry> none;
    const std::vector<FocusEntry> single = {{1, false}, {7, true}};
    const FocusCase cases[] = {
        {"no focus", kControls, 0, 1, 6},
        {"first", kControls, 1, 3, 6},
        {"skips the ineligible", kControls, 3, 4, 1},
        {"last wraps", kControls, 6, 1, 4},
        {"focus on an ineligible control", kControls, 5, 0, 6},
        {"focus outside the list", kControls, 99, 0, 6},
        {"ineligible ends: no focus", kLeadingIneligible, 0, 2, 3},
        {"ineligible ends: last", kLeadingIneligible, 3, 2, 2},
        {"one eligible control keeps it", single, 7, 7, 7},
        {"nothing eligible", none, 0, 0, 0},
    };
    for (const FocusCase& test : cases) {
        EXPECT_EQ(FocusNextTarget(test.controls, test.current), test.next) << test.name;
        EXPECT_EQ(FocusPreviousTarget(test.controls, test.current), test.previous) << test.name;
    }
}

} // namespace
