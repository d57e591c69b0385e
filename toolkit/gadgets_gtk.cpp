// The gadget library over GTK 3: each gadget is a widget at a fixed position
// in its window, with one table of operations per kind. Texts cross into GTK
// as UTF-8 and come back as Windows-1252.
#include "toolkit/code_page.h"
#include "toolkit/gadgets.h"
#include "toolkit/toolkit_gtk.h"
#include "toolkit/windows.h"

#include <cstdio>

namespace {

struct GadgetKindTable;

struct GadgetRecord {
    GtkWidget* handle; // the widget placed in the window; 0 while the slot is free
    const GadgetKindTable* kind;
    GtkWidget* content; // the widget that holds the text or the state
    int32_t background;
    int32_t textColour;
    GtkCssProvider* colours; // the content's colours, once one was set
};

// Empty entries: the operation does nothing, or answers 0 or "".
struct GadgetKindTable {
    int32_t (*getState)(GadgetRecord& record);
    void (*setState)(GadgetRecord& record, int32_t value);
    std::string (*getText)(GadgetRecord& record); // UTF-8
    void (*setText)(GadgetRecord& record, const char* text);
    void (*addItem)(GadgetRecord& record, int32_t position, const char* text);
    bool hasColours;
    bool tabStop;
    // What the gadget reports when it gains or loses the focus, in order; 0 ends.
    int32_t focusGained[2];
    int32_t focusLost[2];
};

constexpr int32_t GADGET_GROWTH_STEP = 50;
constexpr char GADGET_NUMBER_KEY[] = "toolkit-gadget-number";

// The layout was made for the narrow Windows dialog font: a face and size
// as narrow, and controls with no more room around their text than their
// Win32 counterparts have, let every caption fit.
constexpr char TOOLKIT_CSS[] = R"(
.toolkit { font-family: "Liberation Sans", sans-serif; font-size: 10.5px; }
.toolkit button { padding: 0 4px; min-height: 0; min-width: 0; }
.toolkit checkbutton { padding: 0; }
.toolkit check { min-width: 10px; min-height: 10px; margin: 0 3px 0 0; }
.toolkit checkbutton label { margin: 0; }
.toolkit combobox button { padding: 0 2px; }
.toolkit combobox arrow { min-width: 10px; min-height: 10px; }
.toolkit entry { min-height: 0; padding: 1px 3px; }
.toolkit frame > label { margin: 0 4px; }
)";

ObjectRegistry<GadgetRecord> gadgets;
GtkFixed* creationArea;
GtkCssProvider* toolkitLook; // for the whole screen, from the first start on
// Changes the program makes raise no events, as on Windows, where only the
// user's actions make controls notify.
bool programChanging;

// GTK answers nullptr for a text never set.
std::string TextOrEmpty(const char* text) {
    return text ? text : "";
}

std::string FrameText(GadgetRecord& record) {
    return TextOrEmpty(gtk_frame_get_label(GTK_FRAME(record.content)));
}

void SetFrameText(GadgetRecord& record, const char* text) {
    gtk_frame_set_label(GTK_FRAME(record.content), text);
}

std::string ButtonText(GadgetRecord& record) {
    return TextOrEmpty(gtk_button_get_label(GTK_BUTTON(record.content)));
}

void SetButtonText(GadgetRecord& record, const char* text) {
    gtk_button_set_label(GTK_BUTTON(record.content), text);
}

std::string LabelText(GadgetRecord& record) {
    return TextOrEmpty(gtk_label_get_text(GTK_LABEL(record.content)));
}

void SetLabelText(GadgetRecord& record, const char* text) {
    gtk_label_set_text(GTK_LABEL(record.content), text);
}

std::string EntryText(GadgetRecord& record) {
    return TextOrEmpty(gtk_entry_get_text(GTK_ENTRY(record.content)));
}

