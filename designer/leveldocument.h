#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "play/levellayout.h"

// A level section by its place in the file's list of levels: the first section whose name is a
// level number is place 0.
class LevelIndex {
public:
    constexpr LevelIndex() = default;
    constexpr explicit LevelIndex(std::size_t place) : at(place) {}

    constexpr std::size_t place() const { return at; }

    friend constexpr auto operator<=>(LevelIndex, LevelIndex) = default;

private:
    std::size_t at = 0;
};

// A level file as the level designer works on it: the text exactly as it stands, read by the same
// rules as the game reads it, and changed only where an edit changes it. Whatever an edit does
// not touch stays byte for byte as it was: comments, blank lines, the order and case of keys,
// other keys and sections, quotes, line breaks, a byte-order mark.
class LevelDocument {
public:
    // A section whose name is a level number, "1" for the first level. The game reads only the
    // first section of a name.
    struct Level {
        int32 number = 0;
        bool read = true;  // false for a later section of a name already given
    };

    // What is wrong with one key=value line of a level's section.
    struct Note {
        enum Kind {
            Malformed,   // the game reads a value there, but it is no number
            GivenTwice,  // an earlier line of the section gives the key; this one is not read
            NeverRead,   // no element has such a key, or the whole section is not read
            Missing,     // the game reads this key, but the section does not give it
        };
        Kind kind = Malformed;
        std::string key;                   // as written
        std::string value;                 // as the game would hand it out
        std::optional<ElementId> element;  // for the keys the game knows
    };

    // Why a file could not be opened.
    enum class OpenError { NotAFile, Unreadable };
    // Why the game would refuse the file.
    enum class Refusal { NoLevel1, NotANumber, MissingOrZero };

    explicit LevelDocument(std::string text = {});
    // Reads the file whole; nothing, and the reason in `error`, when it cannot be read.
    static std::optional<LevelDocument> open(const std::filesystem::path& path, OpenError& error);

    const std::string& text() const { return contents; }

    // The level sections in the order of the file.
    const std::vector<Level>& levels() const { return sections; }
    const Level& level(LevelIndex index) const { return sections[index.place()]; }
    // Every place of the list, in order.
    std::vector<LevelIndex> places() const;
    // The place in that list of the section the game reads for a level number.
    std::optional<LevelIndex> indexOf(int32 number) const;

    // The level at a place in the list as the game would lay it out from that section.
    LevelLayout layout(LevelIndex index) const;
    std::vector<Note> notes(LevelIndex index) const;

    // Sets one value of one element: the value is rewritten where it stands, in decimal, or the
    // key is added after the last entry of the section.
    void setValue(LevelIndex index, ElementId element, LevelField field, int32 value);

    // Level edits. Afterwards the level sections are numbered 1, 2, ... in the order of the file.
    // A new level shows only the hand; the other elements stand hidden where the window's design
    // has them.
    void addLevel();
    void duplicateLevel(LevelIndex index);
    void deleteLevel(LevelIndex index);
    // Swaps the level with its neighbour before (-1) or after (+1).
    void moveLevel(LevelIndex index, int direction);

    // Why the game would refuse the file as it now stands; nothing when it would not. A file the
    // game would refuse is not to be saved.
    std::optional<Refusal> refusal() const;

private:
    // Where a section stands in the text: its header line, and the end of its last line before
    // the next header (or the end of the text).
    struct Block {
        std::size_t header = 0, headerEnd = 0, end = 0;
        std::size_t lastEntryEnd = 0;  // the end of its last entry line, or of its header
    };

    void scan();
    std::string lineBreak() const;
    void replace(std::size_t at, std::size_t length, const std::string& with);
    void renumber();

    std::string contents;
    std::vector<Level> sections;
    std::vector<Block> blocks;
};
