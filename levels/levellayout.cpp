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
