// quirlon95-levels: the level designer's tool on the command line.
//   quirlon95-levels check FILE [N...]   checks and proves the levels, prints a table; exit 1 when
//                                        a level has an error or has no proof
//   quirlon95-levels solve FILE N        prints a proof of level N as a runner script
//   quirlon95-levels judge FILE N SCRIPT says whether a runner script is a proof of level N
// Options before the command's arguments change the hand's profile or the search's limit; with a
// profile other than a person's, nothing found is called a proof.
#include <fstream>
#include <iomanip>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "designer/levelchecks.h"
#include "designer/personproof.h"

namespace {

const char* const Usage =
    "usage: quirlon95-levels [OPTIONS] check FILE [N...]\n"
    "       quirlon95-levels [OPTIONS] solve FILE N\n"
    "       quirlon95-levels [OPTIONS] judge FILE N SCRIPT\n"
    "options (a person's profile by default):\n"
    "  --step PX          pointer travel per tick on each axis (15)\n"
    "  --hold TICKS       shortest grab of the red bar (4)\n"
    "  --gap TICKS        shortest time from a release to the next press (8)\n"
    "  --countdown TICKS  longest time between countdown steps (31)\n"
    "  --jitter-px PX     how far off a jittered pointer action lands (2)\n"
    "  --jitter-ticks N   how late it lands (1)\n"
    "  --replays N        jittered replays of a plan (10)\n"
    "  --needed N         of them to reach the hand (8)\n"
    "  --spare-replays N  further jittered replays, to show the margin is no chance (40)\n"
    "  --spare-needed N   of them to reach the hand (36)\n"
    "  --budget TICKS     frame ticks the search may play (8000000)\n";

struct Option {
    const char* name;
    int HandProfile::*field;
};
constexpr Option ProfileOptions[] = {
    {"--step", &HandProfile::maxStep},
    {"--hold", &HandProfile::minHold},
    {"--gap", &HandProfile::minGap},
    {"--countdown", &HandProfile::countdownEvery},
    {"--jitter-px", &HandProfile::jitterPixels},
    {"--jitter-ticks", &HandProfile::jitterTicks},
    {"--replays", &HandProfile::replays},
    {"--needed", &HandProfile::needed},
    {"--spare-replays", &HandProfile::spareReplays},
    {"--spare-needed", &HandProfile::spareNeeded},
};

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
bool takeOptions(std::vector<std::string>& args, SolverLimits& limits) {
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
std::string proofWord(const PlanVerdict& verdict) {
    return verdict.personal ? "proved" : "holds for the profile";
}

std::string figuresOf(const PlanVerdict& verdict) {
    std::ostringstream out;
    out << std::fixed << std::setprecision(1) << verdict.figures.seconds << " s, "
        << verdict.figures.grabs << (verdict.figures.grabs == 1 ? " grab, " : " grabs, ")
        << "margin " << verdict.figures.margin << "/" << verdict.figures.replays << ", "
        << verdict.difficulty;
    return out.str();
}

// The level's proof, or why there is none.
LevelProof prove(const LevelDocument& document, int32 level, const SolverLimits& limits) {
    if (document.refusal()) {
        LevelProof none;
        none.verdict.why = "the game refuses the file";
        return none;
    }
    const std::string text = document.text();
    return proveLevel([text] { return ProfileFile::fromText(text); }, level, limits);
}

int check(const LevelDocument& document, std::vector<int32> levels, const SolverLimits& limits) {
    if (levels.empty()) {
        for (const LevelDocument::Level& level : document.levels()) {
            if (level.read) {
                levels.push_back(level.number);
            }
        }
    }
    const std::vector<Finding> findings = checkFile(document);
    bool failed = false;
    std::cout << "level  errors  warnings  proof\n";
    for (const int32 level : levels) {
        int errors = 0, warnings = 0;
        for (const Finding& finding : findings) {
            if (finding.level == level) {
                (finding.severity == Finding::Error ? errors : warnings) += 1;
            }
        }
        const LevelProof proof =
            document.indexOf(level) ? prove(document, level, limits) : LevelProof{};
        failed |= errors > 0 || !proof.verdict.holds;
        std::cout << std::setw(5) << level << std::setw(8) << errors << std::setw(10) << warnings
                  << "  ";
        if (proof.verdict.holds) {
            std::cout << proofWord(proof.verdict) << ": " << figuresOf(proof.verdict) << "\n";
        } else {
            std::cout << "no proof" << (proof.verdict.why.empty() ? "" : ": " + proof.verdict.why)
                      << "\n";
        }
    }
    for (const Finding& finding : findings) {
        std::cout << (finding.severity == Finding::Error ? "error" : "warning") << ", level "
                  << finding.level << ": " << finding.english << "\n";
    }
    return failed ? 1 : 0;
}

int solve(const LevelDocument& document, int32 level, const SolverLimits& limits) {
    const LevelProof proof = prove(document, level, limits);
    if (!proof.verdict.holds) {
        std::cerr << "quirlon95-levels: no proof of level " << level << ": " << proof.verdict.why
                  << "\n";
        return 1;
    }
    std::cout << playthroughScript(level, proof.plan);
    std::cerr << "level " << level << ": " << proofWord(proof.verdict) << ": "
              << figuresOf(proof.verdict) << "\n";
    return 0;
}

int judge(const LevelDocument& document, int32 level, const std::string& path,
          const HandProfile& profile) {
    std::ifstream file(path);
    std::stringstream script;
    script << file.rdbuf();
    const std::optional<std::vector<InputEvent>> events = scriptEvents(script.str());
    if (!file || !events) {
        std::cerr << "quirlon95-levels: cannot read the script " << path << "\n";
        return 2;
    }
    const std::string text = document.text();
    const PlanVerdict verdict =
        judgePlan([text] { return ProfileFile::fromText(text); }, level, *events, profile);
    if (!verdict.holds) {
        std::cout << "level " << level << ": no proof: " << verdict.why << "\n";
        return 1;
    }
    std::cout << "level " << level << ": " << proofWord(verdict) << ": " << figuresOf(verdict)
              << "\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    SolverLimits limits;
    if (!takeOptions(args, limits)) {
        std::cerr << Usage;
        return 2;
    }
    const bool judging = !args.empty() && args[0] == "judge";
    if (args.size() < 2 || (args[0] != "check" && args[0] != "solve" && !judging) ||
        (args[0] == "solve" && args.size() != 3) || (judging && args.size() != 4)) {
        std::cerr << Usage;
        return 2;
    }
    std::vector<int32> levels;
    for (std::size_t i = 2; i < args.size() - (judging ? 1 : 0); ++i) {
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
    if (judging) {
        return judge(*document, levels.front(), args[3], limits.hand);
    }
    return args[0] == "check" ? check(*document, levels, limits)
                              : solve(*document, levels.front(), limits);
}
