#include "levels/levellayout.h"

LevelLayout readLevel(const ProfileSection& section) {
    LevelLayout layout;
    for (std::size_t i = 0; i < LevelReadOrder.size(); ++i) {
        const Element& element = elementOf(LevelReadOrder[i]);
        Placement& placed = layout[i];
        placed.Left = section.readInteger(levelKey(element, LevelField::Left), 0);
        placed.Top = section.readInteger(levelKey(element, LevelField::Top), 0);
        placed.Width = section.readInteger(levelKey(element, LevelField::Width), 0);
        placed.Height = section.readInteger(levelKey(element, LevelField::Height), 0);
        placed.Visible = section.readFlag(levelKey(element, LevelField::Visible), true);
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
