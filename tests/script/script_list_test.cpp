#include "script/script_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

// The texts from first to last, checking every link and the count on the way.
Texts Contents(const ScriptList& list) {
    Texts texts;
    const ScriptLine* previous = nullptr;
    for (const ScriptLine* line = list.first; line != nullptr; line = line->next) {
        EXPECT_EQ(line->previous, previous);
        texts.push_back(line->text);
        previous = line;
    }
    EXPECT_EQ(list.last, previous);
    EXPECT_EQ(list.count, static_cast<int32_t>(texts.size()));
    return texts;
}

// A full walk from a reset; the cursor ends on the last line.
Texts Walk(ScriptList& list) {
    Texts texts;
    ScriptListReset(list);
    while (const ScriptLine* line = ScriptListStep(list)) {
        texts.push_back(line->text);
        EXPECT_EQ(list.cursor, line);
        EXPECT_EQ(list.cursorIndex, static_cast<int32_t>(texts.size()));
    }
    EXPECT_EQ(list.cursor, list.last);
    EXPECT_EQ(list.cursorIndex, list.count);
    return texts;
}

TEST(ScriptList, AddGoesAfterTheCursorAndMovesItThere) {
    ScriptList list;
    EXPECT_EQ(Walk(list), Texts());
    for (const char* text : {"b", "", "b"}) { // repeats and empty texts are kept
        ScriptListAdd(list, text);
        EXPECT_EQ(list.cursor, list.last);
        EXPECT_EQ(list.cursorIndex, list.count);
    }
    ScriptListReset(list);
    EXPECT_EQ(list.cursorIndex, 0);
    ScriptListAdd(list, "a");
    EXPECT_EQ(list.cursorIndex, 1);
    ScriptListStep(list);
    ScriptListAdd(list, "c");
    EXPECT_EQ(list.cursorIndex, 3);
    EXPECT_EQ(list.cursor->text, "c");
    EXPECT_EQ(Contents(list), Texts({"a", "b", "c", "", "b"}));
    // After a full walk the next add appends.
    EXPECT_EQ(Walk(list), Texts({"a", "b", "c", "", "b"}));
    EXPECT_EQ(ScriptListStep(list), nullptr);
    ScriptListAdd(list, "d");
    EXPECT_EQ(Contents(list), Texts({"a", "b", "c", "", "b", "d"}));

    ScriptListFree(list);
    EXPECT_EQ(list.first, nullptr);
    EXPECT_EQ(list.cursor, nullptr);
    EXPECT_EQ(list.cursorIndex, 0);
    EXPECT_EQ(Contents(list), Texts());
    ScriptListAdd(list, "again");
    EXPECT_EQ(Walk(list), Texts({"again"}));
    ScriptListFree(list);
    ScriptListFree(list);
}

} // namespace
