#pragma once

#include <cstdint>
#include <string>

// Decimal text of a 32-bit integer, INT32_MIN included.
std::string NumberToText(int32_t value);
