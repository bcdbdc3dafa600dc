#include "designer/difficulty.h"

namespace {

// The first row a level stays within names it; what stays within none is sehr schwer. A plan that
// a slip of the hand breaks more often is harder than its length says.
struct Grade {
    int mostGrabs;
    double mostSeconds;
    int mostMisses;
    const char* word;
};
constexpr Grade Grades[] = {
    {2, 12, 0, "leicht"},
    {5, 20, 1, "mittel"},
    {9, 35, 2, "schwer"},
};

}  // namespace

std::string difficultyWord(const LevelFigures& figures) {
    const int misses = figures.replays - figures.margin;
    for (const Grade& grade : Grades) {
        if (figures.grabs <= grade.mostGrabs && figures.seconds <= grade.mostSeconds &&
            misses <= grade.mostMisses) {
            return grade.word;
        }
    }
    return "sehr schwer";
}
