// The drop-down list combo box over GtkComboBoxText: entries in insertion
// order, at most one selected; the user's selections, the list opening and
// closing, and focus changes are reported with the Win32 notification codes.
#include "toolkit/gtk/backend_gtk.h"

namespace {

GtkComboBox* ComboOf(const GadgetRecord& record) {
    return GTK_COMBO_BOX(ContentOf(record));
}

int32_t SelectedIndex(GadgetRecord& record) {
    return gtk_combo_box_get_active(ComboOf(record));
}

int32_t EntryCount(const GadgetRecord& record) {
    return gtk_tree_model_iter_n_children(gtk_combo_box_get_model(ComboOf(record)), nullptr);
}

// An index that names no entry leaves none selected, as on Windows.
void SelectIndex(GadgetRecord& record, int32_t index) {
    const bool names = index >= 0 && index < EntryCount(record);
    const ProgramChange quietly;
    gtk_combo_box_set_active(ComboOf(record), names ? index : -1);
}

// The entry whose text is this one regardless of case, or -1.
int32_t FindEntry(const GadgetRecord& record, const char* text) {
    GtkTreeModel* entries = gtk_combo_box_get_model(ComboOf(record));
    const gint column = gtk_combo_box_get_entry_text_column(ComboOf(record));
    gchar* wanted = g_utf8_casefold(text, -1);
    int32_t found = -1;
    GtkTreeIter entry;
    gboolean more = gtk_tree_model_get_iter_first(entries, &entry);
    for (int32_t index = 0; more && found < 0; ++index) {
        gchar* shown = nullptr;
        gtk_tree_model_get(entries, &entry, column, &shown, -1);
        gchar* folded = g_utf8_casefold(shown ? shown : "", -1);
        found = g_strcmp0(folded, wanted) == 0 ? index : -1;
        g_free(folded);
        g_free(shown);
        more = gtk_tree_model_iter_next(entries, &entry);
    }
    g_free(wanted);
    return found;
}

// Matching ignores letter case, as the Windows combo box does; an unmatched
// text keeps the selection, the empty text clears it.
void SelectByText(GadgetRecord& record, const char* text) {
    if (!*text) {
        SelectIndex(record, -1);
    } else if (int32_t index = FindEntry(record, GtkText(text).c_str()); index >= 0) {
        SelectIndex(record, index);
    }
}

// -1 appends; a position past the end adds nothing, as on Windows.
void InsertItem(GadgetRecord& record, int32_t position, const char* text, int32_t) {
    if (position >= -1 && position <= EntryCount(record)) {
        gtk_combo_box_text_insert_text(GTK_COMBO_BOX_TEXT(ContentOf(record)), position,
                                       GtkText(text).c_str());
    }
}

const GadgetKindTable COMBO_KIND = {KIND_COMBO,  nullptr, nullptr,      SelectedIndex,
                                    SelectIndex, nullptr, SelectByText, InsertItem,
                                    nullptr,     nullptr, nullptr};

void OnChanged(GtkWidget* combo, gpointer) {
    GadgetReport(combo, SUBTYPE_SELECTION_CHANGED);
}

void OnPopupShown(GtkWidget* combo, GParamSpec*, gpointer) {
    gboolean shown = FALSE;
    g_object_get(combo, "popup-shown", &shown, nullptr);
    GadgetReport(combo, shown ? SUBTYPE_DROPPED_DOWN : SUBTYPE_CLOSED_UP);
}

} // namespace

// The height asked for includes the open list; closed, the box is as high
// as its font makes it, as on Windows.
intptr_t ComboCreate(ObjectNumber number, int32_t x, int32_t y, int32_t width, int32_t) {
    GtkWidget* combo = gtk_combo_box_text_new();
    // The box keeps its width whatever its longest entry, whose text is cut
    // short with an ellipsis should it not fit.
    GList* cells = gtk_cell_layout_get_cells(GTK_CELL_LAYOUT(combo));
    for (GList* cell = cells; cell; cell = cell->next) {
        g_object_set(cell->data, "ellipsize", PANGO_ELLIPSIZE_END, "max-width-chars", 1, nullptr);
    }
    g_list_free(cells);
    // Empty, it still takes the focus, as on Windows.
    gtk_combo_box_set_button_sensitivity(GTK_COMBO_BOX(combo), GTK_SENSITIVITY_ON);
    g_signal_connect(combo, "changed", G_CALLBACK(OnChanged), nullptr);
    g_signal_connect(combo, "notify::popup-shown", G_CALLBACK(OnPopupShown), nullptr);
    return GadgetPlace(number, x, y, width, -1, COMBO_KIND, combo, combo);
}
