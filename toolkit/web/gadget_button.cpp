// The button family in the page: frame (<fieldset> and <legend>), push
// button (<button>) and check box (<input type=checkbox> in the <label>
// that is the gadget, so a click anywhere on it toggles); the user's clicks
// are reported, the program's changes raise no DOM event.
#include "toolkit/web/backend_web.h"

namespace {

// clang-format off
EM_JS(int32_t, NewFrame, (const char* text), {
    const frame = document.createElement('fieldset');
    frame.className = 'tk-frame';
    frame.tkText = document.createElement('legend');
    frame.tkText.textContent = UTF8ToString(text);
    frame.append(frame.tkText);
    return Module.tk.add(frame);
});

EM_JS(int32_t, NewButton, (const char* text), {
    const tk = Module.tk;
    const button = document.createElement('button');
    button.type = 'button';
    button.className = 'tk-button';
    button.textContent = UTF8ToString(text);
    button.addEventListener('click', () => tk.report(button, 0x0111, 0));
    return tk.add(button);
});

EM_JS(int32_t, NewCheckBox, (const char* text), {
    const tk = Module.tk;
    const label = document.createElement('label');
    label.className = 'tk-check';
    label.tkFocus = document.createElement('input');
    label.tkFocus.type = 'checkbox';
    label.tkText = document.createElement('span');
    label.tkText.textContent = UTF8ToString(text);
    label.append(label.tkFocus, label.tkText);
    label.addEventListener('change', () => tk.report(label, 0x0111, 0));
    return tk.add(label);
});

EM_JS(int32_t, IsChecked, (int32_t element), {
    return Module.tk.els[element].tkFocus.checked ? 1 : 0;
});

EM_JS(void, SetChecked, (int32_t element, int32_t checked), {
    Module.tk.els[element].tkFocus.checked = checked !== 0;
});
// clang-format on

int32_t CheckMark(GadgetRecord& record) {
    return IsChecked(static_cast<int32_t>(record.handle));
}

void SetCheckMark(GadgetRecord& record, int32_t value) {
    SetChecked(static_cast<int32_t>(record.handle), value);
}

const GadgetKindTable FRAME_KIND = KindTable(KIND_FRAME);
const GadgetKindTable BUTTON_KIND = KindTable(KIND_BUTTON);
const GadgetKindTable CHECK_BOX_KIND = KindTable(KIND_CHECK_BOX).State(CheckMark, SetCheckMark);

} // namespace

intptr_t FrameCreate(ObjectNumber number, int32_t x, int32_t y, int32_t width, int32_t height,
                     const char* text) {
    return GadgetPlace(number, x, y, width, height, FRAME_KIND, NewFrame(PageText(text).c_str()));
}

intptr_t ButtonCreate(ObjectNumber number, int32_t x, int32_t y, int32_t width, int32_t height,
                      const char* text) {
    return GadgetPlace(number, x, y, width, height, BUTTON_KIND, NewButton(PageText(text).c_str()));
}

intptr_t CheckBoxCreate(ObjectNumber number, int32_t x, int32_t y, int32_t width, int32_t height,
                        const char* text) {
    return GadgetPlace(number, x, y, width, height, CHECK_BOX_KIND,
                       NewCheckBox(PageText(text).c_str()));
}
