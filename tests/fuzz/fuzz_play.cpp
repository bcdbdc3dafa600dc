// Arbitrary bytes as a small level file, read from memory by the game's own profile reader, and a
// script of input events, played through the rules as the windows deliver them. Timer events right
// after a message box opens fire inside it, as they do in the box's own event loop. Every rule that
// must always hold is checked after every event; a breach aborts, so the fuzzer keeps the input.
//
// Input: the level file, a line "%%", then one event per line as the scenario runner reads them.
// Lines that are no event are skipped, so that mutations keep most of a script playable.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "headless/headlessgame.h"

namespace {

// Long timer runs make slow inputs without finding more: a script fires the timers at most this
// often in all, a few times what losing every ball or finishing a level takes.
enum { MaxTimerFirings = 600 };

std::vector<InputEvent> readEvents(std::string_view script) {
    std::vector<InputEvent> events;
    long firingsLeft = MaxTimerFirings;
    while (!script.empty()) {
        const std::size_t end = script.find('\n');
        if (std::optional<InputEvent> event = parseEvent(script.substr(0, end))) {
            if (event->isTimer()) {
                event->count = std::min(event->count, firingsLeft);
                firingsLeft -= event->count;
            }
            events.push_back(*event);
        }
        script.remove_prefix(end == std::string_view::npos ? script.size() : end + 1);
    }
    return events;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find("\n%%\n");
    const std::string_view level = input.substr(0, split);
    const std::string_view script =
        split == std::string_view::npos ? std::string_view() : input.substr(split + 4);
    const ProfileFile levelFile = ProfileFile::fromText(std::string(level));

    const std::vector<InputEvent> events = readEvents(script);
    std::size_t next = 0;
    const auto boxEvents = [&](InputEvent& event) {
        if (next == events.size() || !events[next].isTimer()) {
            return false;
        }
        event = events[next++];
        return true;
    };

    HeadlessGame headless([&levelFile] { return levelFile; }, HeadlessGame::Begin::BeforeStartUp);
    headless.player.setBoxEvents(boxEvents);
    headless.startUp();
    while (next < events.size() && headless.play(events[next++])) {
    }
    if (!headless.player.breach().empty()) {
        std::fprintf(stderr, "broken: %s\n", headless.player.breach().c_str());
        std::abort();
    }
    return 0;
}
