#pragma once

#include <array>

#include "levels/profilefile.h"
#include "play/levelelements.h"

// Where a level puts one element, as its section gives it, before hidden elements are parked.
struct Placement {
    int32 Left = 0, Top = 0, Width = 0, Height = 0;
    bool Visible = true;

    friend bool operator==(const Placement&, const Placement&) = default;
};

// One of the five values of a placement, the flag as 1 or 0; and setting one, any value but 0
// showing the element.
int32 fieldOf(const Placement& placement, LevelField field);
void setField(Placement& placement, LevelField field, int32 value);

// The elements of a level in the order they are read, each with the values its five keys give:
// a missing key or one that is no number gives 0, or shown for the flag.
class LevelLayout {
public:
    Placement& operator[](ElementId id) { return places[id.place()]; }
    const Placement& operator[](ElementId id) const { return places[id.place()]; }

    friend bool operator==(const LevelLayout&, const LevelLayout&) = default;

private:
    std::array<Placement, ElementId::Count> places{};
};
LevelLayout readLevel(const ProfileSection& section);
