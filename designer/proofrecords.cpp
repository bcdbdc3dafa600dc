#include "designer/proofrecords.h"

ProofRecords::Key ProofRecords::keyOf(int32 number, const LevelLayout& layout) {
    Key key{number};
    for (const ElementId id : LevelElements) {
        for (const LevelField field : LevelFields) {
            key.push_back(fieldOf(layout[id], field));
        }
    }
    return key;
}

void ProofRecords::remember(int32 number, const LevelLayout& layout, LevelProof proof) {
    proofs[keyOf(number, layout)] = std::move(proof);
}

const LevelProof* ProofRecords::find(int32 number, const LevelLayout& layout) const {
    const auto found = proofs.find(keyOf(number, layout));
    return found == proofs.end() ? nullptr : &found->second;
}

const LevelProof* ProofRecords::find(const LevelDocument& document, LevelIndex index) const {
    const LevelDocument::Level& level = document.level(index);
    // The game never plays a later section of a name, so nothing proves it.
    if (!level.read) {
        return nullptr;
    }
    return find(level.number, document.layout(index));
}