void SetEntryText(GadgetRecord& record, const char* text) {
    gtk_entry_set_text(GTK_ENTRY(record.content), text);
}

int32_t CheckState(GadgetRecord& record) {
    return gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(record.content)) ? 1 : 0;
}

void SetCheckState(GadgetRecord& record, int32_t value) {
    programChanging = true;
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(record.content), value != 0);
    programChanging = false;
}

int32_t ComboIndex(GadgetRecord& record) {
    return gtk_combo_box_get_active(GTK_COMBO_BOX(record.content));
}

int32_t ComboCount(GadgetRecord& record) {
    return gtk_tree_model_iter_n_children(gtk_combo_box_get_model(GTK_COMBO_BOX(record.content)),
                                          nullptr);
}

// An index that names no entry leaves none selected, as on Windows.
void SetComboIndex(GadgetRecord& record, int32_t index) {
    const bool names = index >= 0 && index < ComboCount(record);
    programChanging = true;
    gtk_combo_box_set_active(GTK_COMBO_BOX(record.content), names ? index : -1);
    programChanging = false;
}

std::string ComboText(GadgetRecord& record) {
    gchar* text = gtk_combo_box_text_get_active_text(GTK_COMBO_BOX_TEXT(record.content));
    const std::string selected = TextOrEmpty(text);
    g_free(text);
    return selected;
}

// The whole text, regardless of case, as the Windows combo box matches; no
// match keeps the selection, the empty text clears it.
void SelectComboText(GadgetRecord& record, const char* text) {
    if (!*text) {
        SetComboIndex(record, -1);
        return;
    }
    GtkTreeModel* entries = gtk_combo_box_get_model(GTK_COMBO_BOX(record.content));
    gchar* wanted = g_utf8_casefold(text, -1);
    const gint column = gtk_combo_box_get_entry_text_column(GTK_COMBO_BOX(record.content));
    GtkTreeIter entry;
    int32_t index = 0;
    for (gboolean more = gtk_tree_model_get_iter_first(entries, &entry); more;
         more = gtk_tree_model_iter_next(entries, &entry), ++index) {
        gchar* shown = nullptr;
        gtk_tree_model_get(entries, &entry, column, &shown, -1);
        gchar* folded = g_utf8_casefold(shown ? shown : "", -1);
        const bool same = g_strcmp0(folded, wanted) == 0;
        g_free(folded);
        g_free(shown);
        if (same) {
            SetComboIndex(record, index);
            break;
        }
    }
    g_free(wanted);
}

// -1 appends; a position past the end adds nothing, as on Windows.
void InsertComboItem(GadgetRecord& record, int32_t position, const char* text) {
    if (position < -1 || position > ComboCount(record)) {
        return;
    }
    gtk_combo_box_text_insert_text(GTK_COMBO_BOX_TEXT(record.content), position, text);
}

const GadgetKindTable FRAME_KIND = {nullptr, nullptr, FrameText, SetFrameText, nullptr, false,
                                    false,   {},      {}};
const GadgetKindTable BUTTON_KIND = {nullptr, nullptr, ButtonText, SetButtonText, nullptr, false,
                                     true,    {},      {}};
const GadgetKindTable CHECK_BOX_KIND = {
    CheckState, SetCheckState, ButtonText, SetButtonText, nullptr, false, true, {}, {}};
const GadgetKindTable LABEL_KIND = {nullptr, nullptr, LabelText, SetLabelText, nullptr, true,
                                    false,   {},      {}};
const GadgetKindTable COMBO_KIND = {ComboIndex,
                                    SetComboIndex,
                                    ComboText,
                                    SelectComboText,
                                    InsertComboItem,
                                    false,
                                    true,
                                    {SUBTYPE_COMBO_FOCUS_GAINED},
                                    {SUBTYPE_COMBO_FOCUS_LOST}};
