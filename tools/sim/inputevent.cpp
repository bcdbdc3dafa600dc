#include "tools/sim/inputevent.h"

#include <array>
#include <charconv>

namespace {

// The script word of each kind; the menu commands are written "menu" and the item's name.
constexpr std::string_view Words[] = {
    "tick",        "countdown", "flight",  "blink",        "move",
    "press",       "release",   "click",   "Pause",        "BallKaufen",
    "LevelKaufen", "Info",      "Beenden", "dialog-close", "dialog-closebox",
};
static_assert(sizeof(Words) / sizeof(Words[0]) == InputEvent::KindCount);

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
        if (w[3] != "left" && w[3] != "right") {
            return false;
        }
        event.rightButton = w[3] == "right";
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

std::string describe(const InputEvent& event) {
    const std::string word(Words[event.kind]);
    if (event.isTimer()) {
        return word + " " + std::to_string(event.count);
    }
    if (event.kind <= InputEvent::Click) {
        const bool buttonNamed =
            event.kind == InputEvent::Press || event.kind == InputEvent::Release;
        return word + " " + std::to_string(event.x) + " " + std::to_string(event.y) +
               (buttonNamed ? (event.rightButton ? " right" : " left") : "");
    }
    return event.kind <= InputEvent::Quit ? "menu " + word : word;
}
