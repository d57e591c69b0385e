// DocumentOpen: a program is started if the name is one; otherwise the
// desktop opens it as a document or web address.
#include "toolkit/launch.h"

#include "toolkit/core/backend.h"

#include <cctype>
#include <string>

// A bare host beginning with "www." is a web address, as the Windows shell
// reads it.
std::string DocumentAddress(const std::string& name) {
    constexpr char WEB_HOST_PREFIX[] = "www.";
    const size_t length = sizeof WEB_HOST_PREFIX - 1;
    bool webHost = name.size() >= length;
    for (size_t i = 0; webHost && i < length; ++i) {
        webHost = std::tolower(static_cast<unsigned char>(name[i])) == WEB_HOST_PREFIX[i];
    }
    return webHost ? "http://" + name : name;
}

int32_t DocumentOpen(const char* name) {
    const std::string given = name ? name : "";
    // A name in double quotes is a whole command line already.
    const std::string commandLine = given[0] == '"' ? given : '"' + given + '"';
    if (PlatformStartProgram(commandLine.c_str())) {
        return 1;
    }
    return PlatformOpenDocument(given.c_str()) ? 1 : 0;
}
