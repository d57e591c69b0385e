#include "toolkit/number_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <random>

namespace {

TEST(NumberToTextTest, AgreesWithPrintfOnExtremesAndRandomValues) {
    const int32_t extremes[] = {0, -7, 10, INT32_MAX, INT32_MIN};
    std::mt19937 random(7);
    for (int i = 0; i < 10000; ++i) {
        const int32_t value =
            i < 5 ? extremes[i] : static_cast<int32_t>(random()) >> (random() % 32);
        char expected[16];
        std::snprintf(expected, sizeof expected, "%ld", static_cast<long>(value));
        ASSERT_EQ(NumberToText(value), expected);
    }
}

} // namespace
