#include "headless/scenario.h"

#include <cstdint>
#include <istream>
#include <optional>
#include <ostream>
#include <sstream>

#include "headless/statedump.h"

namespace {

bool isBlank(std::string_view text) {
    return text.find_first_not_of(" \t\r") == std::string_view::npos;
}

bool isDump(std::string_view text) {
    std::istringstream in{std::string(text)};
    std::string first, more;
    in >> first;
    return first == "dump" && !(in >> more);
}

// "level N", with N a level number from 1 on.
std::optional<int32> levelCommand(std::string_view text) {
    std::istringstream in{std::string(text)};
    std::string first, more;
    long level = 0;
    in >> first >> level;
    if (first != "level" || !in || level < 1 || level > INT32_MAX || (in >> more)) {
        return std::nullopt;
    }
    return static_cast<int32>(level);
}

}  // namespace

bool Scenario::execute(const std::string& line, std::ostream& out) {
    const std::string_view text = std::string_view(line).substr(0, line.find('#'));
    if (isBlank(text)) {
        return true;
    }
    if (isDump(text)) {
        out << dumpState(game, platform) << '\n';
        return true;
    }
    if (const std::optional<int32> level = levelCommand(text)) {
        standardStart(*level);
        return true;
    }
    const std::optional<InputEvent> event = parseEvent(text);
    if (!event) {
        return false;
    }
    player.play(*event);
    return true;
}

int Scenario::run(std::istream& script, std::ostream& out, std::ostream& err) {
    std::string line;
    for (int number = 1; !ended() && player.breach().empty() && std::getline(script, line);
         ++number) {
        if (!execute(line, out)) {
            err << "quirlon95-sim: line " << number << " cannot be read: " << line << '\n';
            return 2;
        }
    }
    out << dumpState(game, platform) << '\n';
    if (!player.breach().empty()) {
        err << "quirlon95-sim: " << player.breach() << '\n';
        return 3;
    }
    return 0;
}
