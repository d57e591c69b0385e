// The gadget library's common part: the registry of gadgets, the creation
// steps shared by every kind, the generic operations and the handler that
// every gadget's control meets first.
#include "toolkit/brush_cache.h"
#include "toolkit/gadget_kinds_win32.h"
#include "toolkit/toolkit_win32.h"

#include <commctrl.h>

namespace {

constexpr int32_t GADGET_GROWTH_STEP = 50;
// Tab, date, extended combo box and internet address classes.
constexpr DWORD EXTENDED_CONTROL_CLASSES = 0xB08;
constexpr char GADGET_ID_PROPERTY[] = "TK_ID";
constexpr LONG CLEANED_UP_ID = -1;

struct CreationContext {
    HWND parent;
    HFONT font;
};

ObjectRegistry<GadgetRecord> gadgets;
CreationContext creation;
BrushCache brushes;

BrushHandle CreatePlatformBrush(int32_t colour) {
    return reinterpret_cast<BrushHandle>(CreateSolidBrush(static_cast<COLORREF>(colour)));
}

void DestroyPlatformBrush(BrushHandle brush) {
    DeleteObject(reinterpret_cast<HBRUSH>(brush));
}

// Claiming a live number destroys the old control; its clean-up releases the number.
void DestroyLiveGadget(ObjectNumber number) {
    if (const GadgetRecord* record = RegistryLookup(gadgets, number)) {
        DestroyWindow(record->handle);
    }
}

LRESULT CALLBACK GadgetCommonHandler(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    const LONG number = GetWindowLongA(control, GWL_ID);
    const GadgetRecord* record =
        number == CLEANED_UP_ID ? nullptr : RegistryLookup(gadgets, number);
    if (!record || record->handle != control) {
        return DefWindowProcA(control, message, wParam, lParam);
    }
    const LRESULT result = CallWindowProcA(record->previous, control, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // Look again: the record may have moved while the control handled the message.
        GadgetRecord* live = RegistryLookup(gadgets, number);
        const bool ours = live && live->handle == control;
        if (ours && live->kind->free) {
            live->kind->free(*live);
        }
        RemovePropA(control, GADGET_ID_PROPERTY);
        SetWindowLongA(control, GWL_ID, CLEANED_UP_ID);
        if (ours) {
            RegistryRelease(gadgets, number);
        }
    }
    return result;
}

} // namespace

// Safe to run again: the registry of an earlier start is kept, not lost.
bool GadgetLibraryInit() {
    BrushCacheInit(brushes, BrushFactory{CreatePlatformBrush, DestroyPlatformBrush});
    const auto font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    if (!gadgets.slots && !RegistryCreate(gadgets, GADGET_GROWTH_STEP, DestroyLiveGadget)) {
        return false;
    }
    creation = CreationContext{nullptr, font};
    INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), EXTENDED_CONTROL_CLASSES};
    InitCommonControlsEx(&classes);
    return true;
}

intptr_t GadgetListBegin(intptr_t parent) {
    creation.parent = reinterpret_cast<HWND>(parent);
    return parent;
}

GadgetCreated GadgetCreate(ObjectNumber number, int32_t x, int32_t y, int32_t width, int32_t height,
                           const GadgetPlan& plan) {
    HWND control = CreateWindowExA(plan.extendedStyle, plan.className, plan.text ? plan.text : "",
                                   plan.style, x, y, width, height, creation.parent, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
    if (!control) {
        return GadgetCreated{nullptr, number};
    }
    ObjectNumber claimed = number;
    GadgetRecord* record = RegistryClaim(gadgets, number, &claimed);
    if (!record) {
        DestroyWindow(control);
        return GadgetCreated{nullptr, number};
    }
    if (plan.setUp) {
        plan.setUp(control);
    }
    *record = GadgetRecord{control,         plan.kind, nullptr,   plan.background,
                           plan.textColour, nullptr,   plan.extra};
    record->previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GadgetCommonHandler)));
    SetWindowLongA(control, GWL_ID, claimed);
    SetPropA(control, GADGET_ID_PROPERTY, reinterpret_cast<HANDLE>(static_cast<intptr_t>(claimed)));
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(creation.font), TRUE);
    return GadgetCreated{control, claimed};
}

