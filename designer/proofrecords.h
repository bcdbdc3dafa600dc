#pragma once

#include <map>
#include <vector>

#include "designer/leveldocument.h"
#include "designer/proof.h"

// What proving found for levels as they stood. A level's play depends on its number and its
// layout alone, so a proof holds for as long as both stay as they were: an undo can bring a proved
// level back, and another level's edit leaves it proved.
class ProofRecords {
public:
    void remember(int32 number, const LevelLayout& layout, LevelProof proof);
    // The outcome for the level at a place of the document's list, if it was tried as it stands.
    const LevelProof* find(const LevelDocument& document, LevelIndex index) const;
    const LevelProof* find(int32 number, const LevelLayout& layout) const;
    void clear() { proofs.clear(); }

private:
    using Key = std::vector<int32>;
    static Key keyOf(int32 number, const LevelLayout& layout);

    std::map<Key, LevelProof> proofs;
};
