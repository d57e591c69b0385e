#include "script/script_list.h"

void ScriptListAdd(ScriptList& list, const std::string& text) {
    ScriptLine* line = new ScriptLine{nullptr, list.cursor, text};
    if (list.cursor == nullptr) {
        line->next = list.first;
        list.first = line;
    } else {
        line->next = list.cursor->next;
        list.cursor->next = line;
    }
    if (line->next == nullptr) {
        list.last = line;
    } else {
        line->next->previous = line;
    }
    list.cursor = line;
    ++list.cursorIndex;
    ++list.count;
}

void ScriptListReset(ScriptList& list) {
    list.cursor = nullptr;
    list.cursorIndex = 0;
}

const ScriptLine* ScriptListStep(ScriptList& list) {
    ScriptLine* next = list.cursor == nullptr ? list.first : list.cursor->next;
    if (next == nullptr) {
        return nullptr;
    }
    list.cursor = next;
    ++list.cursorIndex;
    return next;
}
