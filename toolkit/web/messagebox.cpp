// Message boxes as modal <dialog>s: the caption, the icon, the text and OK;
// Enter, Escape or OK end one, as they end a Windows box with one OK button.
// Records of other kinds wait in the queue until the box is gone.
#include "toolkit/messagebox.h"
#include "toolkit/web/backend_web.h"

#include <vector>

namespace {

constexpr uint32_t ICON_FLAGS = 0xF0;

struct BoxIcon {
    uint32_t iconFlags;
    const char* symbol;
    const char* colour;
};

const BoxIcon boxIcons[] = {
    {MESSAGE_BOX_ERROR, "\xC3\x97", "#c42b1c"},
    {MESSAGE_BOX_QUESTION, "?", "#1f6fc5"},
    {MESSAGE_BOX_WARNING, "!", "#d18f00"},
    {MESSAGE_BOX_INFORMATION, "i", "#1f6fc5"},
};

// clang-format off
EM_JS(int32_t, ToolkitWindows, (int32_t* handles, int32_t most), {
    const windows = [...document.querySelectorAll('.tk-window')];
    windows.slice(0, most).forEach((el, i) => { HEAP32[(handles >> 2) + i] = el.tkHandle; });
    return windows.length;
});

EM_JS(int32_t, WindowTakesInput, (int32_t window), {
    const el = Module.tk.els[window];
    return !el.hidden && !el.inert ? 1 : 0;
});

EM_JS(void, SetWindowInert, (int32_t window, int32_t inert), {
    Module.tk.els[window].inert = inert !== 0;
});

EM_JS(int32_t, TopWindow, (), {
    const top = Module.tk.topWindow();
    return top ? top.tkHandle : 0;
});

// OK is the default button: Enter presses it wherever the focus is in the
// box. The focus stays on OK: a press anywhere else in the page would move
// it onto the dialog itself.
EM_JS(int32_t, ShowBox, (const char* title, const char* text, const char* symbol, const char* colour), {
    const tk = Module.tk;
    const box = document.createElement('dialog');
    const handle = tk.add(box);
    box.className = 'tk-box';
    box.id = 'tk-box-' + handle;
    box.setAttribute('aria-labelledby', box.id + '-title');
    box.setAttribute('aria-describedby', box.id + '-text');
    const caption = document.createElement('div');
    caption.className = 'tk-caption';
    caption.id = box.id + '-title';
    caption.textContent = UTF8ToString(title);
    const body = document.createElement('div');
    body.className = 'tk-box-body';
    if (UTF8ToString(symbol)) {
        const icon = document.createElement('span');
        icon.className = 'tk-box-icon';
        icon.setAttribute('aria-hidden', 'true');
        icon.textContent = UTF8ToString(symbol);
        icon.style.background = UTF8ToString(colour);
        body.append(icon);
    }
    const words = document.createElement('p');
    words.className = 'tk-box-text';
    words.id = box.id + '-text';
    words.textContent = UTF8ToString(text).split(String.fromCharCode(13)).join("");
    body.append(words);
    const buttons = document.createElement('div');
    buttons.className = 'tk-box-buttons';
    const ok = document.createElement('button');
    ok.type = 'button';
    ok.textContent = 'OK';
    ok.addEventListener('click', () => box.close());
    buttons.append(ok);
    box.append(caption, body, buttons);
    const keepFocus = event => {
        if (event.target !== ok) {
            event.preventDefault();
        }
    };
    const refocus = event => {
        if (event.target !== ok) {
            ok.focus();
        }
    };
    document.addEventListener('mousedown', keepFocus, true);
    box.addEventListener('focusin', refocus);
    box.addEventListener('keydown', event => {
        if (event.key === 'Enter') {
            event.preventDefault();
            box.close();
        }
    });
    box.addEventListener('close', () => {
        document.removeEventListener('mousedown', keepFocus, true);
        tk.post([7, 0x0010, -1, handle, 0, 0, 0]);
    });
    document.body.append(box);
    box.showModal();
    ok.focus();
    return handle;
});
// clang-format on

const BoxIcon* IconFor(uint32_t flags) {
    for (const BoxIcon& icon : boxIcons) {
        if ((flags & ICON_FLAGS) == icon.iconFlags) {
            return &icon;
        }
    }
    return nullptr;
}

} // namespace

// showModal makes the rest of the page inert, the owner included; the core
// marks the other windows inert as well, and takes that back afterwards.
const bool PLATFORM_BOX_DISABLES_OWNER = false;

void PlatformEachThreadWindow(WindowVisitor visit, void* context) {
    std::vector<int32_t> windows(static_cast<size_t>(ToolkitWindows(nullptr, 0)));
    ToolkitWindows(windows.data(), static_cast<int32_t>(windows.size()));
    for (int32_t window : windows) {
        visit(window, context);
    }
}

bool PlatformWindowUsable(intptr_t window) {
    return WindowTakesInput(static_cast<int32_t>(window)) != 0;
}

void PlatformWindowEnable(intptr_t window, bool enable) {
    SetWindowInert(static_cast<int32_t>(window), enable ? 0 : 1);
}

// The page runs the program on one thread.
uint32_t PlatformThreadId() {
    return 1;
}

intptr_t PlatformBoxOwner() {
    return TopWindow();
}

// Always answers OK, as a Windows box with only an OK button does, however
// it was ended.
int32_t PlatformMessageBox(intptr_t, const char* title, const char* text, uint32_t flags) {
    const BoxIcon* icon = IconFor(flags);
    const int32_t box = ShowBox(PageText(title).c_str(), PageText(text).c_str(),
                                icon ? icon->symbol : "", icon ? icon->colour : "");
    WebRecord record;
    do {
        WebWait(record, true);
    } while (record.kind != RECORD_BOX_CLOSED || record.handle != box);
    EM_ASM({ Module.tk.drop($0); }, box);
    return MESSAGE_BOX_OK;
}
