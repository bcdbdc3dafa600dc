#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

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

// An element a level lays out, by its place in the level file's reading order: hinder1 first,
// dig11 last. The one handle the level designer's side has on an element.
class ElementId {
public:
    static constexpr std::size_t Count = LevelReadOrder.size();

    constexpr ElementId() = default;
    constexpr explicit ElementId(std::size_t place) : at(place) {}

    constexpr std::size_t place() const { return at; }
    constexpr Component TForm1::*member() const { return LevelReadOrder[at]; }
    constexpr const Element& element() const { return elementOf(member()); }
    constexpr Role role() const { return element().role; }
    // As the level file names it: "hinder5", "dig11".
    constexpr std::string_view name() const { return element().keyPrefix; }
    // The next or the previous element in the reading order, round the ends.
    constexpr ElementId next() const { return ElementId((at + 1) % Count); }
    constexpr ElementId previous() const { return ElementId((at + Count - 1) % Count); }

    friend constexpr auto operator<=>(ElementId, ElementId) = default;

private:
    std::size_t at = 0;
};

// Every element a level lays out, in the reading order.
inline constexpr std::array<ElementId, ElementId::Count> LevelElements = [] {
    std::array<ElementId, ElementId::Count> all{};
    for (std::size_t i = 0; i < all.size(); ++i) {
        all[i] = ElementId(i);
    }
    return all;
}();

// The level element a component of the main window is, if a level lays it out.
constexpr std::optional<ElementId> levelElementOf(Component TForm1::*member) {
    for (const ElementId id : LevelElements) {
        if (id.member() == member) {
            return id;
        }
    }
    return std::nullopt;
}

// The level element the level file names so ("hinder5", "dig11").
constexpr std::optional<ElementId> levelElementNamed(std::string_view name) {
    for (const ElementId id : LevelElements) {
        if (id.name() == name) {
            return id;
        }
    }
    return std::nullopt;
}

// The five values the level file gives an element, in the order they are read.
enum class LevelField { Left, Top, Width, Height, Visible };
inline constexpr std::array<LevelField, 5> LevelFields = {
    LevelField::Left, LevelField::Top, LevelField::Width, LevelField::Height, LevelField::Visible};

// The key of one value of an element as the level file names it: "hinder1.left", "dig5.visible",
// and the bare "dig10" and "dig11" for the left of those two.
std::string levelKey(const Element& element, LevelField field);
std::string levelKey(ElementId element, LevelField field);
