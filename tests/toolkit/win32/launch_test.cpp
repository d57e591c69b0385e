// Where the link's page goes is the end-to-end tests' to see; what the call
// reports only a caller sees. The test command puts a recording xdg-open
// first on PATH, so no browser starts.
#include "toolkit/launch.h"

#include <gtest/gtest.h>

TEST(DocumentOpenTest, ReportsAWebAddressHandedToTheShell) {
    EXPECT_EQ(DocumentOpen("www.brevolt.example"), 1);
}
