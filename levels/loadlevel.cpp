#include <array>
#include <string>

#include "levels/levellayout.h"
#include "play/form1.h"

namespace {

// Hidden controls are taken out of play by moving them off the field.
constexpr std::array<Component TForm1::*, 25> ParkedWhenHidden = {
    &TForm1::fanger,   &TForm1::hinder1,  &TForm1::Hinder2,  &TForm1::Hinder3,  &TForm1::Hinder4,
    &TForm1::hinder5,  &TForm1::hinder6,  &TForm1::hinder7,  &TForm1::hinder8,  &TForm1::hinder9,
    &TForm1::hinder10, &TForm1::hinder11, &TForm1::hinder12, &TForm1::hinder13, &TForm1::dig1,
    &TForm1::dig2,     &TForm1::dig3,     &TForm1::dig4,     &TForm1::dig5,     &TForm1::dig6,
    &TForm1::dig7,     &TForm1::dig8,     &TForm1::dig9,     &TForm1::dig10,    &TForm1::dig11,
};
static_assert(allInTable(ParkedWhenHidden) && noneTwice(ParkedWhenHidden));

enum { ParkedLeft = -1000 };

}  // namespace

void TForm1::LoadLevel() {
    levelnr = add32(levelnr, 1);
    sektion = std::to_string(levelnr);
    ShowBalls();
    ShowLevel();

    // One read of the file per level, so a level is always laid out as the file stands now.
    const ProfileSection section = levelini ? levelini->section(sektion) : ProfileSection();
    const LevelLayout layout = readLevel(section);
    for (std::size_t i = 0; i < LevelReadOrder.size(); ++i) {
        Component& control = this->*LevelReadOrder[i];
        control.Left = layout[i].Left;
        control.Top = layout[i].Top;
        control.Width = layout[i].Width;
        control.Height = layout[i].Height;
        control.Visible = layout[i].Visible;
    }
    for (Component TForm1::*member : ParkedWhenHidden) {
        Component& control = this->*member;
        if (!control.Visible) {
            control.Left = ParkedLeft;
        }
    }
}
