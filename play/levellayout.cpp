#include "play/levellayout.h"

#include <vector>

namespace {

// The keys of the elements in the order they are read, each with its five values in the order of
// the fields. They never change, and every level read asks for all of them, so they are put
// together and hashed once.
using ElementKeys = std::array<ProfileKey, LevelFields.size()>;
using LevelKeys = std::vector<ElementKeys>;

ElementKeys keysOf(const Element& element) {
    const auto key = [&](LevelField field) { return ProfileKey(levelKey(element, field)); };
    return {key(LevelField::Left), key(LevelField::Top), key(LevelField::Width),
            key(LevelField::Height), key(LevelField::Visible)};
}

const LevelKeys& levelKeys() {
    static const LevelKeys keys = [] {
        LevelKeys all;
        for (const ElementId id : LevelElements) {
            all.push_back(keysOf(id.element()));
        }
        return all;
    }();
    return keys;
}

}  // namespace

LevelLayout readLevel(const ProfileSection& section) {
    LevelLayout layout;
    for (const ElementId id : LevelElements) {
        const auto& [left, top, width, height, visible] = levelKeys()[id.place()];
        Placement& placed = layout[id];
        placed.Left = section.readInteger(left, 0);
        placed.Top = section.readInteger(top, 0);
        placed.Width = section.readInteger(width, 0);
        placed.Height = section.readInteger(height, 0);
        placed.Visible = section.readFlag(visible, true);
    }
    return layout;
}

int32 fieldOf(const Placement& placement, LevelField field) {
    switch (field) {
        case LevelField::Left:
            return placement.Left;
        case LevelField::Top:
            return placement.Top;
        case LevelField::Width:
            return placement.Width;
        case LevelField::Height:
            return placement.Height;
        case LevelField::Visible:
            break;
    }
    return placement.Visible ? 1 : 0;
}

void setField(Placement& placement, LevelField field, int32 value) {
    switch (field) {
        case LevelField::Left:
            placement.Left = value;
            break;
        case LevelField::Top:
            placement.Top = value;
            break;
        case LevelField::Width:
            placement.Width = value;
            break;
        case LevelField::Height:
            placement.Height = value;
            break;
        case LevelField::Visible:
            placement.Visible = value != 0;
            break;
    }
}
