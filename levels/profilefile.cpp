#include "levels/profilefile.h"

#include <algorithm>
#include <fstream>
#include <system_error>
#include <utility>

#include "levels/profilevalue.h"

namespace {

using Entries = std::unordered_map<std::string, std::string>;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// The platform's profile service never handed out more than this many characters of a value.
constexpr std::size_t kMaxValueLength = 1023;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isLineBreak(char c) {
    return c == '\r' || c == '\n';
}

// Plain ASCII folding: the platform compared names byte-wise apart from the letters A to Z.
char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string asciiLower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        c = asciiLower(c);
    }
    return lower;
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i])) {
            return false;
        }
    }
    return true;
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

std::string_view stripOuterQuotes(std::string_view text) {
    const bool quoted = text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
                        text.back() == text.front();
    return quoted ? text.substr(1, text.size() - 2) : text;
}

std::string readWholeFile(const std::filesystem::path& path) {
    std::error_code error;
    // Anything but a regular file (FIFO, device, directory, dangling link) could block or fail.
    if (!std::filesystem::is_regular_file(path, error)) {
        return {};
    }
    const auto size = std::filesystem::file_size(path, error);
    std::ifstream in(path, std::ios::in | std::ios::binary);
    if (error || !in) {
        return {};
    }
    std::string contents(static_cast<std::size_t>(size), '\0');
    in.read(contents.data(), static_cast<std::streamsize>(contents.size()));
    contents.resize(static_cast<std::size_t>(in.gcount()));
    return contents;
}

// Splits text into lines at every CR and every LF. A CRLF pair thus yields an extra empty line,
// which the reader skips like any blank line, so CRLF, LF and CR files all read the same.
class LineReader {
public:
    explicit LineReader(std::string_view text) : rest_(text) {}

    bool next(std::string_view& line) {
        if (done_) {
            return false;
        }
        const auto lineEnd = std::find_if(rest_.begin(), rest_.end(), isLineBreak);
        if (lineEnd == rest_.end()) {
            line = rest_;
            done_ = true;
            return true;
        }
        const auto end = static_cast<std::size_t>(lineEnd - rest_.begin());
        line = rest_.substr(0, end);
        rest_.remove_prefix(end + 1);
        return true;
    }

private:
    std::string_view rest_;
    bool done_ = false;
};

// A header begins with '[' and holds a ']'. A line that begins with '[' without one is an
// ordinary line, as the platform's profile service read it: an entry when it holds '='.
bool isSectionHeader(std::string_view line) {
    return line.front() == '[' && line.find(']') != std::string_view::npos;
}

std::string_view sectionName(std::string_view header) {
    header.remove_prefix(1);  // the '['
    return trimBlanks(header.substr(0, header.find(']')));
}

void addEntry(std::string_view line, Entries& entries) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        return;
    }
    const std::string_view key = trimBlanks(line.substr(0, equals));
    if (key.empty()) {
        return;
    }
    const std::string_view value = stripOuterQuotes(trimBlanks(line.substr(equals + 1)));
    entries.try_emplace(asciiLower(key), value.substr(0, kMaxValueLength));
}

// Collects the first section called `name`; later sections of that name are never looked at.
Entries collectSection(std::string_view text, std::string_view name) {
    if (text.starts_with(kByteOrderMark)) {
        text.remove_prefix(kByteOrderMark.size());
    }
    Entries entries;
    bool inSection = false;
    LineReader lines(text);
    std::string_view line;
    while (lines.next(line)) {
        line = trimBlanks(line);
        if (line.empty() || line.front() == ';') {
            continue;
        }
        if (isSectionHeader(line)) {
            if (inSection) {
                break;
            }
            inSection = equalIgnoringCase(sectionName(line), name);
        } else if (inSection) {
            addEntry(line, entries);
        }
    }
    return entries;
}

}  // namespace

ProfileSection::ProfileSection(Entries entries) : entries_(std::move(entries)) {}

std::optional<std::string> ProfileSection::value(std::string_view key) const {
    const auto found = entries_.find(asciiLower(key));
    if (found == entries_.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::int32_t ProfileSection::readInteger(std::string_view key, std::int32_t fallback) const {
    const auto text = value(key);
    return text ? parseProfileInt(*text).value_or(fallback) : fallback;
}

bool ProfileSection::readFlag(std::string_view key, bool fallback) const {
    const auto text = value(key);
    const auto number = text ? parseProfileInt(*text) : std::nullopt;
    return number ? *number != 0 : fallback;
}

ProfileFile::ProfileFile(std::filesystem::path path) : path_(std::move(path)) {}

const std::filesystem::path& ProfileFile::path() const {
    return path_;
}

ProfileFile ProfileFile::fromText(std::string text) {
    ProfileFile file;
    file.text_ = std::make_shared<const std::string>(std::move(text));
    return file;
}

ProfileSection ProfileFile::section(std::string_view name) const {
    if (text_) {
        return ProfileSection(collectSection(*text_, name));
    }
    return ProfileSection(collectSection(readWholeFile(path_), name));
}
