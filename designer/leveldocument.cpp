#include "designer/leveldocument.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <unordered_map>

#include "levels/profilesyntax.h"
#include "levels/profilevalue.h"
#include "play/rules.h"

namespace {

using ProfileSyntax::Line;

// The name of a section the game reads as a level: a number from 1 on, as the game writes it.
std::optional<int32> levelNumber(std::string_view name) {
    if (name.empty() || name.size() > 10 || name.front() == '0' ||
        !std::ranges::all_of(name, [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    const long long number = std::stoll(std::string(name));
    return number <= INT32_MAX ? std::optional<int32>(static_cast<int32>(number)) : std::nullopt;
}

std::string lowerCase(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return lower;
}

struct KnownKey {
    ElementId element;
    LevelField field;
};

// The 115 keys a level's section gives, by their lower case.
const std::unordered_map<std::string, KnownKey>& knownKeys() {
    static const std::unordered_map<std::string, KnownKey> keys = [] {
        std::unordered_map<std::string, KnownKey> out;
        for (const ElementId id : LevelElements) {
            for (const LevelField field : LevelFields) {
                out.emplace(lowerCase(levelKey(id, field)), KnownKey{id, field});
            }
        }
        return out;
    }();
    return keys;
}

std::size_t offsetIn(const std::string& text, std::string_view part) {
    return static_cast<std::size_t>(part.data() - text.data());
}

bool endsWithLineBreak(std::string_view text) {
    return !text.empty() && (text.back() == '\n' || text.back() == '\r');
}

bool isLineBreak(char c) {
    return c == '\n' || c == '\r';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Moves `at` past the blanks of `text`.
std::size_t skipBlanks(std::string_view text, std::size_t at, std::size_t end) {
    while (at < end && (text[at] == ' ' || text[at] == '\t')) {
        ++at;
    }
    return at;
}

// Moves `at` past `word` when it stands there.
std::size_t skipWord(std::string_view text, std::size_t at, std::size_t end,
                     std::string_view word) {
    return text.substr(at, end - at).starts_with(word) ? at + word.size() : at;
}

std::string oneLine(std::string text) {
    for (char& c : text) {
        c = isLineBreak(c) ? ' ' : c;
    }
    return std::string(ProfileSyntax::trimBlanks(text));
}

}  // namespace

LevelDocument::LevelDocument(std::string text) : contents(std::move(text)) {
    scan();
}

std::optional<LevelDocument> LevelDocument::open(const std::filesystem::path& path,
                                                 OpenError& error) {
    std::error_code code;
    if (!std::filesystem::is_regular_file(path, code)) {
        error = OpenError::NotAFile;
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), {}};
    if (!in && !in.eof()) {
        error = OpenError::Unreadable;
        return std::nullopt;
    }
    return LevelDocument(std::move(bytes));
}

void LevelDocument::scan() {
    sections.clear();
    blocks.clear();
    std::unordered_map<int32, bool> given;
    bool inLevel = false;
    // The end of the last line that is neither blank nor a comment: a section's comment begins
    // after it.
    std::size_t floor = contents.starts_with(ProfileSyntax::ByteOrderMark)
                            ? ProfileSyntax::ByteOrderMark.size()
                            : 0;
    ProfileSyntax::Lines lines(contents);
    for (Line line; lines.next(line);) {
        const std::size_t start = offsetIn(contents, line.raw);
        const std::size_t end = start + line.raw.size();
        if (line.kind == Line::Header) {
            const std::size_t comment = commentStart(start, floor);
            if (inLevel) {
                blocks.back().end = comment;
            }
            const std::optional<int32> number = levelNumber(line.name);
            inLevel = number.has_value();
            if (inLevel) {
                sections.push_back({*number, given.emplace(*number, true).second});
                blocks.push_back({comment, start, end, afterLineBreak(end), contents.size(), end});
            }
        } else if (inLevel && line.kind == Line::Entry) {
            blocks.back().lastEntryEnd = end;
            blocks.back().bodyEnd = afterLineBreak(end);
        }
        if (line.kind != Line::Skipped) {
            floor = end;
        }
    }
}

std::size_t LevelDocument::afterLineBreak(std::size_t at) const {
    if (at < contents.size() && contents[at] == '\r') {
        ++at;
    }
    return at < contents.size() && contents[at] == '\n' ? at + 1 : at;
}

// The first of the comment lines that stand right above a header, with no blank line between.
std::size_t LevelDocument::commentStart(std::size_t header, std::size_t floor) const {
    std::size_t at = header;
    while (at > floor) {
        std::size_t end = at;
        end -= end > floor && contents[end - 1] == '\n' ? 1 : 0;
        end -= end > floor && contents[end - 1] == '\r' ? 1 : 0;
        std::size_t begin = end;
        while (begin > floor && !isLineBreak(contents[begin - 1])) {
            --begin;
        }
        const std::string_view line =
            ProfileSyntax::trimBlanks(std::string_view(contents).substr(begin, end - begin));
        if (end == at || line.empty() || line.front() != ';') {
            break;
        }
        at = begin;
    }
    return at;
}

std::vector<LevelIndex> LevelDocument::places() const {
    std::vector<LevelIndex> all;
    for (std::size_t i = 0; i < sections.size(); ++i) {
        all.emplace_back(i);
    }
    return all;
}

std::optional<LevelIndex> LevelDocument::indexOf(int32 number) const {
    for (std::size_t i = 0; i < sections.size(); ++i) {
        if (sections[i].number == number && sections[i].read) {
            return LevelIndex(i);
        }
    }
    return std::nullopt;
}

LevelLayout LevelDocument::layout(LevelIndex index) const {
    const Block& block = blocks[index.place()];
    // The section alone, read as the game reads a file: its first key of a name counts.
    const std::string alone = contents.substr(block.header, block.end - block.header);
    const std::string name = std::to_string(level(index).number);
    return readLevel(ProfileFile::fromText(alone).section(name));
}

std::vector<LevelDocument::Note> LevelDocument::notes(LevelIndex index) const {
    const Block& block = blocks[index.place()];
    const bool read = level(index).read;
    std::vector<Note> out;
    std::unordered_map<std::string, bool> seen;
    ProfileSyntax::Lines lines(
        std::string_view(contents).substr(block.headerEnd, block.end - block.headerEnd));
    for (Line line; lines.next(line);) {
        if (line.kind != Line::Entry) {
            continue;
        }
        Note note{Note::NeverRead, std::string(line.name), std::string(line.value), {}};
        const auto known = knownKeys().find(lowerCase(line.name));
        if (known != knownKeys().end()) {
            note.element = known->second.element;
        }
        const bool first = seen.emplace(lowerCase(line.name), true).second;
        if (!read || known == knownKeys().end()) {
            out.push_back(note);
        } else if (!first) {
            note.kind = Note::GivenTwice;
            out.push_back(note);
        } else if (!parseProfileInt(line.value)) {
            note.kind = Note::Malformed;
            out.push_back(note);
        }
    }
    if (!read) {
        return out;
    }
    for (const ElementId element : LevelElements) {
        for (const LevelField field : LevelFields) {
            const std::string key = levelKey(element, field);
            if (!seen.contains(lowerCase(key))) {
                out.push_back({Note::Missing, key, {}, element});
            }
        }
    }
    return out;
}

std::string LevelDocument::lineBreak() const {
    const std::size_t at = contents.find_first_of("\r\n");
    if (at == std::string::npos || contents[at] == '\n') {
        return "\n";
    }
    return at + 1 < contents.size() && contents[at + 1] == '\n' ? "\r\n" : "\r";
}

void LevelDocument::replace(std::size_t at, std::size_t length, const std::string& with) {
    contents.replace(at, length, with);
    scan();
}

void LevelDocument::setValue(LevelIndex index, ElementId element, LevelField field, int32 value) {
    const Block& block = blocks[index.place()];
    const std::string key = levelKey(element, field);
    const std::string text = std::to_string(value);
    ProfileSyntax::Lines lines(
        std::string_view(contents).substr(block.headerEnd, block.end - block.headerEnd));
    for (Line line; lines.next(line);) {
        if (line.kind == Line::Entry && ProfileSyntax::equalIgnoringCase(line.name, key)) {
            replace(offsetIn(contents, line.valueText), line.valueText.size(), text);
            return;
        }
    }
    replace(block.lastEntryEnd, 0, lineBreak() + key + "=" + text);
}

void LevelDocument::addLevel() {
    const std::string eol = lineBreak();
    std::string text = endsWithLineBreak(contents) || contents.empty() ? "" : eol;
    text += "[" + std::to_string(sections.size() + 1) + "]" + eol;
    for (const ElementId id : LevelElements) {
        const Element& element = id.element();
        for (const LevelField field : LevelFields) {
            const Bounds& at = element.created;
            const Placement placed{at.Left, at.Top, at.Width, at.Height,
                                   element.role == Role::Hand};
            text += levelKey(element, field) + "=" + std::to_string(fieldOf(placed, field)) + eol;
        }
    }
    replace(contents.size(), 0, text);
    renumber();
}

void LevelDocument::duplicateLevel(LevelIndex index) {
    const Block block = blocks[index.place()];
    std::string copy = contents.substr(block.start, block.end - block.start);
    std::size_t at = block.end;
    if (!endsWithLineBreak(copy)) {
        // The last section of a file that ends without a line break.
        replace(at, 0, lineBreak());
        copy += lineBreak();
        at = blocks[index.place()].end;
    }
    replace(at, 0, copy);
    renumber();
}

void LevelDocument::deleteLevel(LevelIndex index) {
    const Block& block = blocks[index.place()];
    replace(block.start, block.end - block.start, "");
    renumber();
}

void LevelDocument::moveLevel(LevelIndex level, int direction) {
    const std::size_t index = level.place();
    const std::size_t other = direction < 0 ? index - 1 : index + 1;
    if ((direction < 0 && index == 0) || other >= blocks.size()) {
        return;
    }
    const std::size_t first = std::min(index, other);
    if (!endsWithLineBreak(contents)) {
        replace(contents.size(), 0, lineBreak());
    }
    // The levels change places with their comments; the blank lines and whatever else lies after
    // their entries stay where they are.
    const Block a = blocks[first];
    const Block b = blocks[first + 1];
    const auto part = [this](std::size_t from, std::size_t to) {
        return contents.substr(from, to - from);
    };
    const std::string swapped = part(b.start, b.bodyEnd) + part(a.bodyEnd, b.start) +
                                part(a.start, a.bodyEnd) + part(b.bodyEnd, b.end);
    replace(a.start, b.end - a.start, swapped);
    renumber();
}

void LevelDocument::moveLevelTo(LevelIndex level, LevelIndex to) {
    std::size_t from = level.place();
    if (from >= blocks.size() || to.place() >= blocks.size()) {
        return;
    }
    for (; from < to.place(); ++from) {
        moveLevel(LevelIndex(from), +1);
    }
    for (; from > to.place(); --from) {
        moveLevel(LevelIndex(from), -1);
    }
}

std::optional<LevelDocument::NameLine> LevelDocument::nameLine(std::size_t index) const {
    const Block& block = blocks[index];
    if (block.start == block.header) {
        return std::nullopt;
    }
    const std::string_view text = contents;
    NameLine line{block.start, 0, 0, 0, block.start};
    while (line.end < block.header && !isLineBreak(text[line.end])) {
        ++line.end;
    }
    const std::size_t afterMark = skipBlanks(text, text.find(';', line.begin) + 1, line.end);
    line.words = afterMark;
    const std::size_t digits =
        skipBlanks(text, skipWord(text, afterMark, line.end, "Level"), line.end);
    std::size_t digitsEnd = digits;
    while (digitsEnd < line.end && isDigit(text[digitsEnd])) {
        ++digitsEnd;
    }
    if (digits == afterMark || digitsEnd == digits) {
        return line;
    }
    line.digits = digits;
    line.digitsEnd = digitsEnd;
    std::size_t words = skipBlanks(text, digitsEnd, line.end);
    for (const std::string_view dash : {"-", ":", "\u2013"}) {
        words = skipWord(text, words, line.end, dash);
    }
    line.words = skipBlanks(text, words, line.end);
    return line;
}

std::string LevelDocument::name(LevelIndex index) const {
    const std::optional<NameLine> line = nameLine(index.place());
    return line ? std::string(ProfileSyntax::trimBlanks(
                      std::string_view(contents).substr(line->words, line->end - line->words)))
                : std::string();
}

std::string LevelDocument::comment(LevelIndex index) const {
    const Block& block = blocks[index.place()];
    std::string out;
    ProfileSyntax::Lines lines(
        std::string_view(contents).substr(block.start, block.header - block.start));
    for (Line line; lines.next(line);) {
        const std::string_view text = ProfileSyntax::trimBlanks(line.raw);
        if (!text.empty()) {
            out +=
                (out.empty() ? "" : "\n") + std::string(ProfileSyntax::trimBlanks(text.substr(1)));
        }
    }
    return out;
}

void LevelDocument::setName(LevelIndex level, const std::string& name) {
    const std::size_t index = level.place();
    const std::string words = oneLine(name);
    const std::string number = std::to_string(sections[index].number);
    const std::optional<NameLine> line = nameLine(index);
    if (!line && words.empty()) {
        return;
    }
    if (!line) {
        replace(blocks[index].header, 0, "; Level " + number + " - " + words + lineBreak());
    } else if (line->digits == 0) {
        replace(line->words, line->end - line->words, words);
    } else {
        const std::string prefix = contents.substr(line->begin, line->digitsEnd - line->begin);
        replace(line->begin, line->end - line->begin,
                words.empty() ? prefix : prefix + " - " + words);
    }
}

// Gives the level sections the numbers of their places, touching only the names that change.
void LevelDocument::renumber() {
    for (std::size_t i = sections.size(); i-- > 0;) {
        const int32 wanted = static_cast<int32>(i + 1);
        if (sections[i].number == wanted) {
            continue;
        }
        const Block& block = blocks[i];
        const std::string_view header =
            std::string_view(contents).substr(block.header, block.headerEnd - block.header);
        const std::string name = std::to_string(sections[i].number);
        const std::size_t at = block.header + header.find(name, header.find('['));
        contents.replace(at, name.size(), std::to_string(wanted));
        // The comment above the header comes before it in the text, so its places still hold.
        const std::optional<NameLine> line = nameLine(i);
        if (line && line->digits != 0 &&
            contents.compare(line->digits, line->digitsEnd - line->digits, name) == 0) {
            contents.replace(line->digits, line->digitsEnd - line->digits, std::to_string(wanted));
        }
    }
    scan();
}

std::optional<LevelDocument::Refusal> LevelDocument::refusal() const {
    if (!rules::refusesLevelFile(ProfileFile::fromText(contents))) {
        return std::nullopt;
    }
    const std::optional<LevelIndex> first = indexOf(1);
    if (!first) {
        return Refusal::NoLevel1;
    }
    const std::string key = "hinder1.left";
    for (const Note& note : notes(*first)) {
        if (note.kind == Note::Malformed && ProfileSyntax::equalIgnoringCase(note.key, key)) {
            return Refusal::NotANumber;
        }
    }
    return Refusal::MissingOrZero;
}
