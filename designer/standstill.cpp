#include "designer/standstill.h"

#include "designer/playerhand.h"
#include "headless/headlessgame.h"

std::optional<Standstill> StandstillWatch::observe(const TForm1& form) {
    const bool inPlay = !form.halt && form.Timer1.Enabled && !form.Label4.Visible;
    if (!inPlay) {
        still = 0;
        lastTick = -1;
        return std::nullopt;
    }
    if (form.durchgang == lastTick) {
        return std::nullopt;
    }
    lastTick = form.durchgang;
    if (form.ball.Left != left || form.ball.Top != top) {
        left = form.ball.Left;
        top = form.ball.Top;
        still = 0;
        return std::nullopt;
    }
    if (++still != StillTicks) {
        return std::nullopt;
    }
    return Standstill{left, top, form.durchgang};
}

std::optional<Standstill> probeStandstill(const std::string& text, int32 number, long budget) {
    PlayerHand hand([&text] { return ProfileFile::fromText(text); }, HandProfile{});
    hand.startLevel(number, {TForm1::ClientWidth / 2, TForm1::ClientHeight / 2});
    StandstillWatch watch;
    while (hand.ticks() < budget && !hand.handReached() && !hand.failed()) {
        hand.followBall();
        if (const std::optional<Standstill> found = watch.observe(hand.form())) {
            return found;
        }
    }
    return std::nullopt;
}

std::optional<Standstill> standstillIn(const std::string& text, int32 number,
                                       const std::vector<InputEvent>& events) {
    HeadlessGame headless([&text] { return ProfileFile::fromText(text); });
    headless.standardStart(number);
    StandstillWatch watch;
    for (const InputEvent& event : events) {
        headless.play(event);
        if (const std::optional<Standstill> found = watch.observe(headless.game.Form1)) {
            return found;
        }
    }
    return std::nullopt;
}
