// The drop-down list combo box as a <select> whose closed box is the
// gadget's top 21 pixels: entries in insertion order, at most one selected;
// the user's selections, the list opening and closing, and focus changes
// (reported by the core) are reported with the Win32 notification codes.
#include "toolkit/core/combo.h"
#include "toolkit/web/backend_web.h"

namespace {

constexpr int32_t CLOSED_HEIGHT = 21;

// The list opens on the left button's press, or on F4, Alt+Up, Alt+Down or
// Space from the keyboard; it closes on the next press, a choice, Escape,
// Enter, or the focus leaving.
// clang-format off
EM_JS(int32_t, NewCombo, (), {
    const tk = Module.tk;
    const list = document.createElement('select');
    list.className = 'tk-combo';
    let open = false;
    const toggle = opening => {
        if (open !== opening) {
            open = opening;
            tk.report(list, opening ? 0x0201 : 0x0202, opening ? 7 : 8);
        }
    };
    list.addEventListener('mousedown', event => {
        if (event.button === 0) {
            toggle(!open);
        }
    });
    list.addEventListener('keydown', event => {
        const arrow = event.altKey && (event.key === 'ArrowDown' || event.key === 'ArrowUp');
        if (arrow || event.key === 'F4' || (event.key === ' ' && !open)) {
            toggle(!open);
        } else if (event.key === 'Escape' || event.key === 'Enter') {
            toggle(false);
        }
    });
    list.addEventListener('change', () => {
        toggle(false);
        tk.report(list, 0x0111, 1);
    });
    list.addEventListener('blur', () => toggle(false));
    return tk.add(list);
});

EM_JS(int32_t, EntryCount, (int32_t element), {
    return Module.tk.els[element].options.length;
});

EM_JS(int32_t, SelectedEntry, (int32_t element), {
    return Module.tk.els[element].selectedIndex;
});

EM_JS(void, SelectEntry, (int32_t element, int32_t index), {
    Module.tk.els[element].selectedIndex = index;
});

EM_JS(char*, EntryText, (int32_t element, int32_t index), {
    const option = Module.tk.els[element].options[index];
    return Module.tk.cString(option ? option.text : "");
});

// A <select> of one row selects its first entry as soon as it has one; the
// selection, or its absence, stays as it was, as on Windows.
EM_JS(void, InsertEntry, (int32_t element, int32_t position, const char* text), {
    const list = Module.tk.els[element];
    const selected = list.selectedIndex;
    const option = new Option(UTF8ToString(text));
    list.add(option, position < 0 ? null : position);
    list.selectedIndex = selected >= 0 && position >= 0 && position <= selected ? selected + 1 : selected;
});
// clang-format on

int32_t ElementOf(const GadgetRecord& record) {
    return static_cast<int32_t>(record.handle);
}

int32_t SelectedIndex(GadgetRecord& record) {
    return SelectedEntry(ElementOf(record));
}

void SelectIndex(GadgetRecord& record, int32_t index) {
    SelectEntry(ElementOf(record), ComboIndexToSelect(index, EntryCount(ElementOf(record))));
}

std::string EntryAt(const GadgetRecord& record, int32_t index) {
    return ProgramText(EntryText(ElementOf(record), index));
}

std::string SelectedText(GadgetRecord& record) {
    return EntryAt(record, SelectedEntry(ElementOf(record)));
}

void SelectByText(GadgetRecord& record, const char* text) {
    const int32_t entry = ComboEntryForText(text, EntryCount(ElementOf(record)), EntryAt, record);
    if (entry != COMBO_KEEP_SELECTION) {
        SelectEntry(ElementOf(record), entry);
    }
}

void InsertItem(GadgetRecord& record, int32_t position, const char* text, int32_t) {
    if (ComboPositionTakes(position, EntryCount(ElementOf(record)))) {
        InsertEntry(ElementOf(record), position, PageText(text).c_str());
    }
}

const GadgetKindTable COMBO_KIND = KindTable(KIND_COMBO)
                                       .State(SelectedIndex, SelectIndex)
                                       .Text(SelectedText, SelectByText)
                                       .Items(InsertItem);

} // namespace

// The height asked for includes the open list, which the browser sizes.
intptr_t ComboCreate(ObjectNumber number, int32_t x, int32_t y, int32_t width, int32_t) {
    return GadgetPlace(number, x, y, width, CLOSED_HEIGHT, COMBO_KIND, NewCombo());
}
