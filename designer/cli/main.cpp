// quirlon95-levels: the level designer's tool on the command line.
//   quirlon95-levels check FILE [N...]   checks and solves the levels, prints a table; exit 1 when
//                                        a level has an error or was not solved
//   quirlon95-levels solve FILE N        prints a playthrough of level N as a runner script
#include <iomanip>
#include <iostream>
#include <string>
#include <vector>

#include "designer/levelchecks.h"
#include "designer/proof.h"
#include "designer/solver.h"
#include "designer/standstill.h"

namespace {

const char* const Usage =
    "usage: quirlon95-levels check FILE [N...]\n"
    "       quirlon95-levels solve FILE N\n";

std::optional<int32> levelNumber(const std::string& text) {
    try {
        std::size_t used = 0;
        const long number = std::stol(text, &used);
        if (used == text.size() && number >= 1 && number <= INT32_MAX) {
            return static_cast<int32>(number);
        }
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

// A playthrough of the level, proved by the runner; nothing when none was found.
std::optional<Playthrough> prove(const LevelDocument& document, int32 level, std::string& why) {
    if (document.refusal()) {
        why = "the game refuses the file";
        return std::nullopt;
    }
    const std::string text = document.text();
    const TForm1::LevelFileOpener opener = [text] { return ProfileFile::fromText(text); };
    Playthrough found = solveLevel(opener, level);
    if (!found.solved) {
        why = "no playthrough found";
        return std::nullopt;
    }
    if (!provesLevel(opener, level, playthroughScript(level, found), why)) {
        return std::nullopt;
    }
    return found;
}

// Where the ball stands still in play: in a first try with the paddle under the ball, or on the
// way the search found.
std::optional<Standstill> trapIn(const LevelDocument& document, int32 level,
                                 const std::optional<Playthrough>& found) {
    if (!document.indexOf(level) || document.refusal()) {
        return std::nullopt;
    }
    const std::optional<Standstill> tried = probeStandstill(document.text(), level);
    return tried || !found ? tried : standstillIn(document.text(), level, found->events);
}

int check(const LevelDocument& document, std::vector<int32> levels) {
    if (levels.empty()) {
        for (const LevelDocument::Level& level : document.levels()) {
            if (level.read) {
                levels.push_back(level.number);
            }
        }
    }
    std::vector<Finding> findings = checkFile(document);
    bool failed = false;
    std::cout << "level  errors  warnings  playthrough\n";
    for (const int32 level : levels) {
        int errors = 0, warnings = 0;
        for (const Finding& finding : findings) {
            if (finding.level == level) {
                (finding.severity == Finding::Error ? errors : warnings) += 1;
            }
        }
        std::string why;
        const std::optional<Playthrough> found =
            document.indexOf(level) ? prove(document, level, why) : std::nullopt;
        if (const std::optional<Standstill> trap = trapIn(document, level, found)) {
            findings.push_back(standstillFinding(level, *trap));
            ++warnings;
        }
        failed |= errors > 0 || !found;
        std::cout << std::setw(5) << level << std::setw(8) << errors << std::setw(10) << warnings
                  << "  ";
        if (found) {
            std::cout << "solved in " << found->ticks << " ticks, " << found->pennies
                      << (found->pennies == 1 ? " penny\n" : " pennies\n");
        } else {
            std::cout << "not solved" << (why.empty() ? "" : ": " + why) << "\n";
        }
    }
    for (const Finding& finding : findings) {
        std::cout << (finding.severity == Finding::Error ? "error" : "warning") << ", level "
                  << finding.level << ": " << finding.english << "\n";
    }
    return failed ? 1 : 0;
}

int solve(const LevelDocument& document, int32 level) {
    std::string why;
    const std::optional<Playthrough> found = prove(document, level, why);
    if (!found) {
        std::cerr << "quirlon95-levels: level " << level << " not solved: " << why << "\n";
        return 1;
    }
    std::cout << playthroughScript(level, *found);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() < 2 || (args[0] != "check" && args[0] != "solve") ||
        (args[0] == "solve" && args.size() != 3)) {
        std::cerr << Usage;
        return 2;
    }
    std::vector<int32> levels;
    for (std::size_t i = 2; i < args.size(); ++i) {
        const std::optional<int32> level = levelNumber(args[i]);
        if (!level) {
            std::cerr << "quirlon95-levels: " << args[i] << " is no level number\n";
            return 2;
        }
        levels.push_back(*level);
    }
    std::string error;
    const std::optional<LevelDocument> document = LevelDocument::open(args[1], error);
    if (!document) {
        std::cerr << "quirlon95-levels: cannot read " << args[1] << "\n";
        return 2;
    }
    return args[0] == "check" ? check(*document, levels) : solve(*document, levels.front());
}
