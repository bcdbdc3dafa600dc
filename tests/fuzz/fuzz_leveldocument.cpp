// Arbitrary bytes as a level file, a few edits of its values, and the text read back by the game's
// own reader: the edited values are what the game now reads, and every other value of every level
// reads as before. A difference aborts, so the fuzzer keeps the input.
//
// Input: one byte with the number of edits, four bytes an edit (the level's place in the document,
// the element, the value's key, the value), then the level file.
#include <cstdio>
#include <cstdlib>
#include <map>

#include "designer/leveldocument.h"

namespace {

// Files with many levels explore nothing more, only slowly: the first few levels are compared.
enum { MaxEdits = 4, BytesPerEdit = 4, ComparedLevels = 4 };

struct Edit {
    LevelIndex level;
    ElementId element;
    LevelField field;
    int32 value;
};

// What the game reads of the first levels the document lists, by level number.
std::map<int32, LevelLayout> readByTheGame(const LevelDocument& document) {
    const ProfileFile file = ProfileFile::fromText(document.text());
    std::map<int32, LevelLayout> levels;
    for (std::size_t i = 0; i < document.levels().size() && i < ComparedLevels; ++i) {
        const int32 number = document.levels()[i].number;
        levels.emplace(number, readLevel(file.section(std::to_string(number))));
    }
    return levels;
}

void fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::size_t edits = data[0] % (MaxEdits + 1);
    if (size < 1 + edits * BytesPerEdit) {
        return 0;
    }
    LevelDocument document(
        std::string(reinterpret_cast<const char*>(data) + 1 + edits * BytesPerEdit,
                    size - 1 - edits * BytesPerEdit));
    if (document.levels().empty()) {
        return 0;
    }
    std::map<int32, LevelLayout> expected = readByTheGame(document);
    for (std::size_t i = 0; i < edits; ++i) {
        const std::uint8_t* e = data + 1 + i * BytesPerEdit;
        const Edit edit{LevelIndex(e[0] % document.levels().size()),
                        ElementId(e[1] % ElementId::Count), LevelFields[e[2] % LevelFields.size()],
                        static_cast<int32>(static_cast<std::int8_t>(e[3]))};
        document.setValue(edit.level, edit.element, edit.field, edit.value);
        const LevelDocument::Level& level = document.level(edit.level);
        if (level.read && expected.contains(level.number)) {
            setField(expected[level.number][edit.element], edit.field, edit.value);
        }
    }
    const std::map<int32, LevelLayout> read = readByTheGame(document);
    if (read.size() != expected.size()) {
        fail("the edits changed which levels the file has");
    }
    for (const auto& [number, layout] : expected) {
        for (const ElementId element : LevelElements) {
            for (const LevelField field : LevelFields) {
                if (fieldOf(read.at(number)[element], field) != fieldOf(layout[element], field)) {
                    fail("the game reads another value than the edits left");
                }
            }
        }
    }
    return 0;
}
