#include "toolkit/code_page.h"

#include <gtest/gtest.h>

namespace {

TEST(CodePage, EveryByteCrossesToUtf8AndBackUnchanged) {
    for (int byte = 1; byte < 256; ++byte) {
        const char text[] = {static_cast<char>(byte), 0};
        EXPECT_EQ(Windows1252FromUtf8(Utf8FromWindows1252(text).c_str()), text) << byte;
    }
    EXPECT_EQ(Utf8FromWindows1252("Men\xFC \x80\x81\x9F"),
              "Men\xC3\xBC \xE2\x82\xAC\xC2\x81\xC5\xB8");
}

TEST(CodePage, WhatWindows1252CannotHoldBecomesQuestionMarks) {
    // A character outside the code page, then a truncated, a stray and an
    // overlong sequence, each in the middle of a text.
    EXPECT_EQ(Windows1252FromUtf8("a\xE2\x86\x92"
                                  "b\xE2\x82"
                                  "c\x80"
                                  "d\xC0\xAF"
                                  "e"),
              "a?b?c?d??e");
}

} // namespace
