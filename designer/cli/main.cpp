#include <chrono>
#include <iostream>
#include <string>

#include "designer/solver.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: quirlon95-levels solve FILE N\n";
        return 2;
    }
    const std::filesystem::path file = argv[2];
    const int level = std::stoi(argv[3]);
    const auto start = std::chrono::steady_clock::now();
    const Playthrough found = solveLevel([file] { return ProfileFile(file); }, level);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::cerr << "level " << level << ": " << (found.solved ? "solved" : "not solved") << " in "
              << found.ticks << " ticks, " << found.pennies << " pennies; search "
              << found.searchTicks << " ticks, " << seconds << " s\n";
    if (found.solved) {
        std::cout << playthroughScript(level, found);
    }
    return found.solved ? 0 : 1;
}
