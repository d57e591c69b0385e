// The program's texts are Windows-1252; a window system that speaks UTF-8
// (GTK) converts at its boundary. Platform-free.
#pragma once

#include <string>

// Every byte has a character: the five bytes Windows-1252 leaves undefined
// become the control characters of the same number, as on Windows.
std::string Utf8FromWindows1252(const char* text);
// Characters Windows-1252 cannot hold, and malformed UTF-8, become '?'.
std::string Windows1252FromUtf8(const char* text);
