#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>

#include "play/barkind.h"
#include "play/form1.h"

// What a component of the main window is. The rules give each bar its kind by its role, the
// painter gives each role its picture, and the mouse gives each role its move handler.
enum class Role : std::uint8_t {
    MouseCatcher,  // Image1: an empty picture under everything, so moves anywhere steer the paddle
    Shape,         // Shape1: black on black along the bottom, where moves do not steer
    GreyBar,
    GreyBarUpright,
    YellowBar,
    YellowBarUpright,
    GreenBar,
    GreenBarUpright,
    RedBar,  // hinder7, which the player drags
    Paddle,  // fanger
    Ball,
    Penny,
    Hand,     // dig11, the level's exit
    Header,   // Image2, the strip behind the head-up displays
    Display,  // the level, balls and points displays
    Warning,  // the countdown's warning display, in red
    Prompt,   // Label4, "Klicken zum Starten..."
};

struct Bounds {
    int32 Left, Top, Width, Height;
};

// One component of the main window: where it stands as the window is created, and what the level
// file calls it.
struct Element {
    Component TForm1::*member;
    const char* name;
    Role role;
    Bounds created;  // texts size themselves to their caption
    bool visible;
    // The level file places the element with the keys PREFIX.left (or the bare PREFIX), .top,
    // .width, .height and .visible; empty for the components no level places.
    std::string_view keyPrefix = {};
    bool bareLeftKey = false;
    const char* caption = "";
};

constexpr bool Shown = true;
constexpr bool Hidden = false;

// Every component of the main window, bottom of the stack first.
inline constexpr std::array<Element, 34> Elements = {{
    {&TForm1::Image1, "Image1", Role::MouseCatcher, {-63, -64, 701, 501}, Shown},
    {&TForm1::Shape1, "Shape1", Role::Shape, {-10, 410, 641, 31}, Shown},
    {&TForm1::Hinder2, "Hinder2", Role::GreyBar, {80, 90, 201, 30}, Hidden, "hinder2"},
    {&TForm1::hinder8, "hinder8", Role::GreenBar, {130, 170, 211, 30}, Hidden, "hinder8"},
    {&TForm1::hinder11, "hinder11", Role::GreenBar, {130, 320, 211, 30}, Hidden, "hinder11"},
    {&TForm1::dig11, "dig11", Role::Hand, {296, 177, 49, 60}, Shown, "dig11", true},
    {&TForm1::dig6, "dig6", Role::Penny, {130, 120, 39, 40}, Hidden, "dig6"},
    {&TForm1::dig8, "dig8", Role::Penny, {90, 40, 39, 40}, Hidden, "dig8"},
    {&TForm1::dig1, "dig1", Role::Penny, {130, 40, 39, 40}, Hidden, "dig1"},
    {&TForm1::dig9, "dig9", Role::Penny, {570, 180, 39, 40}, Hidden, "dig9"},
    {&TForm1::dig2, "dig2", Role::Penny, {570, 140, 39, 40}, Hidden, "dig2"},
    {&TForm1::dig10, "dig10", Role::Penny, {290, 240, 39, 40}, Hidden, "dig10", true},
    {&TForm1::dig4, "dig4", Role::Penny, {130, 204, 39, 40}, Hidden, "dig4"},
    {&TForm1::dig3, "dig3", Role::Penny, {90, 120, 39, 40}, Hidden, "dig3"},
    {&TForm1::dig5, "dig5", Role::Penny, {90, 204, 39, 40}, Hidden, "dig5"},
    {&TForm1::dig7, "dig7", Role::Penny, {290, 80, 39, 40}, Hidden, "dig7"},
    {&TForm1::hinder1, "hinder1", Role::GreyBar, {80, 250, 201, 30}, Hidden, "hinder1"},
    {&TForm1::Hinder3, "Hinder3", Role::GreyBarUpright, {520, 40, 30, 341}, Hidden, "hinder3"},
    {&TForm1::Hinder4, "Hinder4", Role::GreyBarUpright, {400, 40, 30, 341}, Hidden, "hinder4"},
    {&TForm1::hinder5, "hinder5", Role::YellowBar, {370, 380, 91, 30}, Hidden, "hinder5"},
    {&TForm1::hinder6, "hinder6", Role::YellowBar, {430, 60, 91, 30}, Hidden, "hinder6"},
    {&TForm1::hinder13, "hinder13", Role::GreenBarUpright, {460, 90, 30, 351}, Hidden, "hinder13"},
    {&TForm1::hinder10, "hinder10", Role::YellowBarUpright, {520, 380, 30, 51}, Hidden, "hinder10"},
    {&TForm1::hinder9, "hinder9", Role::YellowBarUpright, {50, 40, 30, 311}, Hidden, "hinder9"},
    {&TForm1::hinder12, "hinder12", Role::GreenBarUpright, {340, 90, 30, 351}, Hidden, "hinder12"},
    {&TForm1::ball, "ball", Role::Ball, {2, 40, 24, 24}, Shown},
    {&TForm1::hinder7, "hinder7", Role::RedBar, {280, 360, 100, 30}, Shown},
    {&TForm1::fanger, "fanger", Role::Paddle, {40, 404, 211, 30}, Shown},
    {&TForm1::Image2, "Image2", Role::Header, {0, -1, 641, 39}, Shown},
    {&TForm1::Label2, "Label2", Role::Display, {170, 9, 0, 0}, Shown, {}, false, "<> Bälle"},
    {&TForm1::Label1, "Label1", Role::Display, {47, 9, 0, 0}, Shown, {}, false, "Level <>"},
    {&TForm1::Label3, "Label3", Role::Display, {510, 9, 0, 0}, Shown, {}, false, "000000"},
    {&TForm1::Label5, "Label5", Role::Warning, {300, 9, 0, 0}, Shown},
    {&TForm1::Label4,
     "Label4",
     Role::Prompt,
     {0, 38, 632, 436},
     Shown,
     {},
     false,
     "Klicken zum Starten..."},
}};

