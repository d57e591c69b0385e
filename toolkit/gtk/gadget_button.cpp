// The button family over GTK: frame (GtkFrame), push button (GtkButton) and
// check box (GtkCheckButton); clicks are reported, the program's changes not.
#include "toolkit/gtk/backend_gtk.h"

namespace {

int32_t CheckMark(GadgetRecord& record) {
    return gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(ContentOf(record))) ? 1 : 0;
}

void SetCheckMark(GadgetRecord& record, int32_t value) {
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(ContentOf(record)), value != 0);
}

// Entries: code, hook, free, state, set state, text, set text, add item,
// add item ex, set colour, colour.
const GadgetKindTable FRAME_KIND = {KIND_FRAME, nullptr, nullptr, nullptr, nullptr, nullptr,
                                    nullptr,    nullptr, nullptr, nullptr, nullptr};
const GadgetKindTable BUTTON_KIND = {KIND_BUTTON, nullptr, nullptr, nullptr, nullptr, nullptr,
                                     nullptr,     nullptr, nullptr, nullptr, nullptr};
const GadgetKindTable CHECK_BOX_KIND = {KIND_CHECK_BOX, nullptr, nullptr, CheckMark,
                                        SetCheckMark,   nullptr, nullptr, nullptr,
                                        nullptr,        nullptr, nullptr};

void OnClicked(GtkWidget* widget, gpointer) {
    ReportUserAction(widget, SUBTYPE_CLICKED);
}

intptr_t PlaceButton(const GadgetKindTable& kind, GtkWidget* button, ObjectNumber number, int32_t x,
                     int32_t y, int32_t width, int32_t height) {
    g_signal_connect(button, "clicked", G_CALLBACK(OnClicked), nullptr);
    return GadgetPlace(number, x, y, width, height, kind, button, button);
}

} // namespace

intptr_t FrameCreate(ObjectNumber number, int32_t x, int32_t y, int32_t width, int32_t height,
                     const char* text) {
    GtkWidget* frame = gtk_frame_new(GtkText(text).c_str());
    return GadgetPlace(number, x, y, width, height, FRAME_KIND, frame, frame);
}

intptr_t ButtonCreate(ObjectNumber number, int32_t x, int32_t y, int32_t width, int32_t height,
                      const char* text) {
    return PlaceButton(BUTTON_KIND, gtk_button_new_with_label(GtkText(text).c_str()), number, x, y,
                       width, height);
}

intptr_t CheckBoxCreate(ObjectNumber number, int32_t x, int32_t y, int32_t width, int32_t height,
                        const char* text) {
    return PlaceButton(CHECK_BOX_KIND, gtk_check_button_new_with_label(GtkText(text).c_str()),
                       number, x, y, width, height);
}
