#include "tools/sim/scenario.h"

#include <charconv>
#include <istream>
#include <map>
#include <ostream>
#include <sstream>
#include <vector>

#include "tools/sim/statedump.h"

namespace {

std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line.substr(0, line.find('#')));
    std::vector<std::string> out;
    for (std::string word; in >> word;) {
        out.push_back(word);
    }
    return out;
}

template <typename Int>
bool number(const std::string& text, Int& value) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end;
}

// The countdown timer runs for the whole program; the others deliver only while enabled.
Timer alwaysOn{500, true};

void menu(TForm1& form, const std::string& item, bool& known) {
    static const std::map<std::string, void (TForm1::*)()> Items = {
        {"Pause", &TForm1::Button1Click},
        {"BallKaufen", &TForm1::N1Ballkaufenkostet5000Punkte1Click},
        {"LevelKaufen", &TForm1::N1Levelkaufenkostet20000Punkte1Click},
        {"Info", &TForm1::Info1Click},
        {"Beenden", &TForm1::Beenden},
    };
    const auto found = Items.find(item);
    known = found != Items.end();
    if (known && form.Enabled) {
        (form.*found->second)();
    }
}

}  // namespace

Scenario::Scenario(const std::filesystem::path& levelFile)
    : game(platform, [levelFile] { return levelFile; }) {
    game.Form1.FormCreate();
    game.Form1.setEnabled(true);
}

void Scenario::repeat(long count, Timer& timer, void (*event)(Game&)) {
    for (long i = 0; i < count && !ended(); ++i) {
        if (timer.Enabled) {
            event(game);
        }
    }
}

bool Scenario::execute(const std::string& line, std::ostream& out) {
    const std::vector<std::string> w = words(line);
    if (w.empty()) {
        return true;
    }
    const std::string& command = w[0];
    TForm1& form = game.Form1;

    long count = 1;
    const bool counted =
        command == "tick" || command == "countdown" || command == "flight" || command == "blink";
    if (counted) {
        if (w.size() > 2 || (w.size() == 2 && (!number(w[1], count) || count < 0))) {
            return false;
        }
        if (command == "tick")
            repeat(count, form.Timer1, [](Game& g) { g.Form1.Timer1Timer(); });
        if (command == "countdown")
            repeat(count, alwaysOn, [](Game& g) { g.Form1.Timer2Timer(); });
        if (command == "flight")
            repeat(count, game.Form2.Timer2, [](Game& g) { g.Form2.Timer2Timer(); });
        if (command == "blink")
            repeat(count, game.Form2.Timer1, [](Game& g) { g.Form2.Timer1Timer(); });
        return true;
    }

    if (command == "move" || command == "press" || command == "release" || command == "click") {
        int32 x = 0, y = 0;
        const std::size_t maxWords = command == "move" || command == "click" ? 3 : 4;
        if (w.size() < 3 || w.size() > maxWords || !number(w[1], x) || !number(w[2], y)) {
            return false;
        }
        MouseButton button = MouseButton::Left;
        if (w.size() == 4) {
            if (w[3] != "left" && w[3] != "right")
                return false;
            button = w[3] == "right" ? MouseButton::Right : MouseButton::Left;
        }
        if (command == "move")
            form.Mouse.move(x, y);
        if (command == "press")
            form.Mouse.press(x, y, button);
        if (command == "release")
            form.Mouse.release(x, y, button);
        if (command == "click") {
            form.Mouse.press(x, y, MouseButton::Left);
            if (!ended())
                form.Mouse.release(x, y, MouseButton::Left);
        }
        return true;
    }
    if (command == "menu") {
        bool known = false;
        if (w.size() == 2)
            menu(form, w[1], known);
        return known;
    }
    if (command == "dialog-close" && w.size() == 1) {
        if (game.Form2.Visible)
            game.Form2.Label2Click();
        return true;
    }
    if (command == "dump" && w.size() == 1) {
        out << dumpState(game, platform) << '\n';
        return true;
    }
    return false;
}

int Scenario::run(std::istream& script, std::ostream& out, std::ostream& err) {
    std::string line;
    for (int number = 1; !ended() && std::getline(script, line); ++number) {
        if (!execute(line, out)) {
            err << "quirlon95-sim: line " << number << " cannot be read: " << line << '\n';
            return 2;
        }
    }
    out << dumpState(game, platform) << '\n';
    return 0;
}
