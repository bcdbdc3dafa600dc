#pragma once

#include <map>
#include <string>
#include <vector>

#include "designer/leveldocument.h"
#include "designer/personproof.h"

// What the search found for levels as they stood. A level's play depends on its number and its
// layout alone, so a proof holds for as long as both stay as they were: an undo can bring a proved
// level back, and another level's edit leaves it proved.
class ProofRecords {
public:
    struct Outcome {
        bool solved = false;
        Playthrough playthrough;  // the proof, or the attempt that came nearest
        PlanVerdict verdict;
        std::string why;  // when not solved
    };

    void remember(int32 number, const LevelLayout& layout, Outcome outcome);
    // The outcome for the level at a place of the document's list, if it was tried as it stands.
    const Outcome* find(const LevelDocument& document, std::size_t index) const;
    const Outcome* find(int32 number, const LevelLayout& layout) const;
    void clear() { outcomes.clear(); }

private:
    using Key = std::vector<int32>;
    static Key keyOf(int32 number, const LevelLayout& layout);

    std::map<Key, Outcome> outcomes;
};
