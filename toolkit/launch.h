#pragma once

#include <cstdint>

// Starts a program, or hands a document or web address to the shell.
// 1 on success, 0 on failure; never waits.
int32_t DocumentOpen(const char* name);
