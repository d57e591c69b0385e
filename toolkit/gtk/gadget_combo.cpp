// The drop-down list combo box over GtkComboBoxText: entries in insertion
// order, at most one selected; the user's selections, the list opening and
// closing, and focus changes are reported with the Win32 notification codes.
#include "toolkit/core/combo.h"
#include "toolkit/gtk/backend_gtk.h"

#include <algorithm>
#include <cstring>

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

std::string EntryAt(const GadgetRecord& record, int32_t index) {
    GtkTreeModel* entries = gtk_combo_box_get_model(ComboOf(record));
    GtkTreeIter entry;
    gchar* shown = nullptr;
    if (gtk_tree_model_iter_nth_child(entries, &entry, nullptr, index)) {
        gtk_tree_model_get(entries, &entry, gtk_combo_box_get_entry_text_column(ComboOf(record)),
                           &shown, -1);
    }
    const std::string text = ProgramText(shown ? shown : "");
    g_free(shown);
    return text;
}

void SelectIndex(GadgetRecord& record, int32_t index) {
    gtk_combo_box_set_active(ComboOf(record), ComboIndexToSelect(index, EntryCount(record)));
}

void SelectByText(GadgetRecord& record, const char* text) {
    const int32_t index = ComboEntryForText(text, EntryCount(record), EntryAt, record);
    if (index != COMBO_KEEP_SELECTION) {
        SelectIndex(record, index);
    }
}

void InsertItem(GadgetRecord& record, int32_t position, const char* text, int32_t) {
    if (ComboPositionTakes(position, EntryCount(record))) {
        gtk_combo_box_text_insert_text(GTK_COMBO_BOX_TEXT(ContentOf(record)), position,
                                       GtkText(text).c_str());
    }
}

const GadgetKindTable COMBO_KIND = {KIND_COMBO,  nullptr, nullptr,      SelectedIndex,
                                    SelectIndex, nullptr, SelectByText, InsertItem,
                                    nullptr,     nullptr, nullptr};

void OnChanged(GtkWidget* combo, gpointer) {
    ReportUserAction(combo, SUBTYPE_SELECTION_CHANGED);
}

void OnPopupShown(GtkWidget* combo, GParamSpec*, gpointer) {
    gboolean shown = FALSE;
    g_object_get(combo, "popup-shown", &shown, nullptr);
    ReportUserAction(combo, shown ? SUBTYPE_DROPPED_DOWN : SUBTYPE_CLOSED_UP);
}

// GTK draws the combo box arrow from the icon theme's pan-down-symbolic,
// which the theme has at the 10 px of this look only as SVG: the first draw
// maps the SVG loader, librsvg and libxml2, some 10 MB resident. Drawn here
// instead as that SVG renders (one triangle in a 16-unit square, in the
// arrow's colour, with the theme's icon shadow), to the same pixels; GTK's
// own drawing, and with it the load, is skipped.
gboolean OnComboArrowDraw(GtkWidget* arrow, cairo_t* cr, gpointer) {
    constexpr double ICON_UNITS = 16;
    GtkStyleContext* style = gtk_widget_get_style_context(arrow);
    GdkRGBA colour;
    gtk_style_context_get_color(style, gtk_style_context_get_state(style), &colour);
    const int width = gtk_widget_get_allocated_width(arrow);
    const int height = gtk_widget_get_allocated_height(arrow);
    const int size = std::min(width, height);
    cairo_surface_t* icon = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cairo_t* fill = cairo_create(icon);
    cairo_scale(fill, size / ICON_UNITS, size / ICON_UNITS);
    cairo_move_to(fill, 13.996094, 5);
    cairo_line_to(fill, 8, 11);
    cairo_line_to(fill, 1.996094, 5);
    cairo_close_path(fill);
    gdk_cairo_set_source_rgba(fill, &colour);
    cairo_fill(fill);
    cairo_destroy(fill);
    gtk_render_icon_surface(style, cr, icon, (width - size) / 2.0, (height - size) / 2.0);
    cairo_surface_destroy(icon);
    return TRUE;
}

// The arrow is a widget in the combo box's inner button, its node "arrow".
void FindComboArrow(GtkWidget* widget, gpointer found) {
    auto* arrow = static_cast<GtkWidget**>(found);
    const char* node = gtk_widget_path_iter_get_object_name(gtk_widget_get_path(widget), -1);
    if (!*arrow && node && std::strcmp(node, "arrow") == 0) {
        *arrow = widget;
    } else if (!*arrow && GTK_IS_CONTAINER(widget)) {
        gtk_container_forall(GTK_CONTAINER(widget), FindComboArrow, found);
    }
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
    GtkWidget* arrow = nullptr;
    gtk_container_forall(GTK_CONTAINER(combo), FindComboArrow, &arrow);
    if (arrow) {
        g_signal_connect(arrow, "draw", G_CALLBACK(OnComboArrowDraw), nullptr);
    }
    return GadgetPlace(number, x, y, width, -1, COMBO_KIND, combo, combo);
}