const GadgetKindTable OUTPUT_BOX_KIND = {nullptr,
                                         nullptr,
                                         EntryText,
                                         SetEntryText,
                                         nullptr,
                                         true,
                                         true,
                                         {SUBTYPE_EDIT_FOCUS_GAINED, SUBTYPE_FOCUS_GAINED},
                                         {SUBTYPE_EDIT_FOCUS_LOST, SUBTYPE_FOCUS_LOST}};

ObjectNumber GadgetNumberOf(GtkWidget* widget) {
    return static_cast<ObjectNumber>(
        reinterpret_cast<intptr_t>(g_object_get_data(G_OBJECT(widget), GADGET_NUMBER_KEY)));
}

GadgetRecord* LiveGadget(ObjectNumber number, GtkWidget* widget) {
    GadgetRecord* record = RegistryLookup(gadgets, number);
    return record && record->handle == widget ? record : nullptr;
}

// The live gadget the widget is part of, or nullptr.
GadgetRecord* GadgetOwning(GtkWidget* widget, ObjectNumber* number) {
    for (; widget; widget = gtk_widget_get_parent(widget)) {
        *number = GadgetNumberOf(widget);
        if (GadgetRecord* record = LiveGadget(*number, widget)) {
            return record;
        }
    }
    return nullptr;
}

void OnGadgetDestroy(GtkWidget* widget, gpointer) {
    const ObjectNumber number = GadgetNumberOf(widget);
    if (GadgetRecord* record = LiveGadget(number, widget)) {
        if (record->colours) {
            g_object_unref(record->colours);
        }
        RegistryRelease(gadgets, number);
    }
}

// Claiming a live number destroys the old widget, which releases the number.
void DestroyLiveGadget(ObjectNumber number) {
    if (const GadgetRecord* record = RegistryLookup(gadgets, number)) {
        gtk_widget_destroy(record->handle);
    }
}

// Reports a user's action on the gadget the widget belongs to.
void Report(GtkWidget* widget, int32_t subtype) {
    ObjectNumber number = 0;
    if (!programChanging && GadgetOwning(widget, &number)) {
        WindowPostGadgetEvent(widget, number, subtype);
    }
}

void OnClicked(GtkWidget* widget, gpointer) {
    Report(widget, SUBTYPE_CLICKED);
}

void OnComboChanged(GtkWidget* combo, gpointer) {
    Report(combo, SUBTYPE_SELECTION_CHANGED);
}

void OnComboPopup(GtkWidget* combo, GParamSpec*, gpointer) {
    gboolean shown = FALSE;
    g_object_get(combo, "popup-shown", &shown, nullptr);
    Report(combo, shown ? SUBTYPE_DROPPED_DOWN : SUBTYPE_CLOSED_UP);
}

// "#rrggbb" of a 0x00BBGGRR colour.
std::string CssColour(int32_t colour) {
    char css[8];
    std::snprintf(css, sizeof css, "#%02x%02x%02x", colour & 0xFF, (colour >> 8) & 0xFF,
                  (colour >> 16) & 0xFF);
    return css;
}

// The colours that are set, as CSS on the content widget; the others are
// the theme's.
void ApplyColours(GadgetRecord& record) {
    std::string css = "* {";
    if (record.textColour != COLOUR_DEFAULT) {
        css += " color: " + CssColour(record.textColour) + ";";
    }
    if (record.background != COLOUR_DEFAULT) {
        css += " background-color: " + CssColour(record.background) + "; background-image: none;";
    }
    css += " }";
    if (!record.colours) {
        record.colours = gtk_css_provider_new();
        gtk_style_context_add_provider(gtk_widget_get_style_context(record.content),
                                       GTK_STYLE_PROVIDER(record.colours),
                                       GTK_STYLE_PROVIDER_PRIORITY_APPLICATION + 1);
    }
    gtk_css_provider_load_from_data(record.colours, css.c_str(), -1, nullptr);
}

