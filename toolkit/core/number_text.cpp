// Decimal text of a number, for the program's texts.
#include "toolkit/number_text.h"

std::string NumberToText(int32_t value) {
    // Work with the magnitude as unsigned so that INT32_MIN needs no special case.
    uint32_t magnitude =
        value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
    char digits[11];
    char* first = digits + sizeof digits;
    do {
        *--first = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) {
        *--first = '-';
    }
    return std::string(first, digits + sizeof digits);
}
