// The lines the user added, in order; lives for the whole run.
#pragma once

#include <cstdint>
#include <string>

struct ScriptLine {
    ScriptLine* next = nullptr;
    ScriptLine* previous = nullptr;
    std::string text;
};

// Doubly linked, with a cursor: adding inserts after the cursor and moves
// the cursor onto the new line, so every add after a full walk appends.
struct ScriptList {
    ScriptLine* first = nullptr;
    ScriptLine* last = nullptr;
    int32_t count = 0;
    ScriptLine* cursor = nullptr;
    int32_t cursorIndex = 0; // 1-based; 0 with no cursor
};

void ScriptListAdd(ScriptList& list, const std::string& text);
void ScriptListReset(ScriptList& list);
// The next line (the first when there is no cursor), or nullptr at the end,
// where the cursor stays on the last line.
const ScriptLine* ScriptListStep(ScriptList& list);
