#pragma once

#include <array>
#include <string>

#include "play/elements.h"

// The elements a level lays out, in the order the level file is read.
inline constexpr std::array<Component TForm1::*, 23> LevelReadOrder = {
    &TForm1::hinder1,  &TForm1::Hinder2,  &TForm1::Hinder3, &TForm1::Hinder4,  &TForm1::hinder5,
    &TForm1::hinder6,  &TForm1::hinder8,  &TForm1::hinder9, &TForm1::hinder10, &TForm1::hinder11,
    &TForm1::hinder12, &TForm1::hinder13, &TForm1::dig1,    &TForm1::dig2,     &TForm1::dig3,
    &TForm1::dig4,     &TForm1::dig5,     &TForm1::dig6,    &TForm1::dig7,     &TForm1::dig8,
    &TForm1::dig9,     &TForm1::dig10,    &TForm1::dig11,
};

// Exactly the elements with a key prefix are read, each once.
constexpr bool readsEveryPlacedElementOnce() {
    std::size_t placed = 0;
    for (const Element& element : Elements) {
        placed += !element.keyPrefix.empty();
    }
    for (Component TForm1::*member : LevelReadOrder) {
        if (indexOf(member) == Elements.size() || elementOf(member).keyPrefix.empty()) {
            return false;
        }
    }
    return noneTwice(LevelReadOrder) && placed == LevelReadOrder.size();
}
static_assert(readsEveryPlacedElementOnce());

// The five values the level file gives an element, in the order they are read.
enum class LevelField { Left, Top, Width, Height, Visible };
inline constexpr std::array<LevelField, 5> LevelFields = {
    LevelField::Left, LevelField::Top, LevelField::Width, LevelField::Height, LevelField::Visible};

// The key of one value of an element as the level file names it: "hinder1.left", "dig5.visible",
// and the bare "dig10" and "dig11" for the left of those two.
std::string levelKey(const Element& element, LevelField field);
