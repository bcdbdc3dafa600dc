#include <array>
#include <string>

#include "play/form1.h"
#include "play/levellayout.h"
#include "play/rules.h"

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

}  // namespace

void TForm1::LoadLevel() {
    levelnr = add32(levelnr, 1);
    sektion = std::to_string(levelnr);
    ShowBalls();
    ShowLevel();

    // One read of the file per level, so a level is always laid out as the file stands now.
    const ProfileSection section = levelini ? levelini->section(sektion) : ProfileSection();
    const LevelLayout layout = readLevel(section);
    for (const ElementId id : LevelElements) {
        Component& control = this->*id.member();
        control.Left = layout[id].Left;
        control.Top = layout[id].Top;
        control.Width = layout[id].Width;
        control.Height = layout[id].Height;
        control.Visible = layout[id].Visible;
    }
    for (Component TForm1::*member : ParkedWhenHidden) {
        Component& control = this->*member;
        if (!control.Visible) {
            control.Left = rules::HiddenLeft;
        }
    }
    platform.report({GameEvent::LevelLaidOut, levelnr, 0, baelle});
}
