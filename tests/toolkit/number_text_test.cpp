#include "toolkit/number_text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>

namespace {

TEST(NumberToTextTest, WritesExtremesAndSmallValues) {
    EXPECT_EQ(NumberToText(0), "0");
    EXPECT_EQ(NumberToText(4), "4");
    EXPECT_EQ(NumberToText(-7), "-7");
    EXPECT_EQ(NumberToText(10), "10");
    EXPECT_EQ(NumberToText(2147483647), "2147483647");
    EXPECT_EQ(NumberToText(INT32_MIN), "-2147483648");
}

TEST(NumberToTextTest, AgreesWithPrintfOverRandomValues) {
    std::mt19937 random(7);
    for (int i = 0; i < 10000; ++i) {
        const auto value = static_cast<int32_t>(random()) >> (random() % 32);
        char expected[16];
        std::snprintf(expected, sizeof expected, "%ld", static_cast<long>(value));
        ASSERT_EQ(NumberToText(value), expected);
    }
}

} // namespace
