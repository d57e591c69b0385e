// Text gadgets with colours of their own over GTK: the label (GtkLabel, in
// an inset GtkFrame when sunken) and the one-line output box (GtkEntry).
#include "toolkit/gtk/backend_gtk.h"

namespace {

const GadgetKindTable LABEL_KIND = {KIND_LABEL, nullptr,       KindFreeColours, nullptr,
                                    nullptr,    nullptr,       nullptr,         nullptr,
                                    nullptr,    KindSetColour, KindGetColour};
const GadgetKindTable OUTPUT_BOX_KIND = {KIND_OUTPUT_BOX, nullptr,       KindFreeColours, nullptr,
                                         nullptr,         nullptr,       nullptr,         nullptr,
                                         nullptr,         KindSetColour, KindGetColour};

} // namespace

GtkWidget* NewLabel(const char* text) {
    GtkWidget* label = gtk_label_new(GtkText(text).c_str());
    gtk_label_set_xalign(GTK_LABEL(label), 0);
    gtk_label_set_yalign(GTK_LABEL(label), 0);
    return label;
}

intptr_t LabelCreate(ObjectNumber number, int32_t x, int32_t y, int32_t width, int32_t height,
                     const char* text, uint32_t flags) {
    GtkWidget* label = NewLabel(text);
    GtkWidget* widget = label;
    if (flags & LABEL_SUNKEN) {
        widget = gtk_frame_new(nullptr);
        gtk_frame_set_shadow_type(GTK_FRAME(widget), GTK_SHADOW_IN);
        gtk_container_add(GTK_CONTAINER(widget), label);
    }
    return GadgetPlace(number, x, y, width, height, LABEL_KIND, widget, label);
}

// Read-only boxes still let the user select and copy their text.
intptr_t OutputBoxCreate(ObjectNumber number, int32_t x, int32_t y, int32_t width, int32_t height,
                         const char* text, uint32_t flags) {
    GtkWidget* entry = gtk_entry_new();
    gtk_entry_set_text(GTK_ENTRY(entry), GtkText(text).c_str());
    gtk_editable_set_editable(GTK_EDITABLE(entry), (flags & OUTPUT_BOX_READ_ONLY) == 0);
    gtk_entry_set_has_frame(GTK_ENTRY(entry), (flags & OUTPUT_BOX_NO_BORDER) == 0);
    return GadgetPlace(number, x, y, width, height, OUTPUT_BOX_KIND, entry, entry);
}
