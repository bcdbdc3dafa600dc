// quirlon95-levels: the level designer's tool on the command line.
//   quirlon95-levels check FILE [N...]   checks and solves the levels, prints a table; exit 1 when
//                                        a level has an error or was not solved
//   quirlon95-levels solve FILE N        prints a playthrough of level N as a runner script
//   quirlon95-levels replay FILE N SCRIPT  plays a kept playthrough again; exit 1 when it does
//                                        not prove level N
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "designer/levelchecks.h"
#include "designer/proof.h"
#include "designer/standstill.h"
#include "designer/wording.h"

namespace {

const char* const Usage =
    "usage: quirlon95-levels check FILE [N...]\n"
    "       quirlon95-levels solve FILE N\n"
    "       quirlon95-levels replay FILE N SCRIPT\n";

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

TForm1::LevelFileOpener openerOf(const LevelDocument& document) {
    return [text = document.text()] { return ProfileFile::fromText(text); };
}

// Where the ball stands still in play: in a first try with the paddle under the ball, or on the
// way the search found.
std::optional<Standstill> trapIn(const LevelDocument& document, int32 level,
                                 const std::optional<LevelProof>& proof) {
    if (!document.indexOf(level) || document.refusal()) {
        return std::nullopt;
    }
    const std::optional<Standstill> tried = probeStandstill(document.text(), level);
    return tried || !proof || !proof->proved()
               ? tried
               : standstillIn(document.text(), level, proof->playthrough.events);
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
        const std::optional<LevelProof> proof =
            document.indexOf(level) ? std::optional(proveLevel(openerOf(document), level))
                                    : std::nullopt;
        if (const std::optional<Standstill> trap = trapIn(document, level, proof)) {
            findings.push_back(standstillFinding(level, *trap));
            ++warnings;
        }
        failed |= errors > 0 || !proof || !proof->proved();
        std::cout << std::setw(5) << level << std::setw(8) << errors << std::setw(10) << warnings
                  << "  ";
        if (proof && proof->proved()) {
            const Playthrough& found = proof->playthrough;
            std::cout << "solved in " << found.ticks << " ticks, " << found.pennies
                      << (found.pennies == 1 ? " penny\n" : " pennies\n");
        } else {
            std::cout << "not solved"
                      << (proof ? ": " + describe(*proof, Language::English) : std::string())
                      << "\n";
        }
    }
    for (const Finding& finding : findings) {
        std::cout << (finding.severity == Finding::Error ? "error" : "warning") << ", level "
                  << finding.level << ": " << describe(finding, Language::English) << "\n";
    }
    return failed ? 1 : 0;
}

int solve(const LevelDocument& document, int32 level) {
    const LevelProof proof = proveLevel(openerOf(document), level);
    if (!proof.proved()) {
        std::cerr << "quirlon95-levels: level " << level
                  << " not solved: " << describe(proof, Language::English) << "\n";
        return 1;
    }
    std::cout << proof.script;
    return 0;
}

// Whether a kept playthrough still proves its level.
int replay(const LevelDocument& document, int32 level, const std::filesystem::path& script) {
    std::ifstream in(script, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    if (!in && !in.eof()) {
        std::cerr << "quirlon95-levels: cannot read " << script.string() << "\n";
        return 2;
    }
    const LevelProof proof = checkScript(openerOf(document), level, text);
    if (!proof.proved()) {
        std::cerr << "quirlon95-levels: " << script.string() << " does not prove level " << level
                  << ": " << describe(proof, Language::English) << "\n";
        return 1;
    }
    std::cout << "level " << level << " proved by " << script.string() << "\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const bool known =
        !args.empty() && (args[0] == "check" || args[0] == "solve" || args[0] == "replay");
    if (!known || args.size() < 2 || (args[0] == "solve" && args.size() != 3) ||
        (args[0] == "replay" && args.size() != 4)) {
        std::cerr << Usage;
        return 2;
    }
    std::vector<int32> levels;
    for (std::size_t i = 2; i < args.size() - (args[0] == "replay"); ++i) {
        const std::optional<int32> level = levelNumber(args[i]);
        if (!level) {
            std::cerr << "quirlon95-levels: " << args[i] << " is no level number\n";
            return 2;
        }
        levels.push_back(*level);
    }
    LevelDocument::OpenError error{};
    const std::optional<LevelDocument> document = LevelDocument::open(args[1], error);
    if (!document) {
        std::cerr << "quirlon95-levels: cannot read " << args[1] << "\n";
        return 2;
    }
    if (args[0] == "replay") {
        return replay(*document, levels.front(), args[3]);
    }
    return args[0] == "check" ? check(*document, levels) : solve(*document, levels.front());
}
