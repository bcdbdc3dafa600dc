#include "levels/profilesyntax.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <initializer_list>

namespace ProfileSyntax {

namespace {

// Which bytes are blanks and which break lines, looked up rather than compared: every byte of a
// file's lines passes through here, and the fuzzer traces each comparison made.
constexpr std::array<bool, 256> byteSet(std::initializer_list<unsigned char> members) {
    std::array<bool, 256> set{};
    for (const unsigned char member : members) {
        set[member] = true;
    }
    return set;
}
constexpr std::array<bool, 256> Blanks = byteSet({' ', '\t'});
constexpr std::array<bool, 256> LineBreaks = byteSet({'\r', '\n'});

bool isBlank(char c) {
    return Blanks[static_cast<unsigned char>(c)];
}

bool isLineBreak(char c) {
    return LineBreaks[static_cast<unsigned char>(c)];
}

// Up to eight bytes of `text` from `at`, as one word.
std::uint64_t load(std::string_view text, std::size_t at, std::size_t count) {
    std::uint64_t word = 0;
    if (count > 0) {
        std::memcpy(&word, text.data() + at, count);
    }
    return word;
}

// ASCII lower case of eight bytes at once, since names are compared and hashed all the time.
// Each byte from 'A' to 'Z' gets the bit 0x20; the sums cannot carry from one byte into the next.
std::uint64_t asciiLower(std::uint64_t bytes) {
    constexpr std::uint64_t Ones = 0x0101010101010101u;
    const std::uint64_t low = bytes & (0x7F * Ones);
    const std::uint64_t fromA = low + (0x80 - 'A') * Ones;      // top bit: at least 'A'
    const std::uint64_t pastZ = low + (0x80 - 'Z' - 1) * Ones;  // top bit: beyond 'Z'
    const std::uint64_t letters = fromA & ~pastZ & ~bytes & (0x80 * Ones);
    return bytes | letters >> 2;
}

// The characters of `text` from `from` up to `to`. Every line of a file goes through here, so
// without substr's range check and the exception behind it.
std::string_view slice(std::string_view text, std::size_t from, std::size_t to) {
    return {text.data() + from, to - from};
}

std::string_view stripOuterQuotes(std::string_view text) {
    const std::size_t size = text.size();
    const bool quoted =
        size >= 2 && (text[0] == '"' || text[0] == '\'') && text[size - 1] == text[0];
    return quoted ? slice(text, 1, size - 1) : text;
}

// A header begins with '[' and holds a ']'. A line that begins with '[' without one is an
// ordinary line: an entry when it holds '='.
bool isSectionHeader(std::string_view line) {
    return line[0] == '[' && line.find(']') != std::string_view::npos;
}

void classify(Line& line) {
    const std::string_view trimmed = trimBlanks(line.raw);
    line.kind = Line::Other;
    if (trimmed.empty() || trimmed[0] == ';') {
        line.kind = Line::Skipped;
        return;
    }
    if (isSectionHeader(trimmed)) {
        line.kind = Line::Header;
        line.name = trimBlanks(slice(trimmed, 1, trimmed.find(']')));
        return;
    }
    const std::size_t equals = trimmed.find('=');
    if (equals == std::string_view::npos) {
        return;
    }
    line.name = trimBlanks(slice(trimmed, 0, equals));
    if (line.name.empty()) {
        return;
    }
    line.kind = Line::Entry;
    line.valueText = stripOuterQuotes(trimBlanks(slice(trimmed, equals + 1, trimmed.size())));
    line.value = slice(line.valueText, 0, std::min(line.valueText.size(), MaxValueLength));
}

}  // namespace

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t at = 0; at < a.size(); at += 8) {
        const std::size_t count = std::min<std::size_t>(a.size() - at, 8);
        if (asciiLower(load(a, at, count)) != asciiLower(load(b, at, count))) {
            return false;
        }
    }
    return true;
}

// From the name's length and its first and last eight bytes; names of up to 16 bytes, the level's
// keys among them, are hashed whole.
std::uint32_t hashIgnoringCase(std::string_view name) {
    const std::size_t size = name.size();
    const std::size_t part = std::min<std::size_t>(size, 8);
    const std::uint64_t first = asciiLower(load(name, 0, part));
    const std::uint64_t last = asciiLower(load(name, size - part, part));
    const std::uint64_t mixed = (first ^ (last * 0x9E3779B97F4A7C15u + size)) * 0xBF58476D1CE4E5B9u;
    return static_cast<std::uint32_t>(mixed >> 32);
}

std::string_view trimBlanks(std::string_view text) {
    std::size_t from = 0;
    std::size_t to = text.size();
    while (from < to && isBlank(text[from])) {
        ++from;
    }
    while (to > from && isBlank(text[to - 1])) {
        --to;
    }
    return slice(text, from, to);
}

Lines::Lines(std::string_view all)
    : text(all.starts_with(ByteOrderMark) ? slice(all, ByteOrderMark.size(), all.size()) : all),
      nextCR(find('\r', 0)),
      nextLF(find('\n', 0)) {}

bool Lines::next(Line& line) {
    if (done) {
        return false;
    }
    if (nextCR < start) {
        nextCR = find('\r', start);
    }
    if (nextLF < start) {
        nextLF = find('\n', start);
    }
    const std::size_t end = std::min(nextCR, nextLF);
    line = Line{};
    line.raw = slice(text, start, end);
    done = end == text.size();
    start = end + 1;
    classify(line);
    return true;
}

bool Lines::skipToLineBeginningWith(char c) {
    for (std::size_t at = find(c, start); at < text.size(); at = find(c, at + 1)) {
        std::size_t lineStart = at;
        while (lineStart > start && isBlank(text[lineStart - 1])) {
            --lineStart;
        }
        if (lineStart == start || isLineBreak(text[lineStart - 1])) {
            start = lineStart;
            return true;
        }
    }
    done = true;
    return false;
}

std::size_t Lines::find(char c, std::size_t from) const {
    if (from >= text.size()) {
        return text.size();
    }
    const void* found = std::memchr(text.data() + from, c, text.size() - from);
    return found ? static_cast<std::size_t>(static_cast<const char*>(found) - text.data())
                 : text.size();
}

}  // namespace ProfileSyntax
