// The "Button" family over USER32 "Button" controls: frame, push button and check box.
#include "toolkit/win32/gadget_kinds.h"

namespace {

// The lowest bit: BST_INDETERMINATE (2) does not count as checked.
int32_t CheckMark(GadgetRecord& record) {
    return static_cast<int32_t>(SendMessageA(ControlOf(record), BM_GETCHECK, 0, 0) & 1);
}

void SetCheckMark(GadgetRecord& record, int32_t value) {
    SendMessageA(ControlOf(record), BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
}

// Kind tables are filled when the first gadget of their kind is made.
const GadgetKindTable& FrameKind() {
    static const GadgetKindTable table = [] {
        GadgetKindTable kind{};
        kind.code = KIND_FRAME;
        return kind;
    }();
    return table;
}

GadgetKindTable CheckMarkKind(int32_t code) {
    GadgetKindTable kind{};
    kind.code = code;
    kind.getState = CheckMark;
    kind.setState = SetCheckMark;
    return kind;
}

const GadgetKindTable& ButtonKind() {
    static const GadgetKindTable table = CheckMarkKind(KIND_BUTTON);
    return table;
}

const GadgetKindTable& CheckBoxKind() {
    static const GadgetKindTable table = CheckMarkKind(KIND_CHECK_BOX);
    return table;
}

intptr_t CreateButtonControl(const GadgetKindTable& kind, DWORD style, ObjectNumber number,
                             int32_t x, int32_t y, int32_t width, int32_t height,
                             const char* text) {
    const GadgetPlan plan = {&kind,  "Button",       text,           WS_CHILD | WS_VISIBLE | style,
                             0,      COLOUR_DEFAULT, COLOUR_DEFAULT, nullptr,
                             nullptr};
    return GadgetCreate(number, x, y, width, height, plan);
}

} // namespace

intptr_t FrameCreate(ObjectNumber number, int32_t x, int32_t y, int32_t width, int32_t height,
                     const char* text) {
    return CreateButtonControl(FrameKind(), WS_GROUP | BS_GROUPBOX, number, x, y, width, height,
                               text);
}

intptr_t ButtonCreate(ObjectNumber number, int32_t x, int32_t y, int32_t width, int32_t height,
                      const char* text) {
    return CreateButtonControl(ButtonKind(), WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, number, x, y,
                               width, height, text);
}

intptr_t CheckBoxCreate(ObjectNumber number, int32_t x, int32_t y, int32_t width, int32_t height,
                        const char* text) {
    return CreateButtonControl(CheckBoxKind(), WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX, number, x,
                               y, width, height, text);
}
