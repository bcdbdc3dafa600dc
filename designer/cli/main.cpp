// quirlon95-levels: the level designer's tool on the command line.
//   quirlon95-levels check FILE [N...]   checks and proves the levels, prints a table; exit 1 when
//                                        a level has an error or has no proof
//   quirlon95-levels solve FILE N        prints a proof of level N as a runner script
//   quirlon95-levels replay FILE N SCRIPT  judges a kept playthrough; exit 1 when it does not
//                                        prove level N
// Options before the command change the hand's profile or the search's limit; with a profile
// other than a person's, nothing found is called a proof.
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "designer/levelchecks.h"
#include "designer/proof.h"
#include "designer/standstill.h"
#include "designer/wording.h"

namespace {

const char* const Commands =
    "usage: quirlon95-levels [OPTIONS] check FILE [N...]\n"
    "       quirlon95-levels [OPTIONS] solve FILE N\n"
    "       quirlon95-levels [OPTIONS] replay FILE N SCRIPT\n"
    "options (a person's profile by default):\n";

struct Option {
    const char* name;
    int HandProfile::*field;
    const char* help;  // the option's argument and what it sets
};
constexpr Option ProfileOptions[] = {
    {"--step", &HandProfile::maxStep, "PX          pointer travel per tick on each axis"},
    {"--hold", &HandProfile::minHold, "TICKS       shortest grab of the red bar"},
    {"--gap", &HandProfile::minGap, "TICKS        shortest time from a release to the next press"},
    {"--countdown", &HandProfile::countdownEvery, "TICKS  longest time between countdown steps"},
    {"--jitter-px", &HandProfile::jitterPixels,
     "PX     how far off a jittered pointer action lands"},
    {"--jitter-ticks", &HandProfile::jitterTicks, "N   how late it lands"},
    {"--replays", &HandProfile::replays, "N        jittered replays of a plan"},
    {"--needed", &HandProfile::needed, "N         of them to reach the hand"},
    {"--spare-replays", &HandProfile::spareReplays,
     "N  further jittered replays, to show the margin is no chance"},
    {"--spare-needed", &HandProfile::spareNeeded, "N   of them to reach the hand"},
};

// The usage, with the defaults as the tool has them.
std::string usage() {
    std::ostringstream out;
    out << Commands;
    const HandProfile person;
    for (const Option& option : ProfileOptions) {
        out << "  " << option.name << " " << option.help << " (" << person.*option.field << ")\n";
    }
    out << "  --budget TICKS     frame ticks the search may play (" << SolverLimits{}.searchTicks
        << ")\n"
        << "  --plain            replay: only whether the script reaches the hand, as a plain "
           "scenario\n";
    return out.str();
}

std::optional<long> numberIn(const std::string& text, long least) {
    try {
        std::size_t used = 0;
        const long number = std::stol(text, &used);
        if (used == text.size() && number >= least && number <= INT32_MAX) {
            return number;
        }
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

std::optional<int32> levelNumber(const std::string& text) {
    return numberIn(text, 1);
}

// Takes the options off the front of the arguments; false on one it cannot read.
bool takeOptions(std::vector<std::string>& args, SolverLimits& limits, bool& plain) {
    while (!args.empty() && args[0] == "--plain") {
        plain = true;
        args.erase(args.begin());
    }
    while (args.size() >= 2 && args[0].starts_with("--")) {
        const Option* option = nullptr;
        for (const Option& known : ProfileOptions) {
            option = args[0] == known.name ? &known : option;
        }
        const std::optional<long> value = numberIn(args[1], 0);
        if ((!option && args[0] != "--budget") || !value) {
            std::cerr << "quirlon95-levels: cannot read the option " << args[0] << " " << args[1]
                      << "\n";
            return false;
        }
        if (option) {
            limits.hand.*option->field = int(*value);
        } else {
            limits.searchTicks = *value;
        }
        args.erase(args.begin(), args.begin() + 2);
    }
    return true;
}

// What a proof or a plan that holds for another profile is called.
std::string proofWord(const LevelProof& proof) {
    return proof.personal ? "proved" : "holds for the profile";
}

std::string figuresOf(const LevelProof& proof) {
    std::ostringstream out;
    out << std::fixed << std::setprecision(1) << proof.figures.seconds << " s, "
        << proof.figures.grabs << (proof.figures.grabs == 1 ? " grab, " : " grabs, ") << "margin "
        << proof.figures.margin << "/" << proof.figures.replays << ", " << proof.difficulty;
    return out.str();
}

TForm1::LevelFileOpener openerOf(const LevelDocument& document) {
    // Made once: its copies share the text, so a game made for every replay copies none of it.
    return [file = ProfileFile::fromText(document.text())] { return file; };
}

// Where the ball stands still in play: in a first try with the paddle under the ball, or on the
// way the search found.
std::optional<Standstill> trapIn(const LevelDocument& document, int32 level,
                                 const std::optional<LevelProof>& proof) {
    if (!document.indexOf(level) || document.refusal()) {
        return std::nullopt;
    }
    const std::optional<Standstill> tried = probeStandstill(document.text(), level);
    return tried || !proof || !proof->holds()
               ? tried
               : standstillIn(document.text(), level, proof->playthrough.events);
}

int check(const LevelDocument& document, std::vector<int32> levels, const SolverLimits& limits) {
    if (levels.empty()) {
        for (const LevelDocument::Level& level : document.levels()) {
            if (level.read) {
                levels.push_back(level.number);
            }
        }
    }
    std::vector<Finding> findings = checkFile(document);
    bool failed = false;
    std::cout << "level  errors  warnings  proof\n";
    for (const int32 level : levels) {
        int errors = 0, warnings = 0;
        for (const Finding& finding : findings) {
            if (finding.level == level) {
                (finding.severity == Finding::Error ? errors : warnings) += 1;
            }
        }
        const std::optional<LevelProof> proof =
            document.indexOf(level) ? std::optional(proveLevel(openerOf(document), level, limits))
                                    : std::nullopt;
        if (const std::optional<Standstill> trap = trapIn(document, level, proof)) {
            findings.push_back(standstillFinding(level, *trap));
            ++warnings;
        }
        failed |= errors > 0 || !proof || !proof->holds();
        std::cout << std::setw(5) << level << std::setw(8) << errors << std::setw(10) << warnings
                  << "  ";
        if (proof && proof->holds()) {
            std::cout << proofWord(*proof) << ": " << figuresOf(*proof) << "\n";
        } else {
            std::cout << "no proof"
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

int solve(const LevelDocument& document, int32 level, const SolverLimits& limits) {
    const LevelProof proof = proveLevel(openerOf(document), level, limits);
    if (!proof.holds()) {
        std::cerr << "quirlon95-levels: no proof of level " << level << ": "
                  << describe(proof, Language::English) << "\n";
        return 1;
    }
    std::cout << proof.script;
    std::cerr << "level " << level << ": " << proofWord(proof) << ": " << figuresOf(proof) << "\n";
    return 0;
}

// Whether a kept playthrough still proves its level, for a person.
int replay(const LevelDocument& document, int32 level, const std::filesystem::path& script,
           const HandProfile& profile, bool plain) {
    std::ifstream in(script, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    if (!in && !in.eof()) {
        std::cerr << "quirlon95-levels: cannot read " << script.string() << "\n";
        return 2;
    }
    const LevelProof proof = plain ? checkRun(openerOf(document), level, text)
                                   : checkScript(openerOf(document), level, text, profile);
    if (!proof.holds()) {
        std::cerr << "quirlon95-levels: " << script.string() << " does not prove level " << level
                  << ": " << describe(proof, Language::English) << "\n";
        return 1;
    }
    if (plain) {
        std::cout << "level " << level << ": " << script.string()
                  << " reaches the hand, as a plain scenario\n";
        return 0;
    }
    std::cout << "level " << level << ": " << proofWord(proof) << " by " << script.string() << ": "
              << figuresOf(proof) << "\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    SolverLimits limits;
    bool plain = false;
    if (!takeOptions(args, limits, plain)) {
        std::cerr << usage();
        return 2;
    }
    const bool known =
        !args.empty() && (args[0] == "check" || args[0] == "solve" || args[0] == "replay");
    if (!known || args.size() < 2 || (args[0] == "solve" && args.size() != 3) ||
        (args[0] == "replay" && args.size() != 4)) {
        std::cerr << usage();
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
        return replay(*document, levels.front(), args[3], limits.hand, plain);
    }
    return args[0] == "check" ? check(*document, levels, limits)
                              : solve(*document, levels.front(), limits);
}
