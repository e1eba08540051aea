#include "util/Numbers.h"

namespace {

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Eight significant digits at most, taken as a 32-bit pattern.
bool ParseHex(const std::string& text, size_t at, uint32_t& value)
{
    if (at >= text.size()) return false;
    value = 0;
    for (; at < text.size(); ++at) {
        const int digit = HexDigit(text[at]);
        if (digit < 0 || value > 0x0FFFFFFFu) return false;
        value = (value << 4) | static_cast<uint32_t>(digit);
    }
    return true;
}

// Decimal digits up to limit; stops early so that long texts cannot overflow.
bool ParseDecimal(const std::string& text, size_t at, uint32_t limit, uint32_t& value)
{
    if (at >= text.size()) return false;
    uint64_t sum = 0;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (c < '0' || c > '9') return false;
        sum = sum * 10 + static_cast<uint64_t>(c - '0');
        if (sum > limit) return false;
    }
    value = static_cast<uint32_t>(sum);
    return true;
}

}  // namespace

int32_t TextToIntDef(const std::string& text, int32_t def)
{
    size_t at = 0;
    while (at < text.size() && text[at] == ' ') ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
        negative = text[at] == '-';
        ++at;
    }
    uint32_t magnitude = 0;
    bool valid;
    if (at < text.size() && (text[at] == '$' || text[at] == 'x' || text[at] == 'X')) {
        valid = ParseHex(text, at + 1, magnitude);
    } else if (at + 1 < text.size() && text[at] == '0' &&
               (text[at + 1] == 'x' || text[at + 1] == 'X')) {
        valid = ParseHex(text, at + 2, magnitude);
    } else {
        valid = ParseDecimal(text, at, negative ? 0x80000000u : 0x7FFFFFFFu, magnitude);
    }
    if (!valid) return def;
    // Negating in unsigned arithmetic wraps instead of overflowing.
    return static_cast<int32_t>(negative ? 0u - magnitude : magnitude);
}

std::string IntToText(int64_t value)
{
    return std::to_string(static_cast<long long>(value));
}

std::string PadNumber(int32_t value, int16_t width, char pad)
{
    const bool negative = value < 0;
    const uint32_t magnitude =
        negative ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
    std::string digits = std::to_string(magnitude);
    const int fill = (negative ? width - 1 : int{width}) - static_cast<int>(digits.size());
    if (fill > 0) digits.insert(0, static_cast<size_t>(fill), pad);
    if (negative) digits.insert(0, 1, '-');
    return digits;
}