// Places the new widget and registers it; a widget that cannot be placed or
// registered is dropped.
intptr_t AddGadget(ObjectNumber number, int32_t x, int32_t y, int32_t width, int32_t height,
                   const GadgetKindTable& kind, GtkWidget* widget, GtkWidget* content,
                   int32_t textColour = COLOUR_DEFAULT) {
    ObjectNumber claimed = number;
    GadgetRecord* record = creationArea ? RegistryClaim(gadgets, number, &claimed) : nullptr;
    if (!record) {
        g_object_ref_sink(widget);
        g_object_unref(widget);
        return 0;
    }
    *record = GadgetRecord{widget, &kind, content, COLOUR_DEFAULT, textColour, nullptr};
    if (textColour != COLOUR_DEFAULT) {
        ApplyColours(*record);
    }
    g_object_set_data(G_OBJECT(widget), GADGET_NUMBER_KEY,
                      reinterpret_cast<gpointer>(static_cast<intptr_t>(claimed)));
    g_signal_connect(widget, "destroy", G_CALLBACK(OnGadgetDestroy), nullptr);
    gtk_widget_set_size_request(widget, width, height);
    gtk_fixed_put(creationArea, widget, x, y);
    gtk_widget_show_all(widget);
    return number == NUMBER_ANY ? claimed : reinterpret_cast<intptr_t>(widget);
}

GtkWidget* NewLabel(const char* text) {
    GtkWidget* label = gtk_label_new(GtkText(text).c_str());
    gtk_label_set_xalign(GTK_LABEL(label), 0);
    gtk_label_set_yalign(GTK_LABEL(label), 0);
    return label;
}

// The hover colour, while the pointer is over the link and its window
// takes input; above the link's own colours.
void StyleLink(GtkWidget* label, int32_t hoverColour) {
    if (hoverColour == COLOUR_DEFAULT) {
        return;
    }
    const std::string css = "label:hover:not(:disabled) { color: " + CssColour(hoverColour) + "; }";
    GtkCssProvider* provider = gtk_css_provider_new();
    if (gtk_css_provider_load_from_data(provider, css.c_str(), -1, nullptr)) {
        gtk_style_context_add_provider(gtk_widget_get_style_context(label),
                                       GTK_STYLE_PROVIDER(provider),
                                       GTK_STYLE_PROVIDER_PRIORITY_APPLICATION + 2);
    }
    g_object_unref(provider);
}

gboolean OnLinkCrossing(GtkWidget* box, GdkEventCrossing* crossing, gpointer) {
    GtkWidget* label = gtk_bin_get_child(GTK_BIN(box));
    if (crossing->type == GDK_ENTER_NOTIFY) {
        gtk_widget_set_state_flags(label, GTK_STATE_FLAG_PRELIGHT, FALSE);
    } else {
        gtk_widget_unset_state_flags(label, GTK_STATE_FLAG_PRELIGHT);
    }
    return FALSE;
}

// A release over the link, as on Windows; not one after the pointer left it.
gboolean OnLinkRelease(GtkWidget* box, GdkEventButton* button, gpointer) {
    const bool over = button->x >= 0 && button->y >= 0 &&
                      button->x < gtk_widget_get_allocated_width(box) &&
                      button->y < gtk_widget_get_allocated_height(box);
    if (button->button == GDK_BUTTON_PRIMARY && over) {
        Report(box, SUBTYPE_CLICKED);
    }
    return TRUE;
}

void OnLinkRealize(GtkWidget* box, gpointer) {
    GdkCursor* hand = gdk_cursor_new_from_name(gtk_widget_get_display(box), "pointer");
    gdk_window_set_cursor(gtk_widget_get_window(box), hand);
    if (hand) {
        g_object_unref(hand);
    }
}

void PostFocusReports(GtkWidget* widget, const int32_t (&reports)[2]) {
    ObjectNumber number = 0;
    if (!GadgetOwning(widget, &number)) {
        return;
    }
    for (int32_t subtype : reports) {
        if (subtype) {
            WindowPostGadgetEvent(widget, number, subtype);
        }
    }
}

} // namespace

