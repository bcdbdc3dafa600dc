#include "levels/profilesyntax.h"

#include <algorithm>

namespace ProfileSyntax {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isLineBreak(char c) {
    return c == '\r' || c == '\n';
}

char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string_view stripOuterQuotes(std::string_view text) {
    const bool quoted = text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
                        text.back() == text.front();
    return quoted ? text.substr(1, text.size() - 2) : text;
}

// A header begins with '[' and holds a ']'. A line that begins with '[' without one is an
// ordinary line: an entry when it holds '='.
bool isSectionHeader(std::string_view line) {
    return line.front() == '[' && line.find(']') != std::string_view::npos;
}

void classify(Line& line) {
    const std::string_view trimmed = trimBlanks(line.raw);
    line.kind = Line::Other;
    if (trimmed.empty() || trimmed.front() == ';') {
        line.kind = Line::Skipped;
        return;
    }
    if (isSectionHeader(trimmed)) {
        line.kind = Line::Header;
        const std::string_view inside = trimmed.substr(1);
        line.name = trimBlanks(inside.substr(0, inside.find(']')));
        return;
    }
    const std::size_t equals = trimmed.find('=');
    if (equals == std::string_view::npos) {
        return;
    }
    line.name = trimBlanks(trimmed.substr(0, equals));
    if (line.name.empty()) {
        return;
    }
    line.kind = Line::Entry;
    line.valueText = stripOuterQuotes(trimBlanks(trimmed.substr(equals + 1)));
    line.value = line.valueText.substr(0, MaxValueLength);
}

}  // namespace

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return asciiLower(x) == asciiLower(y);
           });
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

Lines::Lines(std::string_view text) : rest(text) {
    if (rest.starts_with(ByteOrderMark)) {
        rest.remove_prefix(ByteOrderMark.size());
    }
}

bool Lines::next(Line& line) {
    if (done) {
        return false;
    }
    line = Line{};
    const auto lineEnd = std::find_if(rest.begin(), rest.end(), isLineBreak);
    const auto end = static_cast<std::size_t>(lineEnd - rest.begin());
    line.raw = rest.substr(0, end);
    if (lineEnd == rest.end()) {
        done = true;
    } else {
        rest.remove_prefix(end + 1);
    }
    classify(line);
    return true;
}

}  // namespace ProfileSyntax
