// The gadget library's platform-free half: the gadget registry, the creation
// context, registration of the controls a backend makes, and the generic
// operations that look a number up and call its kind's entry.
#include "toolkit/gadgets.h"
#include "toolkit/core/backend.h"

#include <cstdio>

namespace {

// What a window system that reports through callbacks needs to know of a
// kind: whether Tab visits it, and what it reports when it gains or loses
// the focus, in order (0 ends). Win32 controls say so themselves.
struct KindFocus {
    int32_t code;
    bool tabStop;
    int32_t gained[2];
    int32_t lost[2];
};

const KindFocus kindFocus[] = {
    {KIND_BUTTON, true, {}, {}},
    {KIND_OUTPUT_BOX,
     true,
     {SUBTYPE_EDIT_FOCUS_GAINED, SUBTYPE_FOCUS_GAINED},
     {SUBTYPE_EDIT_FOCUS_LOST, SUBTYPE_FOCUS_LOST}},
    {KIND_CHECK_BOX, true, {}, {}},
    {KIND_COMBO, true, {SUBTYPE_COMBO_FOCUS_GAINED}, {SUBTYPE_COMBO_FOCUS_LOST}},
};

constexpr int32_t GADGET_GROWTH_STEP = 50;

ObjectRegistry<GadgetRecord> gadgets;
intptr_t creationParent;
// Non-zero while the program changes a gadget through an operation below;
// a control that reports such a change from a callback is not heard.
int programChanges;

class ProgramChange {
  public:
    ProgramChange() { ++programChanges; }
    ~ProgramChange() { --programChanges; }
    ProgramChange(const ProgramChange&) = delete;
    ProgramChange& operator=(const ProgramChange&) = delete;
};

const KindFocus* FocusOfKind(const GadgetKindTable& kind) {
    for (const KindFocus& focus : kindFocus) {
        if (focus.code == kind.code) {
            return &focus;
        }
    }
    return nullptr;
}

void PostFocusReports(ObjectNumber window, const GadgetRecord& record,
                      const int32_t (&reports)[2]) {
    for (int32_t subtype : reports) {
        if (subtype) {
            WindowPostGadgetEvent(window, record.number, subtype);
        }
    }
}

// Claiming a live number destroys the old control; its clean-up releases the number.
void DestroyLiveGadget(ObjectNumber number) {
    if (const GadgetRecord* record = RegistryLookup(gadgets, number)) {
        PlatformGadgetDestroy(record->handle);
    }
}

} // namespace

// Safe to run again: the registry of an earlier start is kept, not lost.
bool GadgetLibraryInit() {
    if (!gadgets.slots && !RegistryCreate(gadgets, GADGET_GROWTH_STEP, DestroyLiveGadget)) {
        return false;
    }
    creationParent = 0;
    PlatformGadgetLibraryStart();
    return true;
}

intptr_t GadgetListBegin(intptr_t parent) {
    creationParent = parent;
    return parent;
}

intptr_t GadgetParent() {
    return creationParent;
}

intptr_t GadgetAdd(ObjectNumber number, const GadgetRecord& made) {
    ObjectNumber claimed = number;
    GadgetRecord* record = RegistryClaim(gadgets, number, &claimed);
    if (!record) {
        PlatformGadgetDiscard(made.handle);
        return 0;
    }
    *record = made;
    record->number = claimed;
    PlatformGadgetAttach(*record, claimed);
    return RegistryCreateResult(number, claimed, made.handle);
}

GadgetRecord* GadgetOfControl(ObjectNumber number, intptr_t control) {
    GadgetRecord* record = RegistryLookup(gadgets, number);
    return record && record->handle == control ? record : nullptr;
}

void GadgetDestroyed(ObjectNumber number, intptr_t control) {
    GadgetRecord* record = GadgetOfControl(number, control);
    if (!record) {
        return;
    }
    if (record->kind->free) {
        record->kind->free(*record);
    }
    RegistryRelease(gadgets, number);
}

