#include "designer/editor/proofrecords.h"

ProofRecords::Key ProofRecords::keyOf(int32 number, const LevelLayout& layout) {
    Key key{number};
    for (const Placement& placed : layout) {
        for (const LevelField field : LevelFields) {
            key.push_back(fieldOf(placed, field));
        }
    }
    return key;
}

void ProofRecords::remember(int32 number, const LevelLayout& layout, Outcome outcome) {
    outcomes[keyOf(number, layout)] = std::move(outcome);
}

const ProofRecords::Outcome* ProofRecords::find(int32 number, const LevelLayout& layout) const {
    const auto found = outcomes.find(keyOf(number, layout));
    return found == outcomes.end() ? nullptr : &found->second;
}

const ProofRecords::Outcome* ProofRecords::find(const LevelDocument& document,
                                                std::size_t index) const {
    const LevelDocument::Level& level = document.levels()[index];
    // The game never plays a later section of a name, so nothing proves it.
    if (!level.read) {
        return nullptr;
    }
    return find(level.number, document.layout(index));
}
