// Gadgets over GTK widgets placed at fixed positions in their window's
// GtkFixed: registration, the texts, the colours as CSS, the focus reports
// and the tab stops; one file per kind family beside this one.
#include "toolkit/core/code_page.h"
#include "toolkit/gtk/backend_gtk.h"

namespace {

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

GtkCssProvider* toolkitLook; // for the whole screen, from the first start on

// The gadget's number is kept on its widget.
ObjectNumber GadgetNumberOf(GtkWidget* widget) {
    return static_cast<ObjectNumber>(
        reinterpret_cast<intptr_t>(g_object_get_data(G_OBJECT(widget), GADGET_NUMBER_KEY)));
}

// The live gadget the widget is part of, or nullptr.
GadgetRecord* GadgetOwning(GtkWidget* widget) {
    for (; widget; widget = gtk_widget_get_parent(widget)) {
        if (GadgetRecord* record =
                GadgetOfControl(GadgetNumberOf(widget), reinterpret_cast<intptr_t>(widget))) {
            return record;
        }
    }
    return nullptr;
}

void OnDestroy(GtkWidget* widget, gpointer) {
    GadgetDestroyed(GadgetNumberOf(widget), reinterpret_cast<intptr_t>(widget));
}

} // namespace

void PlatformGadgetLibraryStart() {
    if (!toolkitLook) {
        toolkitLook = gtk_css_provider_new();
        gtk_css_provider_load_from_data(toolkitLook, TOOLKIT_CSS, -1, nullptr);
        gtk_style_context_add_provider_for_screen(gdk_screen_get_default(),
                                                  GTK_STYLE_PROVIDER(toolkitLook),
                                                  GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    }
}

intptr_t GadgetPlace(ObjectNumber number, int32_t x, int32_t y, int32_t width, int32_t height,
                     const GadgetKindTable& kind, GtkWidget* widget, GtkWidget* content,
                     int32_t textColour) {
    const auto handle = reinterpret_cast<intptr_t>(widget);
    GtkFixed* area = WindowGadgetArea(WidgetOf(GadgetParent()));
    if (!area) {
        PlatformGadgetDiscard(handle);
        return 0;
    }
    gtk_widget_set_size_request(widget, width, height);
    gtk_fixed_put(area, widget, x, y);
    return GadgetAdd(number, GadgetRecord{handle, &kind, reinterpret_cast<intptr_t>(content),
                                          COLOUR_DEFAULT, textColour, 0, nullptr, number});
}

void PlatformGadgetAttach(GadgetRecord& record, ObjectNumber number) {
    GtkWidget* widget = WidgetOf(record.handle);
    if (record.textColour != COLOUR_DEFAULT) {
        PlatformGadgetRecolour(record, COLOUR_TEXT);
    }
    g_object_set_data(G_OBJECT(widget), GADGET_NUMBER_KEY,
                      reinterpret_cast<gpointer>(static_cast<intptr_t>(number)));
    g_signal_connect(widget, "destroy", G_CALLBACK(OnDestroy), nullptr);
    gtk_widget_show_all(widget);
}

// Placed in its window or not yet, the widget is gone afterwards.
void PlatformGadgetDiscard(intptr_t control) {
    g_object_ref_sink(WidgetOf(control));
    gtk_widget_destroy(WidgetOf(control));
    g_object_unref(WidgetOf(control));
}

void PlatformGadgetDestroy(intptr_t control) {
    gtk_widget_destroy(WidgetOf(control));
}

// The text as the content widget's kind holds it.
std::string PlatformGadgetText(const GadgetRecord& record) {
    GtkWidget* content = ContentOf(record);
    const char* text = nullptr;
    gchar* selected = nullptr;
    if (GTK_IS_FRAME(content)) {
        text = gtk_frame_get_label(GTK_FRAME(content));
    } else if (GTK_IS_BUTTON(content)) {
        text = gtk_button_get_label(GTK_BUTTON(content));
    } else if (GTK_IS_LABEL(content)) {
        text = gtk_label_get_text(GTK_LABEL(content));
    } else if (GTK_IS_ENTRY(content)) {
        text = gtk_entry_get_text(GTK_ENTRY(content));
    } else if (GTK_IS_COMBO_BOX_TEXT(content)) {
        text = selected = gtk_combo_box_text_get_active_text(GTK_COMBO_BOX_TEXT(content));
    }
    const std::string program = ProgramText(text ? text : "");
    g_free(selected);
    return program;
}

void PlatformGadgetSetText(GadgetRecord& record, const char* text) {
    GtkWidget* content = ContentOf(record);
    const std::string shown = GtkText(text);
    if (GTK_IS_FRAME(content)) {
        gtk_frame_set_label(GTK_FRAME(content), shown.c_str());
    } else if (GTK_IS_BUTTON(content)) {
        gtk_button_set_label(GTK_BUTTON(content), shown.c_str());
    } else if (GTK_IS_LABEL(content)) {
        gtk_label_set_text(GTK_LABEL(content), shown.c_str());
    } else if (GTK_IS_ENTRY(content)) {
        gtk_entry_set_text(GTK_ENTRY(content), shown.c_str());
    }
}

// The colours that are set, as CSS on the content widget; the others are
// the theme's.
void PlatformGadgetRecolour(GadgetRecord& record, int32_t) {
    std::string css = "* {";
    if (record.textColour != COLOUR_DEFAULT) {
        css += " color: " + CssColour(record.textColour) + ";";
    }
    if (record.background != COLOUR_DEFAULT) {
        css += " background-color: " + CssColour(record.background) + "; background-image: none;";
    }
    css += " }";
    if (!record.paint) {
        GtkCssProvider* colours = gtk_css_provider_new();
        gtk_style_context_add_provider(gtk_widget_get_style_context(ContentOf(record)),
                                       GTK_STYLE_PROVIDER(colours),
                                       GTK_STYLE_PROVIDER_PRIORITY_APPLICATION + 1);
        record.paint = reinterpret_cast<intptr_t>(colours);
    }
    gtk_css_provider_load_from_data(reinterpret_cast<GtkCssProvider*>(record.paint), css.c_str(),
                                    -1, nullptr);
}

void KindFreeColours(GadgetRecord& record) {
    if (record.paint) {
        g_object_unref(reinterpret_cast<GtkCssProvider*>(record.paint));
        record.paint = 0;
    }
}

void ReportUserAction(GtkWidget* widget, int32_t subtype) {
    if (const GadgetRecord* record = GadgetOwning(widget)) {
        GadgetReport(WindowNumberOf(widget), record->number, subtype);
    }
}

bool GadgetIsTabStop(GtkWidget* gadget) {
    const GadgetRecord* record =
        GadgetOfControl(GadgetNumberOf(gadget), reinterpret_cast<intptr_t>(gadget));
    return record && KindIsTabStop(*record->kind);
}

// The focus may pass through several widgets of one gadget; the core
// reports only a move from one gadget to another.
void ReportFocusMove(GtkWidget* from, GtkWidget* to) {
    const GadgetRecord* losing = from ? GadgetOwning(from) : nullptr;
    const GadgetRecord* gaining = to ? GadgetOwning(to) : nullptr;
    GadgetFocusMoved(WindowNumberOf(from ? from : to), losing, gaining);
}

std::string GtkText(const char* text) {
    return Utf8FromWindows1252(text ? text : "");
}

std::string ProgramText(const char* utf8) {
    return Windows1252FromUtf8(utf8);
}