int32_t GadgetAddItem(ObjectNumber number, int32_t position, const char* text) {
    GadgetRecord* record = RegistryLookup(gadgets, number);
    if (!record) {
        return 0;
    }
    const char* item = text ? text : "";
    const ProgramChange quietly;
    if (record->kind->addItemEx) {
        record->kind->addItemEx(*record, position, item, 0, 0);
    } else if (record->kind->addItem) {
        record->kind->addItem(*record, position, item, 0);
    }
    return 0;
}

void GadgetSetState(ObjectNumber number, int32_t value) {
    GadgetRecord* record = RegistryLookup(gadgets, number);
    if (record && record->kind->setState) {
        const ProgramChange quietly;
        record->kind->setState(*record, value);
    }
}

int32_t GadgetGetState(ObjectNumber number) {
    GadgetRecord* record = RegistryLookup(gadgets, number);
    return record && record->kind->getState ? record->kind->getState(*record) : 0;
}

std::string GadgetGetText(ObjectNumber number) {
    GadgetRecord* record = RegistryLookup(gadgets, number);
    if (!record) {
        return std::string();
    }
    return record->kind->getText ? record->kind->getText(*record) : PlatformGadgetText(*record);
}

void GadgetSetText(ObjectNumber number, const char* text) {
    GadgetRecord* record = RegistryLookup(gadgets, number);
    if (!record) {
        return;
    }
    const char* replacement = text ? text : "";
    const ProgramChange quietly;
    if (record->kind->setText) {
        record->kind->setText(*record, replacement);
    } else {
        PlatformGadgetSetText(*record, replacement);
    }
}

void GadgetSetColour(ObjectNumber number, int32_t which, int32_t colour) {
    GadgetRecord* record = RegistryLookup(gadgets, number);
    if (record && record->kind->setColour) {
        record->kind->setColour(*record, which, colour);
    }
}

int32_t GadgetGetColour(ObjectNumber number, int32_t which) {
    GadgetRecord* record = RegistryLookup(gadgets, number);
    return record && record->kind->getColour ? record->kind->getColour(*record, which)
                                             : COLOUR_DEFAULT;
}

void KindSetColour(GadgetRecord& record, int32_t which, int32_t colour) {
    if (which == COLOUR_TEXT) {
        record.textColour = colour;
    } else if (which == COLOUR_BACKGROUND) {
        record.background = colour;
    }
    PlatformGadgetRecolour(record, which);
}

int32_t KindGetColour(GadgetRecord& record, int32_t which) {
    switch (which) {
    case COLOUR_TEXT:
        return record.textColour;
    case COLOUR_BACKGROUND:
        return record.background;
    default:
        return COLOUR_DEFAULT;
    }
}

std::string CssColour(int32_t colour) {
    char css[8];
    std::snprintf(css, sizeof css, "#%02x%02x%02x", colour & 0xFF, (colour >> 8) & 0xFF,
                  (colour >> 16) & 0xFF);
    return css;
}

void GadgetReport(ObjectNumber window, ObjectNumber gadget, int32_t subtype) {
    if (!programChanges) {
        WindowPostGadgetEvent(window, gadget, subtype);
    }
}

bool KindIsTabStop(const GadgetKindTable& kind) {
    const KindFocus* focus = FocusOfKind(kind);
    return focus && focus->tabStop;
}

void GadgetFocusMoved(ObjectNumber window, const GadgetRecord* from, const GadgetRecord* to) {
    if (from == to) {
        return;
    }
    if (const KindFocus* focus = from ? FocusOfKind(*from->kind) : nullptr) {
        PostFocusReports(window, *from, focus->lost);
    }
    if (const KindFocus* focus = to ? FocusOfKind(*to->kind) : nullptr) {
        PostFocusReports(window, *to, focus->gained);
    }
}
