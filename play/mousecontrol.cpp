#include <array>

#include "play/elements.h"
#include "play/form1.h"
#include "play/rules.h"

namespace {

// What a drag step tests, in order, before the bar moves: the paddle with the paddle bounce, the
// red bar with its dragged spacing, the other bars by their kind.
constexpr std::array<Component TForm1::*, 14> DragOrder = {
    &TForm1::fanger,   &TForm1::hinder7,  &TForm1::hinder1,  &TForm1::Hinder2,  &TForm1::Hinder3,
    &TForm1::Hinder4,  &TForm1::hinder5,  &TForm1::hinder6,  &TForm1::hinder8,  &TForm1::hinder9,
    &TForm1::hinder10, &TForm1::hinder11, &TForm1::hinder12, &TForm1::hinder13,
};
static_assert(noneTwice(DragOrder));
constexpr auto DragTests = withRoles(DragOrder);

// The lower bound first, then the upper one, so that the upper bound wins when they cross.
int32 clamp(int32 value, std::int64_t lower, std::int64_t upper) {
    if (value < lower) {
        value = wrap32(lower);
    }
    if (value > upper) {
        value = wrap32(upper);
    }
    return value;
}

}  // namespace

void TForm1::followPointer(const Component& sender, int32 X) {
    const int32 x = wrap32(std::int64_t{X} + sender.Left - fanger.Width / 2);
    fanger.Left = clamp(x, 0, std::int64_t{ClientWidth} - fanger.Width);
}

void TForm1::fangerMouseMove(const Component& sender, int32 X, int32 /*Y*/) {
    followPointer(sender, X);
    platform.repaintNow(fanger);
}

void TForm1::Label4MouseMove(const Component& sender, int32 X, int32 /*Y*/) {
    followPointer(sender, X);
}

void TForm1::hinder7MouseDown() {
    ziehen = true;
}

void TForm1::hinder7MouseUp() {
    ziehen = false;
}

void TForm1::hinder7MouseMove(int32 X, int32 Y) {
    if (ziehen) {
        dragStep(X, Y);
    } else {
        followPointer(hinder7, X);
    }
}

void TForm1::dragStep(int32 X, int32 Y) {
    for (const auto [member, role] : DragTests) {
        if (dragStepSkips(levelnr, member)) {
            continue;
        }
        Component& element = this->*member;
        if (!BallTouches(element)) {
            continue;
        }
        if (role == Role::Paddle) {
            CheckPaddle();
        } else {
            CheckBar(element, role == Role::RedBar ? bkRedDragged : *barKindOf(role));
        }
    }

    const int32 x = wrap32(std::int64_t{X} + hinder7.Left - hinder7.Width / 2);
    hinder7.Left = clamp(x, 0, std::int64_t{ClientWidth} - hinder7.Width);
    const int32 y = wrap32(std::int64_t{hinder7.Top} + Y - hinder7.Height / 2);
    hinder7.Top = clamp(y, rules::RedBarHighestTop,
                        std::int64_t{ClientHeight} - hinder7.Height - fanger.Height);
    // The paddle travels centred under the bar, unclamped.
    fanger.Left =
        wrap32(std::int64_t{hinder7.Left} - (std::int64_t{fanger.Width} - hinder7.Width) / 2);
}
