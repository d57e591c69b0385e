#include "toolkit/launch.h"

#include "toolkit/toolkit_gtk.h"

namespace {

bool HasScheme(const char* name) {
    gchar* scheme = g_uri_parse_scheme(name);
    const bool found = scheme != nullptr;
    g_free(scheme);
    return found;
}

} // namespace

// Hands a web address, or a document's path, to the desktop's default
// handler. A bare "www." host is a web address, as the Windows shell reads it.
int32_t DocumentOpen(const char* name) {
    const std::string given = GtkText(name);
    std::string uri = given;
    if (g_ascii_strncasecmp(given.c_str(), "www.", 4) == 0) {
        uri = "http://" + given;
    } else if (!HasScheme(given.c_str())) {
        GFile* document = g_file_new_for_path(given.c_str());
        gchar* documentUri = g_file_get_uri(document);
        uri = documentUri;
        g_free(documentUri);
        g_object_unref(document);
    }
    return g_app_info_launch_default_for_uri(uri.c_str(), nullptr, nullptr) ? 1 : 0;
}
