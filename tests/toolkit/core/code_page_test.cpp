#include "toolkit/core/code_page.h"

#include <gtest/gtest.h>

namespace {

TEST(CodePage, EveryByteCrossesToUtf8AndBackUnchanged) {
    for (int byte = 1; byte < 256; ++byte) {
        const char text[] = {static_cast<char>(byte), 0};
        EXPECT_EQ(Windows1252FromUtf8(Utf8FromWindows1252(text).c_str()), text) << byte;
    }
    EXPECT_EQ(Utf8FromWindows1252("Men\xFC \x80\x81\x9F"),
              "Men\xC3\xBC \xE2\x82\xAC\xC2\x81\xC5\xB8");
    // Outside the code page, then a truncated and a stray sequence.
    EXPECT_EQ(Windows1252FromUtf8("a\xE2\x86\x92"
                                  "b\xE2\x82"
                                  "c\x80"
                                  "d"),
              "a?b?c?d");
}

} // namespace
