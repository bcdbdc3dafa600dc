#include "levels/profilefile.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <fstream>
#include <system_error>
#include <utility>

#include "levels/profilevalue.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// The platform's profile service never handed out more than this many characters of a value.
constexpr std::size_t kMaxValueLength = 1023;
// Room for the entries of a section at first; a level has 115.
constexpr std::size_t kFirstRoom = 32;
// Entries are counted in 32 bits, with 0 for none. A section would need a file of more than
// 8 GiB to have more entries; those are not read.
constexpr std::size_t kMaxEntries = 0xFFFFFFFE;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isLineBreak(char c) {
    return c == '\r' || c == '\n';
}

// Up to eight bytes of `text` from `at`, as one word.
std::uint64_t load(std::string_view text, std::size_t at, std::size_t count) {
    std::uint64_t word = 0;
    if (count > 0) {
        std::memcpy(&word, text.data() + at, count);
    }
    return word;
}

// Plain ASCII folding, as the platform compared names byte-wise apart from the letters A to Z:
// eight bytes at once, since names are compared and hashed all the time. Each byte from 'A' to
// 'Z' gets the bit 0x20; the sums cannot carry from one byte into the next.
std::uint64_t asciiLower(std::uint64_t bytes) {
    constexpr std::uint64_t Ones = 0x0101010101010101u;
    const std::uint64_t low = bytes & (0x7F * Ones);
    const std::uint64_t fromA = low + (0x80 - 'A') * Ones;      // top bit: at least 'A'
    const std::uint64_t pastZ = low + (0x80 - 'Z' - 1) * Ones;  // top bit: beyond 'Z'
    const std::uint64_t letters = fromA & ~pastZ & ~bytes & (0x80 * Ones);
    return bytes | letters >> 2;
}

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

// A hash of the name's ASCII lower case from its length and its first and last eight bytes, so
// names that match ignoring case hash alike. Names of up to 16 bytes, the level's keys among
// them, are hashed whole.
std::uint32_t hashIgnoringCase(std::string_view name) {
    const std::size_t size = name.size();
    const std::size_t part = std::min<std::size_t>(size, 8);
    const std::uint64_t first = asciiLower(load(name, 0, part));
    const std::uint64_t last = asciiLower(load(name, size - part, part));
    const std::uint64_t mixed = (first ^ (last * 0x9E3779B97F4A7C15u + size)) * 0xBF58476D1CE4E5B9u;
    return static_cast<std::uint32_t>(mixed >> 32);
}

// The characters of `text` from `from` up to `to`. Every line of the file goes through here,
// so without substr's range check and the exception behind it.
std::string_view slice(std::string_view text, std::size_t from, std::size_t to) {
    return {text.data() + from, to - from};
}

std::string_view trimLeft(std::string_view text) {
    std::size_t from = 0;
    while (from < text.size() && isBlank(text[from])) {
        ++from;
    }
    return slice(text, from, text.size());
}

std::string_view trimRight(std::string_view text) {
    std::size_t to = text.size();
    while (to > 0 && isBlank(text[to - 1])) {
        --to;
    }
    return slice(text, 0, to);
}

std::string_view trimBlanks(std::string_view text) {
    return trimRight(trimLeft(text));
}

std::string_view stripOuterQuotes(std::string_view text) {
    const std::size_t size = text.size();
    const bool quoted =
        size >= 2 && (text[0] == '"' || text[0] == '\'') && text[size - 1] == text[0];
    return quoted ? slice(text, 1, size - 1) : text;
}

// A file's bytes, read into memory that is not cleared first: a level file may be huge.
struct FileBytes {
    std::shared_ptr<const char[]> data;
    std::size_t size = 0;
};

FileBytes readWholeFile(const std::filesystem::path& path) {
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
    std::shared_ptr<char[]> data(new char[static_cast<std::size_t>(size)]);
    in.read(data.get(), static_cast<std::streamsize>(size));
    return {std::move(data), static_cast<std::size_t>(in.gcount())};
}

// Splits text into lines at every CR and every LF. A CRLF pair thus yields an extra empty line,
// which the reader skips like any blank line, so CRLF, LF and CR files all read the same. Each
// kind of line break is searched for once and remembered, so a file with only one kind is not
// searched to its end for the other at every line.
class LineReader {
public:
    explicit LineReader(std::string_view text)
        : text_(text), nextCR_(find('\r', 0)), nextLF_(find('\n', 0)) {}

    bool next(std::string_view& line) {
        if (done_) {
            return false;
        }
        if (nextCR_ < start_) {
            nextCR_ = find('\r', start_);
        }
        if (nextLF_ < start_) {
            nextLF_ = find('\n', start_);
        }
        const std::size_t end = std::min(nextCR_, nextLF_);
        line = slice(text_, start_, end);
        done_ = end == text_.size();
        start_ = end + 1;
        return true;
    }

    // The text not read yet.
    std::string_view rest() const {
        return done_ ? std::string_view() : slice(text_, start_, text_.size());
    }

    // Moves on to the next line that begins with `c` after blanks, so that the lines before it
    // need not be looked at; false when there is none.
    bool skipToLineBeginningWith(char c) {
        for (std::size_t at = find(c, start_); at < text_.size(); at = find(c, at + 1)) {
            std::size_t lineStart = at;
            while (lineStart > start_ && isBlank(text_[lineStart - 1])) {
                --lineStart;
            }
            if (lineStart == start_ || isLineBreak(text_[lineStart - 1])) {
                start_ = at;
                return true;
            }
        }
        done_ = true;
        return false;
    }

private:
    // Where `c` next occurs from `from` on; the end of the text when it does not.
    std::size_t find(char c, std::size_t from) const {
        if (from >= text_.size()) {
            return text_.size();
        }
        const void* found = std::memchr(text_.data() + from, c, text_.size() - from);
        return found ? static_cast<std::size_t>(static_cast<const char*>(found) - text_.data())
                     : text_.size();
    }

