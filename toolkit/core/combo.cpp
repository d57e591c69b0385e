// The combo box's selection and insertion rules, for backends whose list
// widget has rules of its own.
#include "toolkit/core/combo.h"

namespace {

// Letter case as Windows-1252 has it: ASCII, the Latin-1 letters (not the
// multiplication and division signs) and the four pairs in 0x80-0x9F.
unsigned char FoldCase(unsigned char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
        return static_cast<unsigned char>(c + 0x20);
    }
    switch (c) {
    case 0x8A:
    case 0x8C:
    case 0x8E:
        return static_cast<unsigned char>(c + 0x10);
    case 0x9F:
        return 0xFF;
    default:
        return c;
    }
}

bool EqualIgnoringCase(const std::string& entry, const char* text) {
    size_t i = 0;
    for (; i < entry.size() && text[i]; ++i) {
        if (FoldCase(static_cast<unsigned char>(entry[i])) !=
            FoldCase(static_cast<unsigned char>(text[i]))) {
            return false;
        }
    }
    return i == entry.size() && !text[i];
}

} // namespace

int32_t ComboIndexToSelect(int32_t index, int32_t count) {
    return index >= 0 && index < count ? index : -1;
}

bool ComboPositionTakes(int32_t position, int32_t count) {
    return position >= -1 && position <= count;
}

int32_t ComboEntryForText(const char* text, int32_t count,
                          std::string (*entryAt)(const GadgetRecord&, int32_t),
                          const GadgetRecord& record) {
    if (!*text) {
        return -1;
    }
    for (int32_t index = 0; index < count; ++index) {
        if (EqualIgnoringCase(entryAt(record, index), text)) {
            return index;
        }
    }
    return COMBO_KEEP_SELECTION;
}
