// Number parsing and formatting.
#pragma once

#include <cstdint>
#include <string>

// Leading blanks, an optional sign, then decimal digits or hexadecimal digits
// after "$", "x" or "0x"; anything else, or a value beyond 32 bits, gives def.
int32_t TextToIntDef(const std::string& text, int32_t def);
std::string IntToText(int64_t value);
// The sign goes before the fill: -5, width 3, pad '0' gives "-05".
std::string PadNumber(int32_t value, int16_t width, char pad);
