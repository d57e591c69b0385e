// Gadgets as DOM elements placed at fixed positions in their window's
// client area: registration, the texts, the colours as CSS custom
// properties, the accessible names of the drop-down lists, and the look.
#include "toolkit/web/backend_web.h"

namespace {

// The layout was made for the Windows dialog font at 8 points, whose hinted
// glyphs are narrower than the same face drawn unhinted at 11 pixels: its
// metric twin (which the page brings, or else a sans-serif) at 10.5 pixels,
// and controls with no more room around their text than their Win32
// counterparts have, leave every caption a few pixels of room.
constexpr char TOOLKIT_CSS[] = R"(
.tk-desk { position: fixed; inset: 0; display: grid; place-items: center;
  place-items: safe center; overflow: auto; pointer-events: none; }
.tk-window { grid-area: 1 / 1; position: relative; margin: 0 0 20px; background: #f0f0f0;
  border: 1px solid #5f6b7a; box-shadow: 0 6px 24px rgb(0 0 0 / 25%); color: #000;
  font: 10.5px "Toolkit Dialog", Tahoma, sans-serif; pointer-events: auto; }
.tk-window.tk-placed { position: absolute; margin: 0; }
.tk-caption { height: 20px; line-height: 20px; padding: 0 6px; background: #2b5797; color: #fff;
  font-weight: bold; white-space: nowrap; overflow: hidden; text-overflow: ellipsis;
  user-select: none; }
.tk-window[inert] .tk-caption { background: #8397b5; }
.tk-client { position: relative; overflow: hidden; }
.tk-client > * { position: absolute; box-sizing: border-box; margin: 0; font: inherit;
  color: var(--tk-text, #000); white-space: pre; }
.tk-frame { border: 1px solid #dcdcdc; border-radius: 0; padding: 0; min-inline-size: 0; }
.tk-frame > legend { padding: 0 2px; margin-left: 5px; line-height: 13px; }
.tk-button { padding: 0 2px; border: 1px solid #adadad; border-radius: 0; background: #e1e1e1; }
.tk-button:hover { background: #e5f1fb; border-color: #0078d7; }
.tk-button:active { background: #cce4f7; border-color: #005499; }
.tk-client :focus-visible, .tk-box :focus-visible { outline: 1px dotted #000; outline-offset: -4px; }
.tk-check { display: flex; align-items: center; user-select: none; }
.tk-check > input { flex: none; width: 12px; height: 12px; margin: 0 2px 0 0; }
.tk-check :focus-visible { outline-offset: 1px; }
.tk-combo { appearance: none; height: 21px; padding: 0 14px 0 3px; border: 1px solid #7a7a7a;
  border-radius: 0; text-overflow: ellipsis; background: #fff
  url("data:image/svg+xml,%3Csvg xmlns='http://www.w3.org/2000/svg' width='7' height='4'%3E%3Cpath d='M0 0h7L3.5 4z'/%3E%3C/svg%3E")
  no-repeat right 4px center; }
.tk-combo:focus-visible { outline-offset: -3px; }
.tk-label, .tk-output, .tk-link { background: var(--tk-back, transparent); overflow: visible; }
.tk-sunken { border: 1px solid; border-color: #a0a0a0 #fff #fff #a0a0a0; padding: 0 1px; }
.tk-output { resize: none; padding: 2px 3px; border: 1px solid #7a7a7a; border-radius: 0;
  overflow: auto hidden; scrollbar-width: thin; background: var(--tk-back, #fff); }
.tk-output[readonly] { background: var(--tk-back, #f0f0f0); }
.tk-link { cursor: pointer; user-select: none; text-decoration: none; }
.tk-link:hover { color: var(--tk-hover, var(--tk-text, #000)); }
.tk-box { padding: 0; border: 1px solid #5f6b7a; background: #fff; color: #000; min-width: 180px;
  max-width: 480px; font: 10.5px "Toolkit Dialog", Tahoma, sans-serif;
  box-shadow: 0 6px 24px rgb(0 0 0 / 35%); }
.tk-box::backdrop { background: transparent; }
.tk-box-body { display: flex; gap: 10px; align-items: flex-start; padding: 20px 22px; }
.tk-box-text { margin: 0; white-space: pre-wrap; }
.tk-box-icon { flex: none; width: 28px; height: 28px; border-radius: 50%; color: #fff;
  font: bold 18px/28px serif; text-align: center; }
.tk-box-buttons { padding: 9px 10px; background: #f0f0f0; text-align: right; }
.tk-box-buttons > button { min-width: 75px; height: 23px; }
)";

// clang-format off
EM_JS(void, AddToolkitStyle, (const char* css), {
    if (!document.getElementById('tk-style')) {
        const style = document.createElement('style');
        style.id = 'tk-style';
        style.textContent = UTF8ToString(css);
        document.head.append(style);
    }
});

EM_JS(int32_t, PlaceElement, (int32_t parent, int32_t element, int32_t x, int32_t y, int32_t width,
                              int32_t height), {
    const tk = Module.tk;
    const owner = tk.els[parent];
    const el = tk.els[element];
    if (!owner || !owner.tkClient) {
        tk.drop(element);
        return 0;
    }
    el.tkRect = [x, y, width, height];
    Object.assign(el.style, {left: x + 'px', top: y + 'px', width: width + 'px'});
    if (height >= 0) {
        el.style.height = height + 'px';
    }
    el.hidden = true;
    owner.tkClient.append(el);
    return element;
});

// A drop-down list is named by the frame around it and the label on its
// left, as a reader of the window would name it: "Primary Weapon, Choice 1".
EM_JS(void, AttachElement, (int32_t element, int32_t number), {
    const tk = Module.tk;
    const el = tk.els[element];
    el.dataset.gadget = number;
    el.hidden = false;
    const client = el.parentElement;
    if (client.tkNaming) {
        return;
    }
    client.tkNaming = true;
    queueMicrotask(() => {
        client.tkNaming = false;
        const of = kind => [...client.querySelectorAll(':scope > .' + kind)];
        const inside = (outer, [x, y]) => outer.tkRect[0] <= x && outer.tkRect[1] <= y &&
            x < outer.tkRect[0] + outer.tkRect[2] && y < outer.tkRect[1] + outer.tkRect[3];
        for (const list of of('tk-combo')) {
            const [x, y] = list.tkRect;
            const frame = of('tk-frame').find(frame => inside(frame, list.tkRect));
            const left = of('tk-label').filter(label => label.tkRect[0] + label.tkRect[2] <= x &&
                label.tkRect[1] < y + list.tkRect[3] && y < label.tkRect[1] + label.tkRect[3]);
            const label = left.sort((a, b) => b.tkRect[0] - a.tkRect[0])[0];
            const caption = label ? label.textContent : "";
            const names = [frame && frame.tkText.textContent,
                           caption.endsWith(':') ? caption.slice(0, -1) : caption].filter(name => name);
            list.setAttribute('aria-label', names.join(', '));
        }
    });
});

EM_JS(char*, ElementText, (int32_t element), {
    const el = Module.tk.els[element];
    return Module.tk.cString((el.tkText || el).textContent);
});

EM_JS(void, SetElementText, (int32_t element, const char* text), {
    const el = Module.tk.els[element];
    (el.tkText || el).textContent = UTF8ToString(text);
});

EM_JS(void, SetElementColour, (int32_t element, const char* property, const char* colour), {
    const value = UTF8ToString(colour);
    const style = Module.tk.els[element].style;
    value ? style.setProperty(UTF8ToString(property), value) : style.removeProperty(UTF8ToString(property));
});

EM_JS(int32_t, GadgetNumberOf, (int32_t element), {
    return +Module.tk.els[element].dataset.gadget;
});
// clang-format on

int32_t ElementOf(const GadgetRecord& record) {
    return static_cast<int32_t>(record.handle);
}

std::string ColourValue(int32_t colour) {
    return colour == COLOUR_DEFAULT ? std::string() : CssColour(colour);
}

} // namespace

void PlatformGadgetLibraryStart() {
    AddToolkitStyle(TOOLKIT_CSS);
}

intptr_t GadgetPlace(ObjectNumber number, int32_t x, int32_t y, int32_t width, int32_t height,
                     const GadgetKindTable& kind, int32_t element, int32_t textColour,
                     void* extra) {
    if (!PlaceElement(static_cast<int32_t>(GadgetParent()), element, x, y, width, height)) {
        return 0;
    }
    GadgetRecord record = {};
    record.handle = element;
    record.kind = &kind;
    record.background = COLOUR_DEFAULT;
    record.textColour = textColour;
    record.extra = extra;
    return GadgetAdd(number, record);
}

void PlatformGadgetAttach(GadgetRecord& record, ObjectNumber number) {
    if (record.textColour != COLOUR_DEFAULT) {
        PlatformGadgetRecolour(record, COLOUR_TEXT);
    }
    AttachElement(ElementOf(record), number);
}

void PlatformGadgetDiscard(intptr_t control) {
    EM_ASM({ Module.tk.drop($0); }, static_cast<int32_t>(control));
}

void PlatformGadgetDestroy(intptr_t control) {
    GadgetDestroyed(GadgetNumberOf(static_cast<int32_t>(control)), control);
    PlatformGadgetDiscard(control);
}

std::string PlatformGadgetText(const GadgetRecord& record) {
    return ProgramText(ElementText(ElementOf(record)));
}

void PlatformGadgetSetText(GadgetRecord& record, const char* text) {
    SetElementText(ElementOf(record), PageText(text).c_str());
}

// Both colours as custom properties, which the look applies by kind.
void PlatformGadgetRecolour(GadgetRecord& record, int32_t) {
    SetElementColour(ElementOf(record), "--tk-text", ColourValue(record.textColour).c_str());
    SetElementColour(ElementOf(record), "--tk-back", ColourValue(record.background).c_str());
}
