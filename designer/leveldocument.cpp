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
    ProfileSyntax::Lines lines(contents);
    for (Line line; lines.next(line);) {
        const std::size_t start = offsetIn(contents, line.raw);
        const std::size_t end = start + line.raw.size();
        if (line.kind == Line::Header) {
            if (inLevel) {
                blocks.back().end = start;
            }
            const std::optional<int32> number = levelNumber(line.name);
            inLevel = number.has_value();
            if (inLevel) {
                sections.push_back({*number, given.emplace(*number, true).second});
                blocks.push_back({start, end, contents.size(), end});
            }
        } else if (inLevel && line.kind == Line::Entry) {
            blocks.back().lastEntryEnd = end;
        }
    }
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
    std::string copy = contents.substr(block.header, block.end - block.header);
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
    replace(block.header, block.end - block.header, "");
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
    const Block a = blocks[first];
    const Block b = blocks[first + 1];
    const std::string textA = contents.substr(a.header, a.end - a.header);
    const std::string between = contents.substr(a.end, b.header - a.end);
    const std::string textB = contents.substr(b.header, b.end - b.header);
    replace(a.header, b.end - a.header, textB + between + textA);
    renumber();
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