bool GadgetIsTabStop(GtkWidget* gadget) {
    const GadgetRecord* record = LiveGadget(GadgetNumberOf(gadget), gadget);
    return record && record->kind->tabStop;
}

// Each gadget reports its own focus, once, however many of its widgets the
// focus passes through.
void GadgetFocusMoved(GtkWidget* from, GtkWidget* to) {
    ObjectNumber number = 0;
    const GadgetRecord* losing = from ? GadgetOwning(from, &number) : nullptr;
    const GadgetRecord* gaining = to ? GadgetOwning(to, &number) : nullptr;
    if (losing == gaining) {
        return;
    }
    if (losing) {
        PostFocusReports(losing->handle, losing->kind->focusLost);
    }
    if (gaining) {
        PostFocusReports(gaining->handle, gaining->kind->focusGained);
    }
}

bool GadgetLibraryInit() {
    if (!gadgets.slots && !RegistryCreate(gadgets, GADGET_GROWTH_STEP, DestroyLiveGadget)) {
        return false;
    }
    creationArea = nullptr;
    if (!toolkitLook) {
        toolkitLook = gtk_css_provider_new();
        gtk_css_provider_load_from_data(toolkitLook, TOOLKIT_CSS, -1, nullptr);
        gtk_style_context_add_provider_for_screen(gdk_screen_get_default(),
                                                  GTK_STYLE_PROVIDER(toolkitLook),
                                                  GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    }
    return true;
}

intptr_t GadgetListBegin(intptr_t parent) {
    creationArea = WindowGadgetArea(reinterpret_cast<GtkWidget*>(parent));
    return parent;
}

intptr_t FrameCreate(ObjectNumber number, int32_t x, int32_t y, int32_t width, int32_t height,
                     const char* text) {
    GtkWidget* frame = gtk_frame_new(GtkText(text).c_str());
    return AddGadget(number, x, y, width, height, FRAME_KIND, frame, frame);
}

intptr_t ButtonCreate(ObjectNumber number, int32_t x, int32_t y, int32_t width, int32_t height,
                      const char* text) {
    GtkWidget* button = gtk_button_new_with_label(GtkText(text).c_str());
    g_signal_connect(button, "clicked", G_CALLBACK(OnClicked), nullptr);
    return AddGadget(number, x, y, width, height, BUTTON_KIND, button, button);
}

// A sunken label sits in a frame with an inset border.
intptr_t LabelCreate(ObjectNumber number, int32_t x, int32_t y, int32_t width, int32_t height,
                     const char* text, uint32_t flags) {
    GtkWidget* label = NewLabel(text);
    GtkWidget* widget = label;
    if (flags & LABEL_SUNKEN) {
        widget = gtk_frame_new(nullptr);
        gtk_frame_set_shadow_type(GTK_FRAME(widget), GTK_SHADOW_IN);
        gtk_container_add(GTK_CONTAINER(widget), label);
    }
    return AddGadget(number, x, y, width, height, LABEL_KIND, widget, label);
}

intptr_t CheckBoxCreate(ObjectNumber number, int32_t x, int32_t y, int32_t width, int32_t height,
                        const char* text) {
    GtkWidget* box = gtk_check_button_new_with_label(GtkText(text).c_str());
    g_signal_connect(box, "clicked", G_CALLBACK(OnClicked), nullptr);
    return AddGadget(number, x, y, width, height, CHECK_BOX_KIND, box, box);
}

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
    g_signal_connect(combo, "changed", G_CALLBACK(OnComboChanged), nullptr);
    g_signal_connect(combo, "notify::popup-shown", G_CALLBACK(OnComboPopup), nullptr);
    return AddGadget(number, x, y, width, -1, COMBO_KIND, combo, combo);
}

