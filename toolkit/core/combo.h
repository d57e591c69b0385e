// The drop-down combo box's rules where the window system does not keep
// them itself (GTK, the web): which entry an index or a text selects, and
// where an item may go in. Platform-free; texts are the program's.
#pragma once

#include <cstdint>
#include <string>

struct GadgetRecord;

// GadgetSetText's answer when no entry matches: the selection stays.
constexpr int32_t COMBO_KEEP_SELECTION = -2;

// The index if it names one of count entries, else -1: none selected.
int32_t ComboIndexToSelect(int32_t index, int32_t count);
// -1 appends and 0 to count inserts before that entry; any other position
// adds nothing.
bool ComboPositionTakes(int32_t position, int32_t count);
// What selecting by text selects: -1 for the empty text, else the first
// entry equal to it regardless of letter case, else COMBO_KEEP_SELECTION.
int32_t ComboEntryForText(const char* text, int32_t count,
                          std::string (*entryAt)(const GadgetRecord&, int32_t),
                          const GadgetRecord& record);
