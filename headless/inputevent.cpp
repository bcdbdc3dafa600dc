#include "headless/inputevent.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <sstream>
#include <vector>

namespace {

// The script word of each kind; the menu commands are written "menu" and the item's name.
const char* const Words[] = {
    "tick",        "countdown", "flight",  "blink",        "move",
    "press",       "release",   "click",   "Pause",        "BallKaufen",
    "LevelKaufen", "Info",      "Beenden", "dialog-close", "dialog-closebox",
};
static_assert(sizeof(Words) / sizeof(Words[0]) == InputEvent::KindCount);

std::vector<std::string> words(std::string_view line) {
    std::istringstream in{std::string(line)};
    std::vector<std::string> out;
    for (std::string word; in >> word;) {
        out.push_back(word);
    }
    return out;
}

// The script word of each mouse button, in the order of the buttons.
const char* const ButtonWords[] = {"left", "right", "middle"};

template <typename Int>
bool number(const std::string& text, Int& value) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end;
}

std::optional<InputEvent::Kind> kindOf(const std::vector<std::string>& w) {
    const bool menu = w[0] == "menu";
    if (menu && w.size() != 2) {
        return std::nullopt;
    }
    const std::string& word = menu ? w[1] : w[0];
    for (int kind = 0; kind < InputEvent::KindCount; ++kind) {
        const bool isMenuItem = kind >= InputEvent::Pause && kind <= InputEvent::Quit;
        if (word == Words[kind] && isMenuItem == menu) {
            return static_cast<InputEvent::Kind>(kind);
        }
    }
    return std::nullopt;
}

bool readPointer(const std::vector<std::string>& w, InputEvent& event) {
    const bool buttonNamed = event.kind == InputEvent::Press || event.kind == InputEvent::Release;
    if (w.size() < 3 || w.size() > (buttonNamed ? 4u : 3u) || !number(w[1], event.x) ||
        !number(w[2], event.y)) {
        return false;
    }
    if (w.size() == 4) {
        const auto named = std::find(std::begin(ButtonWords), std::end(ButtonWords), w[3]);
        if (named == std::end(ButtonWords)) {
            return false;
        }
        event.button = static_cast<MouseButton>(named - std::begin(ButtonWords));
    }
    return true;
}

}  // namespace

std::optional<InputEvent> parseEvent(std::string_view line) {
    const std::vector<std::string> w = words(line);
    if (w.empty()) {
        return std::nullopt;
    }
    const std::optional<InputEvent::Kind> kind = kindOf(w);
    if (!kind) {
        return std::nullopt;
    }
    InputEvent event;
    event.kind = *kind;
    if (event.isTimer()) {
        if (w.size() > 2 || (w.size() == 2 && (!number(w[1], event.count) || event.count < 0))) {
            return std::nullopt;
        }
        return event;
    }
    if (event.kind <= InputEvent::Click) {
        return readPointer(w, event) ? std::optional(event) : std::nullopt;
    }
    const std::size_t length = event.kind <= InputEvent::Quit ? 2 : 1;
    return w.size() == length ? std::optional(event) : std::nullopt;
}

GameTimer timerOf(InputEvent::Kind kind) {
    static_assert(InputEvent::Blink - InputEvent::Tick + 1 == GameTimers.size());
    return GameTimers[kind - InputEvent::Tick];
}

std::optional<MenuCommand> menuCommandOf(InputEvent::Kind kind) {
    // The menu items of a script, in the order of their kinds.
    constexpr MenuCommand Commands[] = {MenuCommand::Pause, MenuCommand::BuyBall,
                                        MenuCommand::BuyLevel, MenuCommand::Info,
                                        MenuCommand::Quit};
    static_assert(std::size(Commands) == InputEvent::Quit - InputEvent::Pause + 1);
    if (kind < InputEvent::Pause || kind > InputEvent::Quit) {
        return std::nullopt;
    }
    return Commands[kind - InputEvent::Pause];
}

std::string describe(const InputEvent& event) {
    const std::string word = Words[event.kind];
    if (event.isTimer()) {
        return word + " " + std::to_string(event.count);
    }
    if (event.kind <= InputEvent::Click) {
        const bool buttonNamed =
            event.kind == InputEvent::Press || event.kind == InputEvent::Release;
        return word + " " + std::to_string(event.x) + " " + std::to_string(event.y) +
               (buttonNamed ? " " + std::string(ButtonWords[static_cast<int>(event.button)]) : "");
    }
    return event.kind <= InputEvent::Quit ? "menu " + word : word;
}

void deliverEvent(InputGate& gate, const InputEvent& event, const std::function<bool()>& stopped) {
    if (event.isTimer()) {
        for (long i = 0; i < event.count && !stopped(); ++i) {
            gate.fire(timerOf(event.kind));
        }
    } else if (const std::optional<MenuCommand> command = menuCommandOf(event.kind)) {
        gate.menu(*command);
    } else if (event.kind == InputEvent::Move) {
        gate.move(event.x, event.y);
    } else if (event.kind == InputEvent::Press) {
        gate.press(event.x, event.y, event.button);
    } else if (event.kind == InputEvent::Release) {
        gate.release(event.x, event.y, event.button);
    } else if (event.kind == InputEvent::Click) {
        gate.press(event.x, event.y, MouseButton::Left);
        if (!stopped()) {
            gate.release(event.x, event.y, MouseButton::Left);
        }
    } else if (event.kind == InputEvent::DialogButton) {
        gate.dialogButton();
    } else if (event.kind == InputEvent::DialogCloseBox) {
        gate.dialogCloseBox();
    }
}
