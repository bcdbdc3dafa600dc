// quirlon95-sim LEVELFILE [SCRIPT]: plays a script of input events through the game's rules and
// prints the state as JSON lines. The script comes from the file or from standard input.
#include <fstream>
#include <iostream>

#include "headless/scenario.h"

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::cerr << "usage: quirlon95-sim LEVELFILE [SCRIPT]\n";
        return 2;
    }
    std::ifstream file;
    if (argc == 3) {
        file.open(argv[2]);
        if (!file) {
            std::cerr << "quirlon95-sim: cannot read the script " << argv[2] << '\n';
            return 2;
        }
    }
    Scenario scenario(argv[1]);
    return scenario.run(argc == 3 ? static_cast<std::istream&>(file) : std::cin, std::cout,
                        std::cerr);
}
