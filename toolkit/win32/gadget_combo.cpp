// The drop-down list combo box over a USER32 "ComboBox": entries in insertion
// order, at most one selected.
#include "toolkit/win32/gadget_kinds.h"

namespace {

int32_t SelectedIndex(GadgetRecord& record) {
    return static_cast<int32_t>(SendMessageA(ControlOf(record), CB_GETCURSEL, 0, 0));
}

// An index that names no entry leaves none selected, as -1 does; not every
// combo box implementation clears the selection for an index past the end.
void SelectIndex(GadgetRecord& record, int32_t index) {
    const LRESULT count = SendMessageA(ControlOf(record), CB_GETCOUNT, 0, 0);
    const bool names = index >= 0 && index < count;
    SendMessageA(ControlOf(record), CB_SETCURSEL, static_cast<WPARAM>(names ? index : -1), 0);
}

// Matching ignores letter case; an unmatched text keeps the selection.
void SelectByText(GadgetRecord& record, const char* text) {
    if (!*text) {
        SelectIndex(record, -1);
        return;
    }
    const LRESULT index = SendMessageA(ControlOf(record), CB_FINDSTRINGEXACT,
                                       static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
    if (index != CB_ERR) {
        SelectIndex(record, static_cast<int32_t>(index));
    }
}

// -1 appends; a position past the end is refused by the control and adds nothing.
void InsertItem(GadgetRecord& record, int32_t position, const char* text, int32_t) {
    if (position < -1) {
        return;
    }
    SendMessageA(ControlOf(record), CB_INSERTSTRING, static_cast<WPARAM>(position),
                 reinterpret_cast<LPARAM>(text));
}

const GadgetKindTable& ComboKind() {
    static const GadgetKindTable table = [] {
        GadgetKindTable kind{};
        kind.code = KIND_COMBO;
        kind.getState = SelectedIndex;
        kind.setState = SelectIndex;
        kind.setText = SelectByText;
        kind.addItem = InsertItem;
        return kind;
    }();
    return table;
}

} // namespace

intptr_t ComboCreate(ObjectNumber number, int32_t x, int32_t y, int32_t width, int32_t height) {
    const GadgetPlan plan = {&ComboKind(),
                             "ComboBox",
                             nullptr,
                             WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | WS_BORDER |
                                 WS_VSCROLL | CBS_DROPDOWNLIST | CBS_HASSTRINGS,
                             WS_EX_CLIENTEDGE,
                             COLOUR_DEFAULT,
                             COLOUR_DEFAULT,
                             nullptr,
                             nullptr};
    return GadgetCreate(number, x, y, width, height, plan);
}
