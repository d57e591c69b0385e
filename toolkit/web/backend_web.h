// What the toolkit's web modules share with each other; not for the program.
// Elements are named by handles, small integers into the page's table
// Module.tk.els; DOM listeners only queue plain records, which a wait reads
// once the program asks for an event: JavaScript never calls into the
// program while it waits.
#pragma once

#include "toolkit/core/backend.h"
#include "toolkit/gadgets.h"

#include <emscripten.h>

#include <cstdint>
#include <string>

// What a DOM listener queues; the fields after the message depend on the kind.
enum RecordKind : int32_t {
    RECORD_REPORT = 1,     // a user's action: handle, gadget, a = subtype
    RECORD_FOCUS = 2,      // from handle and gadget to a (handle) and b (gadget)
    RECORD_TAB = 3,        // window, a = 1 forward, 0 backward
    RECORD_CLOSE = 4,      // window
    RECORD_EDIT = 5,       // handle, gadget: the user changed an output box's text
    RECORD_CALL = 6,       // a = function, b = its argument
    RECORD_BOX_CLOSED = 7, // handle: the message box's dialog
};

struct WebRecord {
    int32_t kind;
    int32_t message; // the Win32 number of the DOM event, what the wait returns
    int32_t window;
    int32_t handle;
    int32_t gadget;
    int32_t a;
    int32_t b;
};

// Reads the next record and returns its message; a call it runs (returning
// WM_TIMER's number, as a wait woken by a timer does). With boxOnly, only a
// box's records and calls, leaving the others for later waits.
uint32_t WebWait(WebRecord& record, bool boxOnly);

// Runs call(context) from a wait, a message box's included, once the page
// has handled what it was doing, as a timer's callback runs in a modal loop.
void WebCallLater(void (*call)(void* context), void* context);

// The page's UTF-8 from one of the program's Windows-1252 texts, and back
// from a string the page allocated (which is freed).
std::string PageText(const char* text);
std::string ProgramText(char* pageText);

// A kind's table, given the entries the kind has; the others stay empty.
struct KindTable : GadgetKindTable {
    explicit KindTable(int32_t kindCode) : GadgetKindTable{} { code = kindCode; }
    KindTable& State(int32_t (*get)(GadgetRecord&), void (*set)(GadgetRecord&, int32_t)) {
        getState = get;
        setState = set;
        return *this;
    }
    KindTable& Text(std::string (*get)(GadgetRecord&), void (*set)(GadgetRecord&, const char*)) {
        getText = get;
        setText = set;
        return *this;
    }
    KindTable& Items(void (*add)(GadgetRecord&, int32_t, const char*, int32_t)) {
        addItem = add;
        return *this;
    }
    KindTable& Freed(void (*release)(GadgetRecord&)) {
        free = release;
        return *this;
    }
    // Text and background colours, stored in the record.
    KindTable& Colours() {
        setColour = KindSetColour;
        getColour = KindGetColour;
        return *this;
    }
};

// Places a new gadget's element in the creation parent's client area and
// registers it with its kind's record; returns what the create operation
// returns. An element that cannot be placed or registered is dropped.
intptr_t GadgetPlace(ObjectNumber number, int32_t x, int32_t y, int32_t width, int32_t height,
                     const GadgetKindTable& kind, int32_t element,
                     int32_t textColour = COLOUR_DEFAULT, void* extra = nullptr);

// The user changed the text of an editable output box.
void OutputBoxEdited(GadgetRecord& record);
