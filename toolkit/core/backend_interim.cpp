// Interim stand-ins for the core's shared backend rules.
#include "toolkit/core/backend.h"
#include "toolkit/gadgets.h"
#include "toolkit/windows.h"

#include <cctype>
#include <cstdio>
#include <deque>

namespace {

struct Posted {
    ObjectNumber window;
    int32_t gadget;
    int32_t subtype;
};

std::deque<Posted> posted;

bool SameRegardlessOfCase(const std::string& a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return i == a.size() && !b[i];
}

} // namespace

void WindowPostGadgetEvent(ObjectNumber window, int32_t gadget, int32_t subtype) {
    if (window != -1) {
        posted.push_back({window, gadget, subtype});
    }
}

bool TakePostedGadgetEvent() {
    if (posted.empty()) {
        return false;
    }
    const Posted event = posted.front();
    posted.pop_front();
    WindowEventSource(event.window);
    WindowEventGadget(event.gadget, event.subtype);
    return true;
}

void GadgetReport(ObjectNumber window, ObjectNumber gadget, int32_t subtype) {
    WindowPostGadgetEvent(window, gadget, subtype);
}

bool KindIsTabStop(const GadgetKindTable& kind) {
    return kind.code == KIND_BUTTON || kind.code == KIND_OUTPUT_BOX ||
           kind.code == KIND_CHECK_BOX || kind.code == KIND_COMBO;
}

void GadgetFocusMoved(ObjectNumber window, const GadgetRecord* from, const GadgetRecord* to) {
    if (from == to) {
        return;
    }
    if (from && from->kind->code == KIND_OUTPUT_BOX) {
        WindowPostGadgetEvent(window, from->number, SUBTYPE_EDIT_FOCUS_LOST);
        WindowPostGadgetEvent(window, from->number, SUBTYPE_FOCUS_LOST);
    } else if (from && from->kind->code == KIND_COMBO) {
        WindowPostGadgetEvent(window, from->number, SUBTYPE_COMBO_FOCUS_LOST);
    }
    if (to && to->kind->code == KIND_OUTPUT_BOX) {
        WindowPostGadgetEvent(window, to->number, SUBTYPE_EDIT_FOCUS_GAINED);
        WindowPostGadgetEvent(window, to->number, SUBTYPE_FOCUS_GAINED);
    } else if (to && to->kind->code == KIND_COMBO) {
        WindowPostGadgetEvent(window, to->number, SUBTYPE_COMBO_FOCUS_GAINED);
    }
}

int32_t ComboIndexToSelect(int32_t index, int32_t count) {
    return index >= 0 && index < count ? index : -1;
}

bool ComboPositionTakes(int32_t position, int32_t count) {
    return position >= -1 && position <= count;
}

int32_t ComboEntryForText(const char* text, int32_t count,
                          std::string (*entryAt)(const GadgetRecord&, int32_t),
                          const GadgetRecord& record) {
    if (!*text) {
        return -1;
    }
    for (int32_t i = 0; i < count; ++i) {
        if (SameRegardlessOfCase(entryAt(record, i), text)) {
            return i;
        }
    }
    return COMBO_KEEP_SELECTION;
}

std::string CssColour(int32_t colour) {
    char css[8];
    std::snprintf(css, sizeof css, "#%02x%02x%02x", colour & 0xFF, (colour >> 8) & 0xFF,
                  (colour >> 16) & 0xFF);
    return css;
}