intptr_t GadgetCreateResult(ObjectNumber requested, const GadgetCreated& created) {
    if (!created.control) {
        return 0;
    }
    return requested == NUMBER_ANY ? created.number : reinterpret_cast<intptr_t>(created.control);
}

GadgetRecord* GadgetOfControl(HWND control) {
    GadgetRecord* record = RegistryLookup(gadgets, GetWindowLongA(control, GWL_ID));
    return record && record->handle == control ? record : nullptr;
}

HFONT GadgetFont() {
    return creation.font;
}

LRESULT GadgetOfferMessage(HWND control, HWND parent, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!control) {
        return NOT_HANDLED_RESULT;
    }
    const LONG number = GetWindowLongA(control, GWL_ID);
    if (reinterpret_cast<intptr_t>(GetPropA(control, GADGET_ID_PROPERTY)) != number) {
        return NOT_HANDLED_RESULT;
    }
    GadgetRecord* record = RegistryLookup(gadgets, number);
    if (!record || record->handle != control || !record->kind->messageHook) {
        return NOT_HANDLED_RESULT;
    }
    return record->kind->messageHook(*record, parent, message, wParam, lParam);
}

HWND OwningWindowOf(HWND control) {
    HWND window = control;
    while (!GetPropA(window, WINDOW_ID_PROPERTY)) {
        HWND parent = GetParent(window);
        if (!parent) {
            break;
        }
        window = parent;
    }
    return window;
}

void GadgetPostEvent(HWND control, int32_t subtype) {
    PostMessageA(OwningWindowOf(control), MSG_GADGET_EVENT,
                 static_cast<WPARAM>(GetWindowLongA(control, GWL_ID)), subtype);
}

int32_t GadgetAddItem(ObjectNumber number, int32_t position, const char* text) {
    GadgetRecord* record = RegistryLookup(gadgets, number);
    if (!record) {
        return 0;
    }
    const char* item = text ? text : "";
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
    if (record->kind->getText) {
        return record->kind->getText(*record);
    }
    HWND control = record->handle;
    std::string text(static_cast<size_t>(GetWindowTextLengthA(control)) + 1, '\0');
    text.resize(
        static_cast<size_t>(GetWindowTextA(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

void GadgetSetText(ObjectNumber number, const char* text) {
    GadgetRecord* record = RegistryLookup(gadgets, number);
    if (!record) {
        return;
    }
    const char* replacement = text ? text : "";
    if (record->kind->setText) {
        record->kind->setText(*record, replacement);
    } else {
        SetWindowTextA(record->handle, replacement);
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
    if (which == 1) {
        record.textColour = colour;
    } else if (which == 2) {
        if (record.brush) {
            BrushCacheRelease(brushes, reinterpret_cast<BrushHandle>(record.brush));
        }
        record.brush = colour == COLOUR_DEFAULT
                           ? nullptr
                           : reinterpret_cast<HBRUSH>(BrushCacheAcquire(brushes, colour));
        record.background = colour;
    }
    RedrawWindow(record.handle, nullptr, nullptr, RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE);
}

int32_t KindGetColour(GadgetRecord& record, int32_t which) {
    switch (which) {
    case 1:
        return record.textColour;
    case 2:
        return record.background;
    default:
        return COLOUR_DEFAULT;
    }
}

void KindReleaseBrush(GadgetRecord& record) {
    if (record.brush) {
        BrushCacheRelease(brushes, reinterpret_cast<BrushHandle>(record.brush));
        record.brush = nullptr;
    }
}
