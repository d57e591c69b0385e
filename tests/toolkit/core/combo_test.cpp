#include "toolkit/core/backend.h"
#include "toolkit/core/combo.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::vector<std::string> entries = {"< none >", "Kevlar", "Kevlar & Helmet", "\xC9t\xE9",
                                          "\x8A"};

std::string EntryAt(const GadgetRecord&, int32_t index) {
    return entries[static_cast<size_t>(index)];
}

TEST(Combo, TextSelectsTheWholeEntryRegardlessOfCase) {
    const GadgetRecord record{};
    const struct {
        const char* text;
        int32_t selected;
    } cases[] = {{"", -1},
                 {"kevlar", 1},
                 {"KEVLAR & HELMET", 2},
                 {"Kevlar ", COMBO_KEEP_SELECTION},
                 {"Kev", COMBO_KEEP_SELECTION},
                 {"\xE9T\xC9", 3},
                 {"\x9A", 4},
                 {"\xD7", COMBO_KEEP_SELECTION}};
    for (const auto& test : cases) {
        EXPECT_EQ(
            ComboEntryForText(test.text, static_cast<int32_t>(entries.size()), EntryAt, record),
            test.selected)
            << test.text;
    }
}

TEST(Combo, IndexesAndPositionsOutsideTheListSelectOrAddNothing) {
    EXPECT_EQ(ComboIndexToSelect(2, 3), 2);
    EXPECT_EQ(ComboIndexToSelect(3, 3), -1);
    EXPECT_EQ(ComboIndexToSelect(-5, 3), -1);
    EXPECT_TRUE(ComboPositionTakes(-1, 0) && ComboPositionTakes(3, 3));
    EXPECT_FALSE(ComboPositionTakes(4, 3) || ComboPositionTakes(-2, 3));
}

} // namespace