    std::string_view text_;
    std::size_t start_ = 0;
    std::size_t nextCR_;
    std::size_t nextLF_;
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

// Hands the key and value of an entry line, trimmed already, to `visit` and returns what it
// says: whether to read on. A line without '=' or with an empty key is no entry.
template <typename Visit>
bool readEntry(std::string_view line, const Visit& visit) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        return true;
    }
    const std::string_view key = trimRight(slice(line, 0, equals));
    if (key.empty()) {
        return true;
    }
    const std::string_view value = stripOuterQuotes(trimLeft(slice(line, equals + 1, line.size())));
    return visit(key, slice(value, 0, std::min(value.size(), kMaxValueLength)));
}

// Hands the entries of a section's lines to `visit` in the order of the text, up to the next
// header or until `visit` says to stop. Returns the lines not read yet: none once the section
// has ended.
template <typename Visit>
std::string_view readEntries(std::string_view lines, const Visit& visit) {
    LineReader reader(lines);
    std::string_view line;
    while (reader.next(line)) {
        line = trimBlanks(line);
        if (line.empty() || line.front() == ';') {
            continue;
        }
        if (isSectionHeader(line)) {
            return {};
        }
        if (!readEntry(line, visit)) {
            return reader.rest();
        }
    }
    return {};
}

// The text after the header of the first section called `name`, where its entries begin; none
// when there is no such section. Later sections of that name are never looked at.
std::optional<std::string_view> findSection(std::string_view text, std::string_view name) {
    if (text.starts_with(kByteOrderMark)) {
        text.remove_prefix(kByteOrderMark.size());
    }
    LineReader lines(text);
    std::string_view line;
    // Up to the section only headers count, and they begin with '['.
    while (lines.skipToLineBeginningWith('[') && lines.next(line)) {
        line = trimBlanks(line);
        if (isSectionHeader(line) && equalIgnoringCase(sectionName(line), name)) {
            return lines.rest();
        }
    }
    return std::nullopt;
}

}  // namespace

ProfileSection::ProfileSection(std::shared_ptr<const void> keeper, std::string_view text,
                               std::string_view name)
    : keeper_(std::move(keeper)), unread_(findSection(text, name).value_or(std::string_view())) {}

std::optional<std::string_view> ProfileSection::find(std::string_view key) const {
    if (!indexed_) {
        // The start-up check wants a single key: for the first lookup the entries are read only
        // as far as its key. A second lookup reads the rest and indexes them all.
        if (!lookedInto_) {
            lookedInto_ = true;
            return readOn(key);
        }
        readOn(std::nullopt);
        index();
        indexed_ = true;
    }
    return lookUp(key);
}

std::optional<std::string_view> ProfileSection::readOn(std::optional<std::string_view> key) const {
    std::optional<std::string_view> found;
    unread_ = readEntries(unread_, [&](std::string_view name, std::string_view value) {
        if (entries_.empty()) {
            entries_.reserve(kFirstRoom);
        }
        if (entries_.size() < kMaxEntries) {
            entries_.push_back({name, value, 0, 0});
        }
        if (key && equalIgnoringCase(name, *key)) {
            found = value;
        }
        return !found;
    });
    return found;
}

void ProfileSection::index() const {
    if (entries_.empty()) {
        return;
    }
    // Chained from the last entry to the first, so that each chain runs in the order of the file.
    buckets_.assign(std::bit_ceil(entries_.size()), 0);
    for (std::size_t i = entries_.size(); i-- > 0;) {
        Entry& entry = entries_[i];
        entry.hash = hashIgnoringCase(entry.key);
        std::uint32_t& head = buckets_[entry.hash & (buckets_.size() - 1)];
        entry.next = head;
        head = static_cast<std::uint32_t>(i + 1);
    }
}

std::optional<std::string_view> ProfileSection::lookUp(std::string_view key) const {
    if (buckets_.empty()) {
        return std::nullopt;  // nothing to hash the key for
    }
    const std::uint32_t hash = hashIgnoringCase(key);
    for (std::uint32_t at = buckets_[hash & (buckets_.size() - 1)]; at != 0;) {
        const Entry& entry = entries_[at - 1];
        if (entry.hash == hash && equalIgnoringCase(entry.key, key)) {
            return entry.value;
        }
        at = entry.next;
    }
    return std::nullopt;
}

std::optional<std::string> ProfileSection::value(std::string_view key) const {
    const auto found = find(key);
    return found ? std::optional<std::string>(*found) : std::nullopt;
}

std::int32_t ProfileSection::readInteger(std::string_view key, std::int32_t fallback) const {
    const auto text = find(key);
    return text ? parseProfileInt(*text).value_or(fallback) : fallback;
}

bool ProfileSection::readFlag(std::string_view key, bool fallback) const {
    const auto text = find(key);
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
    // The section keeps the text its entries lie in: shared when held in memory, read now from
    // the file otherwise.
    if (text_) {
        return ProfileSection(text_, *text_, name);
    }
    FileBytes file = readWholeFile(path_);
    const std::string_view text(file.data.get(), file.size);
    return ProfileSection(std::move(file.data), text, name);
}