// Read-only boxes still let the user select and copy their text.
intptr_t OutputBoxCreate(ObjectNumber number, int32_t x, int32_t y, int32_t width, int32_t height,
                         const char* text, uint32_t flags) {
    GtkWidget* entry = gtk_entry_new();
    gtk_entry_set_text(GTK_ENTRY(entry), GtkText(text).c_str());
    gtk_editable_set_editable(GTK_EDITABLE(entry), (flags & OUTPUT_BOX_READ_ONLY) == 0);
    gtk_entry_set_has_frame(GTK_ENTRY(entry), (flags & OUTPUT_BOX_NO_BORDER) == 0);
    return AddGadget(number, x, y, width, height, OUTPUT_BOX_KIND, entry, entry);
}

intptr_t LinkCreate(ObjectNumber number, int32_t x, int32_t y, int32_t width, int32_t height,
                    const char* text, int32_t hoverColour) {
    constexpr int32_t BLACK = 0;
    GtkWidget* label = NewLabel(text);
    StyleLink(label, hoverColour);
    GtkWidget* box = gtk_event_box_new();
    gtk_container_add(GTK_CONTAINER(box), label);
    gtk_widget_add_events(box, GDK_ENTER_NOTIFY_MASK | GDK_LEAVE_NOTIFY_MASK |
                                   GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK);
    g_signal_connect(box, "enter-notify-event", G_CALLBACK(OnLinkCrossing), nullptr);
    g_signal_connect(box, "leave-notify-event", G_CALLBACK(OnLinkCrossing), nullptr);
    g_signal_connect(box, "button-release-event", G_CALLBACK(OnLinkRelease), nullptr);
    g_signal_connect(box, "realize", G_CALLBACK(OnLinkRealize), nullptr);
    return AddGadget(number, x, y, width, height, LABEL_KIND, box, label, BLACK);
}

int32_t GadgetAddItem(ObjectNumber number, int32_t position, const char* text) {
    GadgetRecord* record = RegistryLookup(gadgets, number);
    if (record && record->kind->addItem) {
        record->kind->addItem(*record, position, GtkText(text).c_str());
    }
    return 0;
}

void GadgetSetState(ObjectNumber number, int32_t value) {
    GadgetRecord* record = RegistryLookup(gadgets, number);
    if (record && record->kind->setState) {
        record->kind->setState(*record, value);
    }
}

int32_t GadgetGetState(ObjectNumber number) {
    GadgetRecord* record = RegistryLookup(gadgets, number);
    return record && record->kind->getState ? record->kind->getState(*record) : 0;
}

std::string GadgetGetText(ObjectNumber number) {
    GadgetRecord* record = RegistryLookup(gadgets, number);
    return record && record->kind->getText
               ? Windows1252FromUtf8(record->kind->getText(*record).c_str())
               : std::string();
}

void GadgetSetText(ObjectNumber number, const char* text) {
    GadgetRecord* record = RegistryLookup(gadgets, number);
    if (record && record->kind->setText) {
        record->kind->setText(*record, GtkText(text).c_str());
    }
}

void GadgetSetColour(ObjectNumber number, int32_t which, int32_t colour) {
    GadgetRecord* record = RegistryLookup(gadgets, number);
    if (!record || !record->kind->hasColours) {
        return;
    }
    if (which == COLOUR_TEXT) {
        record->textColour = colour;
    } else if (which == COLOUR_BACKGROUND) {
        record->background = colour;
    }
    ApplyColours(*record);
}

int32_t GadgetGetColour(ObjectNumber number, int32_t which) {
    const GadgetRecord* record = RegistryLookup(gadgets, number);
    if (!record || !record->kind->hasColours) {
        return COLOUR_DEFAULT;
    }
    return which == COLOUR_TEXT         ? record->textColour
           : which == COLOUR_BACKGROUND ? record->background
                                        : COLOUR_DEFAULT;
}
