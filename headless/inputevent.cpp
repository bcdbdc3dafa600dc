#include "headless/inputevent.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <iterator>

namespace {

// The script word of each kind; the menu commands are written "menu" and the item's name.
constexpr std::string_view Words[] = {
    "tick",        "countdown", "flight",  "blink",        "move",
    "press",       "release",   "click",   "Pause",        "BallKaufen",
    "LevelKaufen", "Info",      "Beenden", "dialog-close", "dialog-closebox",
};
static_assert(sizeof(Words) / sizeof(Words[0]) == InputEvent::KindCount);

// The script word of each mouse button, in the order of the buttons.
constexpr std::string_view ButtonWords[] = {"left", "right", "middle"};

// The words of a line, split at white space as a stream reads them; views into the line. No event
// has more than four words, so counting stops at five. The fuzzer reads thousands of scripts a
// second, so no stream, no copies and no allocation.
class LineWords {
public:
    explicit LineWords(std::string_view line) {
        std::size_t at = 0;
        while (count < words.size()) {
            while (at < line.size() && isSpace(line[at])) {
                ++at;
            }
            const std::size_t start = at;
            while (at < line.size() && !isSpace(line[at])) {
                ++at;
            }
            if (start == at) {
                break;
            }
            words[count++] = line.substr(start, at - start);
        }
    }

    std::size_t size() const { return count; }
    bool empty() const { return count == 0; }
    std::string_view operator[](std::size_t i) const { return words[i]; }

private:
    static bool isSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

    std::array<std::string_view, 5> words;
    std::size_t count = 0;
};

template <typename Int>
bool number(std::string_view text, Int& value) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end;
}

std::optional<InputEvent::Kind> kindOf(const LineWords& w) {
    const bool menu = w[0] == "menu";
    if (menu && w.size() != 2) {
        return std::nullopt;
    }
    const std::string_view word = menu ? w[1] : w[0];
    for (int kind = 0; kind < InputEvent::KindCount; ++kind) {
        const bool isMenuItem = kind >= InputEvent::Pause && kind <= InputEvent::Quit;
        if (word == Words[kind] && isMenuItem == menu) {
            return static_cast<InputEvent::Kind>(kind);
        }
    }
    return std::nullopt;
}

bool readPointer(const LineWords& w, InputEvent& event) {
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
    const LineWords w(line);
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
    const std::string word(Words[event.kind]);
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
