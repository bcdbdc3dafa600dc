#include "levels/profilevalue.h"

namespace {

// Magnitude of the most negative 32-bit value; one more than the largest positive one.
constexpr std::int64_t NegativeLimit = std::int64_t{1} << 31;
constexpr int MaxHexDigits = 8;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// -1 for anything that is not a hexadecimal digit.
int hexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Hex values are bit patterns: eight digits fill the 32 bits, so the top half reads as negative.
std::optional<std::int32_t> parseHex(std::string_view digits) {
    if (digits.empty()) {
        return std::nullopt;
    }
    std::uint32_t bits = 0;
    int significant = 0;
    for (const char c : digits) {
        const int digit = hexDigitValue(c);
        if (digit < 0) {
            return std::nullopt;
        }
        if (bits == 0 && digit == 0) {
            continue;  // leading zeros do not count towards the eight digits
        }
        if (++significant > MaxHexDigits) {
            return std::nullopt;
        }
        bits = bits << 4 | static_cast<std::uint32_t>(digit);
    }
    return static_cast<std::int32_t>(bits);
}

std::optional<std::int32_t> parseDecimal(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    std::int64_t magnitude = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > NegativeLimit) {
            return std::nullopt;  // out of range already; also keeps 64 bits from overflowing
        }
    }
    if (!negative && magnitude == NegativeLimit) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

}  // namespace

std::optional<std::int32_t> parseProfileInt(std::string_view text) {
    // "0x" is only recognised at the very start, before any blank, and turns into "$".
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        return parseHex(text.substr(2));
    }
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    if (!text.empty() && text.front() == '$') {
        return parseHex(text.substr(1));
    }
    return parseDecimal(text);
}
