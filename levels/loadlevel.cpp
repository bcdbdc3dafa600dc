#include <array>
#include <string>

#include "play/form1.h"

namespace {

struct LevelElement {
    const char* prefix;
    Component TForm1::*control;
    // Two elements read their left position from the bare prefix, without ".left".
    bool bareLeftKey;
};

// The elements a level lays out, in the order they are read.
constexpr std::array<LevelElement, 23> LevelElements = {{
    {"hinder1", &TForm1::hinder1, false},   {"hinder2", &TForm1::Hinder2, false},
    {"hinder3", &TForm1::Hinder3, false},   {"hinder4", &TForm1::Hinder4, false},
    {"hinder5", &TForm1::hinder5, false},   {"hinder6", &TForm1::hinder6, false},
    {"hinder8", &TForm1::hinder8, false},   {"hinder9", &TForm1::hinder9, false},
    {"hinder10", &TForm1::hinder10, false}, {"hinder11", &TForm1::hinder11, false},
    {"hinder12", &TForm1::hinder12, false}, {"hinder13", &TForm1::hinder13, false},
    {"dig1", &TForm1::dig1, false},         {"dig2", &TForm1::dig2, false},
    {"dig3", &TForm1::dig3, false},         {"dig4", &TForm1::dig4, false},
    {"dig5", &TForm1::dig5, false},         {"dig6", &TForm1::dig6, false},
    {"dig7", &TForm1::dig7, false},         {"dig8", &TForm1::dig8, false},
    {"dig9", &TForm1::dig9, false},         {"dig10", &TForm1::dig10, true},
    {"dig11", &TForm1::dig11, true},
}};

// Hidden controls are taken out of play by moving them off the field.
constexpr std::array<Component TForm1::*, 25> ParkedWhenHidden = {
    &TForm1::fanger,   &TForm1::hinder1,  &TForm1::Hinder2,  &TForm1::Hinder3,  &TForm1::Hinder4,
    &TForm1::hinder5,  &TForm1::hinder6,  &TForm1::hinder7,  &TForm1::hinder8,  &TForm1::hinder9,
    &TForm1::hinder10, &TForm1::hinder11, &TForm1::hinder12, &TForm1::hinder13, &TForm1::dig1,
    &TForm1::dig2,     &TForm1::dig3,     &TForm1::dig4,     &TForm1::dig5,     &TForm1::dig6,
    &TForm1::dig7,     &TForm1::dig8,     &TForm1::dig9,     &TForm1::dig10,    &TForm1::dig11,
};

enum { ParkedLeft = -1000 };

// The keys of one element, in the order they are read.
struct ElementKeys {
    std::string left, top, width, height, visible;
};

// The key names never change, so they are put together once.
const std::array<ElementKeys, LevelElements.size()>& elementKeys() {
    static const auto keys = [] {
        std::array<ElementKeys, LevelElements.size()> all;
        for (std::size_t i = 0; i < LevelElements.size(); ++i) {
            const std::string prefix = LevelElements[i].prefix;
            all[i] = {LevelElements[i].bareLeftKey ? prefix : prefix + ".left", prefix + ".top",
                      prefix + ".width", prefix + ".height", prefix + ".visible"};
        }
        return all;
    }();
    return keys;
}

}  // namespace

void TForm1::LoadLevel() {
    levelnr = add32(levelnr, 1);
    sektion = std::to_string(levelnr);
    ShowBalls();
    ShowLevel();

    // One read of the file per level, so a level is always laid out as the file stands now.
    const ProfileSection section = levelini ? levelini->section(sektion) : ProfileSection();
    for (std::size_t i = 0; i < LevelElements.size(); ++i) {
        Component& control = this->*LevelElements[i].control;
        const ElementKeys& keys = elementKeys()[i];
        control.Left = section.readInteger(keys.left, 0);
        control.Top = section.readInteger(keys.top, 0);
        control.Width = section.readInteger(keys.width, 0);
        control.Height = section.readInteger(keys.height, 0);
        control.Visible = section.readFlag(keys.visible, true);
    }
    for (Component TForm1::*member : ParkedWhenHidden) {
        Component& control = this->*member;
        if (!control.Visible) {
            control.Left = ParkedLeft;
        }
    }
}
