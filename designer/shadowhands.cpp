#include "designer/shadowhands.h"

#include "designer/planreplay.h"

ShadowHands::Shadow::Shadow(const TForm1::LevelFileOpener& openLevelFile, unsigned draw)
    : headless(openLevelFile), random(draw) {}

ShadowHands::ShadowHands(const TForm1::LevelFileOpener& openLevelFile, const HandProfile& profile,
                         int count)
    : profile(profile) {
    for (int i = 0; i < count; ++i) {
        shadows.push_back(std::make_unique<Shadow>(openLevelFile, 7919u * unsigned(i + 1)));
    }
}

void ShadowHands::startLevel(int32 level) {
    for (const std::unique_ptr<Shadow>& shadow : shadows) {
        shadow->headless.standardStart(level);
    }
}

bool ShadowHands::reached(const Shadow& shadow) {
    return shadow.headless.reported(GameEvent::HandReached);
}

void ShadowHands::copyFrom(const ShadowHands& other) {
    for (std::size_t i = 0; i < shadows.size() && i < other.shadows.size(); ++i) {
        Shadow& to = *shadows[i];
        const Shadow& from = *other.shadows[i];
        to.headless.copyFrom(from.headless);
        to.watch = from.watch;
        to.random = from.random;
        to.late = from.late;
        to.failed = from.failed;
    }
}

// A copy at the hand has finished: what the hand does later, a click that starts the next level
// among it, is no longer its round.
void ShadowHands::play(const InputEvent& event) {
    for (const std::unique_ptr<Shadow>& shadow : shadows) {
        if (!shadow->failed && !reached(*shadow)) {
            playIn(*shadow, event);
        }
    }
}

void ShadowHands::playIn(Shadow& shadow, const InputEvent& event) {
    const auto deliver = [&shadow](const InputEvent& e) {
        shadow.failed |= !shadow.headless.play(e) || shadow.headless.game.Form2.Visible;
        shadow.watch.observe(shadow.headless.game.Form1);
        shadow.failed |= bool(shadow.watch.found());
    };
    if (!event.isPointerAction()) {
        deliver(event);
        if (event.kind == InputEvent::Tick) {
            for (const InputEvent& late : shadow.late) {
                deliver(late);
            }
            shadow.late.clear();
        }
        return;
    }
    InputEvent landed = event;
    landed.x += drawUpTo(shadow.random, 2 * profile.jitterPixels) - profile.jitterPixels;
    landed.y += drawUpTo(shadow.random, 2 * profile.jitterPixels) - profile.jitterPixels;
    if (drawUpTo(shadow.random, profile.jitterTicks) > 0 || !shadow.late.empty()) {
        shadow.late.push_back(landed);
    } else {
        deliver(landed);
    }
}

int ShadowHands::failures() const {
    int failed = 0;
    for (const std::unique_ptr<Shadow>& shadow : shadows) {
        failed += shadow->failed;
    }
    return failed;
}