// The kind of bar the frame tick treats each bar as; the drag treats the red bar as bkRedDragged
// instead.
inline constexpr std::pair<Role, BarKind> RoleBarKinds[] = {
    {Role::GreyBar, bkGreyFar},      {Role::GreyBarUpright, bkGrey},
    {Role::YellowBar, bkYellowFlat}, {Role::YellowBarUpright, bkYellowUpright},
    {Role::GreenBar, bkGreen},       {Role::GreenBarUpright, bkGreen},
    {Role::RedBar, bkRed},
};

// Nothing for what is no bar.
constexpr std::optional<BarKind> barKindOf(Role role) {
    for (const auto& [bar, kind] : RoleBarKinds) {
        if (bar == role) {
            return kind;
        }
    }
    return std::nullopt;
}

// Level 23's own rule: a drag step of the red bar there does not bounce the ball off hinder1 and
// Hinder2 (the frame tick still does), so the dragged bar can carry the ball through them.
inline constexpr int32 LevelDraggingThroughGreys = 23;
constexpr bool dragStepSkips(int32 levelnr, Component TForm1::*member) {
    return levelnr == LevelDraggingThroughGreys &&
           (member == &TForm1::hinder1 || member == &TForm1::Hinder2);
}

// Which mouse-move handler a role carries: the paddle follows the pointer over every picture but
// the hand and the bottom strip; the texts of the header take no moves.
constexpr MoveHandler moveHandlerOf(Role role) {
    switch (role) {
        case Role::Shape:
        case Role::Hand:
        case Role::Display:
        case Role::Warning:
            return MoveHandler::None;
        case Role::Prompt:
            return MoveHandler::Label4MouseMove;
        case Role::RedBar:
            return MoveHandler::Hinder7MouseMove;
        default:
            return MoveHandler::FangerMouseMove;
    }
}

constexpr bool isText(Role role) {
    return role == Role::Display || role == Role::Warning || role == Role::Prompt;
}

// The element's row in the table; the table's size for a component that is not in it.
constexpr std::size_t indexOf(Component TForm1::*member) {
    for (std::size_t i = 0; i < Elements.size(); ++i) {
        if (Elements[i].member == member) {
            return i;
        }
    }
    return Elements.size();
}

constexpr const Element& elementOf(Component TForm1::*member) {
    return Elements[indexOf(member)];
}

struct ElementRole {
    Component TForm1::*member;
    Role role;
};

// A list of elements with their roles looked up once, when it is compiled; a component that is
// not in the table does not compile.
template <std::size_t N>
constexpr std::array<ElementRole, N> withRoles(const std::array<Component TForm1::*, N>& members) {
    std::array<ElementRole, N> out{};
    for (std::size_t i = 0; i < N; ++i) {
        out[i] = {members[i], elementOf(members[i]).role};
    }
    return out;
}

// The lists the rules give in orders of their own name their elements by member; these checks
// hold such a list against the table when it is compiled.
template <std::size_t N>
constexpr bool allInTable(const std::array<Component TForm1::*, N>& members) {
    for (Component TForm1::*member : members) {
        if (indexOf(member) == Elements.size()) {
            return false;
        }
    }
    return true;
}

template <std::size_t N>
constexpr bool noneTwice(const std::array<Component TForm1::*, N>& members) {
    for (std::size_t i = 0; i < N; ++i) {
        for (std::size_t j = i + 1; j < N; ++j) {
            if (members[i] == members[j]) {
                return false;
            }
        }
    }
    return true;
}
