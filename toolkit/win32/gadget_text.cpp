// Text gadgets with colours of their own: the label ("Static") and the
// one-line output box ("Edit").
#include "toolkit/win32/gadget_kinds.h"

namespace {

// Applies the gadget's colours to the drawing context and answers with its
// background brush; with no colour set the platform's defaults apply. A set
// text colour over the default background needs that background stated, in
// the given system colour, or the text would be drawn on the wrong one.
intptr_t AnswerColours(const GadgetRecord& record, uintptr_t context, int defaultBackground) {
    HDC dc = reinterpret_cast<HDC>(context);
    const bool ownBackground = record.background != COLOUR_DEFAULT && record.paint;
    if (record.textColour == COLOUR_DEFAULT && !ownBackground) {
        return NOT_HANDLED_RESULT;
    }
    if (record.textColour != COLOUR_DEFAULT) {
        SetTextColor(dc, static_cast<COLORREF>(record.textColour));
    }
    if (!ownBackground) {
        SetBkColor(dc, GetSysColor(defaultBackground));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(defaultBackground));
    }
    SetBkColor(dc, static_cast<COLORREF>(record.background));
    return record.paint;
}

intptr_t LabelColourQuery(GadgetRecord& record, intptr_t, uint32_t message, uintptr_t wParam,
                          intptr_t) {
    if (message != WM_CTLCOLORSTATIC) {
        return NOT_HANDLED_RESULT;
    }
    return AnswerColours(record, wParam, COLOR_BTNFACE);
}

// A read-only or disabled edit control asks with the static-control query;
// a disabled one keeps the platform's disabled look.
intptr_t OutputBoxColourQuery(GadgetRecord& record, intptr_t, uint32_t message, uintptr_t wParam,
                              intptr_t) {
    const bool asks = message == WM_CTLCOLOREDIT ||
                      (message == WM_CTLCOLORSTATIC && IsWindowEnabled(ControlOf(record)));
    if (!asks) {
        return NOT_HANDLED_RESULT;
    }
    return AnswerColours(record, wParam, COLOR_BTNHIGHLIGHT);
}

GadgetKindTable ColouredKind(int32_t code, decltype(GadgetKindTable::messageHook) colourQuery) {
    GadgetKindTable kind{};
    kind.code = code;
    kind.messageHook = colourQuery;
    kind.free = KindReleaseBrush;
    kind.setColour = KindSetColour;
    kind.getColour = KindGetColour;
    return kind;
}

const GadgetKindTable& LabelKind() {
    static const GadgetKindTable table = ColouredKind(KIND_LABEL, LabelColourQuery);
    return table;
}

const GadgetKindTable& OutputBoxKind() {
    static const GadgetKindTable table = ColouredKind(KIND_OUTPUT_BOX, OutputBoxColourQuery);
    return table;
}

// Each output box keeps the handler FocusReporter hands on to: boxes made
// under another activation context or a changed class have other handlers.
constexpr char EDIT_HANDLER_PROPERTY[] = "TK_EditHandler";

LRESULT CALLBACK FocusReporter(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto handler = reinterpret_cast<WNDPROC>(GetPropA(control, EDIT_HANDLER_PROPERTY));
    if (message == WM_SETFOCUS) {
        GadgetPostEvent(control, SUBTYPE_FOCUS_GAINED);
    } else if (message == WM_KILLFOCUS) {
        GadgetPostEvent(control, SUBTYPE_FOCUS_LOST);
    }
    const LRESULT result = CallWindowProcA(handler, control, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        RemovePropA(control, EDIT_HANDLER_PROPERTY);
    }
    return result;
}

// Without room for the property the box still works, only without focus reports.
void PutFocusReporterInFront(HWND control) {
    const LONG_PTR handler = GetWindowLongPtrA(control, GWLP_WNDPROC);
    if (SetPropA(control, EDIT_HANDLER_PROPERTY, reinterpret_cast<HANDLE>(handler))) {
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FocusReporter));
    }
}

} // namespace

intptr_t LabelCreate(ObjectNumber number, int32_t x, int32_t y, int32_t width, int32_t height,
                     const char* text, uint32_t flags) {
    const GadgetPlan plan = {&LabelKind(),
                             "Static",
                             text,
                             WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT | flags,
                             (flags & LABEL_SUNKEN) ? WS_EX_CLIENTEDGE : 0u,
                             COLOUR_DEFAULT,
                             COLOUR_DEFAULT,
                             nullptr,
                             nullptr};
    return GadgetCreate(number, x, y, width, height, plan);
}

intptr_t OutputBoxCreate(ObjectNumber number, int32_t x, int32_t y, int32_t width, int32_t height,
                         const char* text, uint32_t flags) {
    const GadgetPlan plan = {&OutputBoxKind(),
                             "Edit",
                             text,
                             WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL | flags,
                             (flags & OUTPUT_BOX_NO_BORDER) ? 0u : WS_EX_CLIENTEDGE,
                             COLOUR_DEFAULT,
                             COLOUR_DEFAULT,
                             nullptr,
                             PutFocusReporterInFront};
    return GadgetCreate(number, x, y, width, height, plan);
}
