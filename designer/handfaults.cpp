#include "designer/handfaults.h"

#include <cstdlib>
#include <optional>

namespace {

struct HandState {
    std::optional<InputEvent> last;  // the last pointer event
    long lastAt = 0;
    long tick = 0;
    long sinceCountdown = 0;
    long pressedAt = -1;
    long releasedAt = -1;
    int clicks = 0;
};

std::string pointerFault(HandState& hand, const InputEvent& event, const HandProfile& profile) {
    const long apart = hand.tick - hand.lastAt;
    if (hand.last && apart < 1) {
        return "two pointer events before one tick";
    }
    if (hand.last && (std::labs(long{event.x} - hand.last->x) > profile.maxStep * apart ||
                      std::labs(long{event.y} - hand.last->y) > profile.maxStep * apart)) {
        return "the pointer travels faster than " + std::to_string(profile.maxStep) +
               " pixels a tick";
    }
    if ((event.kind == InputEvent::Press || event.kind == InputEvent::Release) &&
        event.button != MouseButton::Left) {
        return "a button other than the left";
    }
    if (event.kind == InputEvent::Click && ++hand.clicks > 1) {
        return "a second start click";
    }
    if (event.kind == InputEvent::Press) {
        if (hand.pressedAt >= 0 && hand.releasedAt < hand.pressedAt) {
            return "a press without a release before it";
        }
        if (hand.releasedAt >= 0 && hand.tick - hand.releasedAt < profile.minGap) {
            return "a press less than " + std::to_string(profile.minGap) + " ticks after a release";
        }
        hand.pressedAt = hand.tick;
    }
    if (event.kind == InputEvent::Release) {
        if (hand.pressedAt < 0 || hand.tick - hand.pressedAt < profile.minHold) {
            return "a grab held less than " + std::to_string(profile.minHold) + " ticks";
        }
        hand.releasedAt = hand.tick;
    }
    hand.last = event;
    hand.lastAt = hand.tick;
    return {};
}

}  // namespace

std::vector<std::string> handFaults(const std::vector<InputEvent>& events,
                                    const HandProfile& profile) {
    std::vector<std::string> faults;
    HandState hand;
    for (const InputEvent& event : events) {
        std::string fault;
        if (event.kind == InputEvent::Tick) {
            hand.tick += event.count;
            hand.sinceCountdown += event.count;
            if (hand.sinceCountdown > profile.countdownEvery) {
                fault = "more than " + std::to_string(profile.countdownEvery) +
                        " ticks without a countdown step";
            }
        } else if (event.kind == InputEvent::Countdown) {
            hand.sinceCountdown = 0;
        } else if (event.isPointerAction()) {
            fault = pointerFault(hand, event, profile);
        } else {
            fault = "nothing a player at the mouse does: " + describe(event);
        }
        if (!fault.empty()) {
            faults.push_back("tick " + std::to_string(hand.tick) + ": " + fault);
        }
    }
    return faults;
}
