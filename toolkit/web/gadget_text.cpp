// Text gadgets with colours of their own: the label (a <div>, inset when
// sunken) and the one-line output box (a <textarea> that never wraps and
// scrolls sideways). The output box keeps the program's text itself, since
// a <textarea> turns CR LF into LF.
#include "toolkit/web/backend_web.h"

namespace {

// clang-format off
EM_JS(int32_t, NewLabel, (const char* text, int32_t sunken), {
    const label = document.createElement('div');
    label.className = sunken ? 'tk-label tk-sunken' : 'tk-label';
    label.textContent = UTF8ToString(text);
    return Module.tk.add(label);
});

// Named by its first text, since no label names it.
EM_JS(int32_t, NewOutputBox, (const char* text, int32_t readOnly, int32_t bordered), {
    const tk = Module.tk;
    const box = document.createElement('textarea');
    box.className = 'tk-output';
    box.rows = 1;
    box.wrap = 'off';
    box.spellcheck = false;
    box.readOnly = readOnly !== 0;
    box.value = UTF8ToString(text);
    box.setAttribute('aria-label', box.value);
    if (!bordered) {
        box.style.borderStyle = 'none';
    }
    box.addEventListener('input', () => tk.post([5, 0x0102, tk.windowOf(box), box.tkHandle,
                                                 +box.dataset.gadget, 0, 0]));
    return tk.add(box);
});

EM_JS(void, ShowBoxText, (int32_t element, const char* text), {
    Module.tk.els[element].value = UTF8ToString(text);
});

EM_JS(char*, BoxText, (int32_t element), {
    return Module.tk.cString(Module.tk.els[element].value);
});
// clang-format on

std::string& KeptText(const GadgetRecord& record) {
    return *static_cast<std::string*>(record.extra);
}

std::string OutputText(GadgetRecord& record) {
    return KeptText(record);
}

void SetOutputText(GadgetRecord& record, const char* text) {
    KeptText(record) = text;
    ShowBoxText(static_cast<int32_t>(record.handle), PageText(text).c_str());
}

void FreeOutputText(GadgetRecord& record) {
    delete static_cast<std::string*>(record.extra);
    record.extra = nullptr;
}

const GadgetKindTable LABEL_KIND = KindTable(KIND_LABEL).Colours();

const GadgetKindTable OUTPUT_BOX_KIND =
    KindTable(KIND_OUTPUT_BOX).Freed(FreeOutputText).Text(OutputText, SetOutputText).Colours();

} // namespace

intptr_t LabelCreate(ObjectNumber number, int32_t x, int32_t y, int32_t width, int32_t height,
                     const char* text, uint32_t flags) {
    const int32_t label = NewLabel(PageText(text).c_str(), (flags & LABEL_SUNKEN) ? 1 : 0);
    return GadgetPlace(number, x, y, width, height, LABEL_KIND, label);
}

// Read-only boxes still let the user select and copy their text.
intptr_t OutputBoxCreate(ObjectNumber number, int32_t x, int32_t y, int32_t width, int32_t height,
                         const char* text, uint32_t flags) {
    const int32_t box = NewOutputBox(PageText(text).c_str(), (flags & OUTPUT_BOX_READ_ONLY) ? 1 : 0,
                                     (flags & OUTPUT_BOX_NO_BORDER) ? 0 : 1);
    auto* kept = new std::string(text ? text : "");
    const intptr_t made =
        GadgetPlace(number, x, y, width, height, OUTPUT_BOX_KIND, box, COLOUR_DEFAULT, kept);
    if (!made) {
        delete kept;
    }
    return made;
}

// What the user typed, in the program's code page; line ends as typed.
void OutputBoxEdited(GadgetRecord& record) {
    KeptText(record) = ProgramText(BoxText(static_cast<int32_t>(record.handle)));
}
