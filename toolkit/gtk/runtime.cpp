// The runtime over GTK 3: the toolkit starts once GTK can reach a display,
// and its windows carry the program's icon.
#include "toolkit/gtk/backend_gtk.h"

namespace {

// The window list shows the icon that the icon theme holds under the
// application id, which the program's desktop entry names too. An
// uninstalled program finds it in the icons folder its build stages beside it.
// Only the sizes a window list draws are loaded: by name, GTK would decode
// every size the theme has, up to 256 pixels, which costs start-up time and
// memory; docks and menus take the larger ones from the theme themselves.
void UseProgramIcon() {
    GtkIconTheme* theme = gtk_icon_theme_get_default();
    if (gchar* program = g_file_read_link("/proc/self/exe", nullptr)) {
        gchar* folder = g_path_get_dirname(program);
        gchar* icons = g_build_filename(folder, "icons", nullptr);
        gtk_icon_theme_append_search_path(theme, icons);
        g_free(icons);
        g_free(folder);
        g_free(program);
    }
    GList* sizes = nullptr;
    for (const int size : {16, 32, 48}) {
        if (GdkPixbuf* icon = gtk_icon_theme_load_icon(theme, TOOLKIT_APPLICATION_ID, size,
                                                       GTK_ICON_LOOKUP_FORCE_SIZE, nullptr)) {
            sizes = g_list_append(sizes, icon);
        }
    }
    gtk_window_set_default_icon_list(sizes);
    g_list_free_full(sizes, g_object_unref);
}

} // namespace

bool PlatformStart() {
    // Also the window class and the application id the desktop matches the
    // window to its desktop entry by.
    g_set_prgname(TOOLKIT_APPLICATION_ID);
    if (!gtk_init_check(nullptr, nullptr)) {
        return false;
    }
    UseProgramIcon();
    return true;
}

// GTK's controls need no registration of their own.
void PlatformCommonControlsStart() {}

void PlatformEnd() {}
