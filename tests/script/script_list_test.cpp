#include "script/script_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The texts from first to last, checking every link and the count on the way.
std::vector<std::string> Contents(const ScriptList& list) {
    std::vector<std::string> texts;
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

std::vector<std::string> Walk(ScriptList& list) {
    std::vector<std::string> texts;
    ScriptListReset(list);
    while (const ScriptLine* line = ScriptListStep(list)) {
        texts.push_back(line->text);
        EXPECT_EQ(list.cursor, line);
        EXPECT_EQ(list.cursorIndex, static_cast<int32_t>(texts.size()));
    }
    return texts;
}

using Texts = std::vector<std::string>;

TEST(ScriptList, AddsAppendInOrderAndKeepRepeats) {
    ScriptList list;
    for (const char* text : {"bind \"q\" \"buy awp\"", "", "x", "bind \"q\" \"buy awp\""}) {
        ScriptListAdd(list, text);
        EXPECT_EQ(list.cursor, list.last);
        EXPECT_EQ(list.cursorIndex, list.count);
    }
    const Texts expected = {"bind \"q\" \"buy awp\"", "", "x", "bind \"q\" \"buy awp\""};
    EXPECT_EQ(Contents(list), expected);
    EXPECT_EQ(Walk(list), expected);
    ScriptListFree(list);
}

TEST(ScriptList, StepStopsOnTheLastLine) {
    ScriptList list;
    EXPECT_EQ(ScriptListStep(list), nullptr);
    EXPECT_EQ(list.cursor, nullptr);
    EXPECT_EQ(list.cursorIndex, 0);

    ScriptListAdd(list, "a");
    ScriptListAdd(list, "b");
    EXPECT_EQ(Walk(list), Texts({"a", "b"}));
    EXPECT_EQ(ScriptListStep(list), nullptr);
    EXPECT_EQ(list.cursor, list.last);
    EXPECT_EQ(list.cursorIndex, 2);

    // After a complete walk the next add appends again.
    ScriptListAdd(list, "c");
    EXPECT_EQ(Contents(list), Texts({"a", "b", "c"}));
    EXPECT_EQ(list.cursorIndex, 3);
    ScriptListFree(list);
}

TEST(ScriptList, AddInsertsAfterTheCursor) {
    ScriptList list;
    ScriptListAdd(list, "b");
    ScriptListAdd(list, "d");

    ScriptListReset(list);
    ScriptListAdd(list, "a");
    EXPECT_EQ(list.cursorIndex, 1);
    EXPECT_EQ(Contents(list), Texts({"a", "b", "d"}));

    ScriptListStep(list);
    ScriptListAdd(list, "c");
    EXPECT_EQ(list.cursorIndex, 3);
    EXPECT_EQ(list.cursor->text, "c");
    EXPECT_EQ(Contents(list), Texts({"a", "b", "c", "d"}));
    EXPECT_EQ(Walk(list), Texts({"a", "b", "c", "d"}));
    ScriptListFree(list);
}

TEST(ScriptList, FreeLeavesAnEmptyUsableList) {
    ScriptList list;
    for (int i = 0; i < 1000; ++i) {
        ScriptListAdd(list, std::string(100, static_cast<char>('a' + i % 26)));
    }
    ScriptListFree(list);
    EXPECT_EQ(list.first, nullptr);
    EXPECT_EQ(list.last, nullptr);
    EXPECT_EQ(list.cursor, nullptr);
    EXPECT_EQ(list.count, 0);
    EXPECT_EQ(list.cursorIndex, 0);

    ScriptListAdd(list, "again");
    EXPECT_EQ(Walk(list), Texts({"again"}));
    ScriptListFree(list);
    ScriptListFree(list);
}

} // namespace
