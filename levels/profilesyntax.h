#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

// How a profile (INI) file reads, line by line, as the platform's profile service read it. The
// game's reader and the level tools both read through here, so they cannot differ.
namespace ProfileSyntax {

inline constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
// The platform's profile service never handed out more than this many characters of a value.
inline constexpr std::size_t MaxValueLength = 1023;

// Plain ASCII folding: names compare byte-wise apart from the letters A to Z.
bool equalIgnoringCase(std::string_view a, std::string_view b);
// Names that are equal ignoring case hash alike.
std::uint32_t hashIgnoringCase(std::string_view name);
std::string_view trimBlanks(std::string_view text);

// One line of a file. The views lie in the file's text.
struct Line {
    enum Kind {
        Skipped,  // blank, or a comment
        Header,   // "[name]"
        Entry,    // "key=value"
        Other,    // anything else, which the reader passes over
    };
    Kind kind = Skipped;
    std::string_view raw;        // the line without its line break
    std::string_view name;       // the section's name, or the entry's key
    std::string_view value;      // the entry's value as handed out: trimmed, unquoted, cut short
    std::string_view valueText;  // where that value stands in the line, before it is cut short
};

// The lines of a text, after a byte-order mark. It is split at every CR and every LF, so a CRLF
// pair yields an extra empty line, skipped like any blank one: CRLF, LF and CR files all read the
// same. A level file may be huge, so each kind of line break is searched for once and its place
// remembered: a file with only one kind is not searched to its end for the other at every line.
class Lines {
public:
    explicit Lines(std::string_view all = {});
    bool next(Line& line);
    // Moves on to the next line that begins with `c` after blanks, passing over the lines before
    // it unread; false when there is none.
    bool skipToLineBeginningWith(char c);

private:
    // Where `c` next occurs from `from` on; the end of the text when it does not.
    std::size_t find(char c, std::size_t from) const;

    std::string_view text;
    std::size_t start = 0;
    std::size_t nextCR;
    std::size_t nextLF;
    bool done = false;
};

}  // namespace ProfileSyntax
