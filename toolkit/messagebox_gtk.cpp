#include "toolkit/messagebox.h"

#include "toolkit/toolkit_gtk.h"

#include <vector>

namespace {

constexpr int32_t ID_OK = 1;
constexpr uint32_t ICON_FLAGS = 0xF0;

struct BoxKind {
    uint32_t iconFlags;
    GtkMessageType type;
};

const BoxKind boxKinds[] = {
    {16, GTK_MESSAGE_ERROR},
    {32, GTK_MESSAGE_QUESTION},
    {48, GTK_MESSAGE_WARNING},
    {64, GTK_MESSAGE_INFO},
};

GtkMessageType MessageTypeFor(uint32_t flags) {
    for (const BoxKind& kind : boxKinds) {
        if ((flags & ICON_FLAGS) == kind.iconFlags) {
            return kind.type;
        }
    }
    return GTK_MESSAGE_OTHER;
}

// GTK breaks lines at LF alone; a CR would show as a glyph of its own.
std::string WithoutCarriageReturns(std::string text) {
    std::string lines;
    for (char c : text) {
        if (c != '\r') {
            lines += c;
        }
    }
    return lines;
}

// The program's visible, sensitive top-level windows, made insensitive; the
// active one (or else the first) owns the box.
std::vector<GtkWidget*> DisableOtherWindows(GtkWindow** owner) {
    std::vector<GtkWidget*> disabled;
    GList* toplevels = gtk_window_list_toplevels();
    for (GList* item = toplevels; item; item = item->next) {
        GtkWidget* window = GTK_WIDGET(item->data);
        if (gtk_window_get_window_type(GTK_WINDOW(window)) != GTK_WINDOW_TOPLEVEL ||
            !gtk_widget_get_visible(window) || !gtk_widget_get_sensitive(window)) {
            continue;
        }
        if (!*owner || gtk_window_is_active(GTK_WINDOW(window))) {
            *owner = GTK_WINDOW(window);
        }
        g_object_ref(window);
        gtk_widget_set_sensitive(window, FALSE);
        disabled.push_back(window);
    }
    g_list_free(toplevels);
    return disabled;
}

} // namespace

// Always answers OK, as a Windows box with only an OK button does, whether
// it was pressed or the box was closed.
int32_t MessageBoxShow(const char* title, const char* text, uint32_t flags) {
    GtkWindow* owner = nullptr;
    const std::vector<GtkWidget*> disabled = DisableOtherWindows(&owner);
    GtkWidget* box =
        gtk_message_dialog_new(owner, GTK_DIALOG_MODAL, MessageTypeFor(flags), GTK_BUTTONS_OK, "%s",
                               WithoutCarriageReturns(GtkText(text)).c_str());
    gtk_window_set_title(GTK_WINDOW(box), GtkText(title).c_str());
    gtk_dialog_run(GTK_DIALOG(box));
    gtk_widget_destroy(box);
    for (auto window = disabled.rbegin(); window != disabled.rend(); ++window) {
        gtk_widget_set_sensitive(*window, TRUE);
        g_object_unref(*window);
    }
    return ID_OK;
}
