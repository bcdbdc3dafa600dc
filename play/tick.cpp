#include <array>
#include <cstdlib>

#include "play/elements.h"
#include "play/form1.h"
#include "play/form2.h"
#include "play/rules.h"

namespace {

enum Motion {
    FallAcceleration = 2000,  // scaled units per tick, added to the step every tick
    SpeedCapPixels = 13,
    PayOutBelowPixels = 11,
    BankCapPixels = 20,
    PayOutDivisor = 10,
    BankDecayDivisor = 11,
    RightWall = 894000,  // largest posx: Left 596
    CeilingPush = 2000,
    PaddleGap = 4,
};

// The order in which one tick tests the ball against the elements; each reacts as its role says.
constexpr std::array<Component TForm1::*, 25> TickOrder = {
    &TForm1::hinder1,  &TForm1::Hinder2,  &TForm1::Hinder3,  &TForm1::Hinder4, &TForm1::hinder5,
    &TForm1::hinder6,  &TForm1::hinder7,  &TForm1::hinder8,  &TForm1::hinder9, &TForm1::hinder10,
    &TForm1::hinder11, &TForm1::hinder12, &TForm1::hinder13, &TForm1::fanger,  &TForm1::dig1,
    &TForm1::dig2,     &TForm1::dig3,     &TForm1::dig4,     &TForm1::dig5,    &TForm1::dig6,
    &TForm1::dig7,     &TForm1::dig8,     &TForm1::dig9,     &TForm1::dig10,   &TForm1::dig11,
};

// Every bar, the paddle, every penny and the hand, each once.
constexpr bool testsEveryElementOnce() {
    std::size_t reacting = 0;
    for (const Element& element : Elements) {
        reacting += barKindOf(element.role) || element.role == Role::Paddle ||
                    element.role == Role::Penny || element.role == Role::Hand;
    }
    return allInTable(TickOrder) && noneTwice(TickOrder) && reacting == TickOrder.size();
}
static_assert(testsEveryElementOnce());

constexpr auto TickTests = withRoles(TickOrder);

std::int64_t magnitude(int32 value) {
    return std::llabs(std::int64_t{value});
}

}  // namespace

bool TForm1::BallTouches(const Component& element) const {
    // Inclusive on every side: rectangles that only meet edge to edge already touch. Sums are
    // taken in 64 bits because a level file may place an element anywhere.
    auto right = [](const Component& c) { return std::int64_t{c.Left} + c.Width; };
    auto bottom = [](const Component& c) { return std::int64_t{c.Top} + c.Height; };
    return right(ball) >= element.Left && right(element) >= ball.Left &&
           bottom(ball) >= element.Top && bottom(element) >= ball.Top;
}

void TForm1::Timer1Timer() {
    platform.repaintNow(fanger);
    if (halt) {
        return;
    }
    posx = add32(posx, bewx);
    ball.Left = div32(posx, teiler);
    posy = add32(posy, bewy);
    ball.Top = div32(posy, teiler);
    bewy = add32(bewy, FallAcceleration);

    const int32 speedCap = mul32(SpeedCapPixels, teiler);
    if (magnitude(bewy) > speedCap) {
        schwung = wrap32(schwung + magnitude(bewy) - speedCap);
        bewy = bewy > 0 ? speedCap : neg32(speedCap);
    }
    if (magnitude(bewy) < mul32(PayOutBelowPixels, teiler)) {
        // The banked fall speed is paid back as a push upward.
        const int32 bankCap = mul32(BankCapPixels, teiler);
        if (schwung > bankCap) {
            schwung = bankCap;
        }
        bewy = sub32(bewy, schwung / PayOutDivisor);
        schwung = sub32(schwung, schwung / BankDecayDivisor);
    }

    if (posx < 0) {
        posx = 0;
        bewx = neg32(bewx);
    }
    if (posx >= RightWall) {
        posx = RightWall;
        bewx = neg32(bewx);
    }
    if (ball.Top < rules::Ceiling) {
        bewy = neg32(bewy);
        posy = add32(posy, CeilingPush);
    }

    const bool lost = ball.Top >= std::int64_t{ClientHeight} - ball.Height;
    if (lost) {
        loseBall();
    }
    for (const auto [member, role] : TickTests) {
        // A lost ball can no longer finish the level: the round-end dialog already owns the round.
        // (The rare case is tested first: the fuzzer traces every comparison made.)
        if (lost && role == Role::Hand) {
            continue;
        }
        Component& element = this->*member;
        if (!BallTouches(element)) {
            continue;
        }
        if (const std::optional<BarKind> kind = barKindOf(role)) {
            CheckBar(element, *kind);
        } else if (role == Role::Paddle) {
            CheckPaddle();
        } else if (role == Role::Penny) {
            CheckPenny(element);
        } else {
            CheckHand();
        }
    }
    durchgang = add32(durchgang, 1);
}

void TForm1::loseBall() {
    Timer1.Enabled = false;
    baelle = sub32(baelle, 1);
    ShowPoints();
    ShowBalls();
    Form2.Show();
    if (baelle >= 2) {
        Form2.setMessage("Sie haben noch " + std::to_string(baelle) + " Bälle! ");
    } else if (baelle == 1) {
        Form2.setMessage("Sie haben noch einen Ball!");
    } else {
        Form2.setMessage("Game over !");
    }
    Form2.Timer2.Enabled = true;
    platform.report({GameEvent::BallLost, levelnr, 0, baelle});
    if (baelle == 0) {
        platform.report({GameEvent::GameOver, levelnr, 0, baelle});
    }
}

void TForm1::CheckPaddle() {
    ball.Top = wrap32(std::int64_t{fanger.Top} - ball.Height - PaddleGap);
    posy = mul32(ball.Top, teiler);
    bewy = neg32(bewy);
}
