// Program start over GLib's spawning, and documents and web addresses
// handed to the desktop's default application for them.
#include "toolkit/gtk/backend_gtk.h"

namespace {

bool HasScheme(const char* name) {
    gchar* scheme = g_uri_parse_scheme(name);
    const bool found = scheme != nullptr;
    g_free(scheme);
    return found;
}

} // namespace

// The program runs on its own; nothing waits for it.
bool PlatformStartProgram(const char* commandLine) {
    return g_spawn_command_line_async(GtkText(commandLine).c_str(), nullptr);
}

// A name without a scheme, and not a web host, is a document's path.
bool PlatformOpenDocument(const char* name) {
    std::string uri = DocumentAddress(GtkText(name));
    if (!HasScheme(uri.c_str())) {
        GFile* document = g_file_new_for_path(uri.c_str());
        gchar* documentUri = g_file_get_uri(document);
        uri = documentUri;
        g_free(documentUri);
        g_object_unref(document);
    }
    return g_app_info_launch_default_for_uri(uri.c_str(), nullptr, nullptr);
}
