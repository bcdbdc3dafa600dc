// Arbitrary bytes as the level file, read from memory by the game's own profile reader: the
// start-up check and the layout of levels 1 to 8 must read any file without a crash or undefined
// behaviour.
#include <cstddef>
#include <cstdint>
#include <string>

#include "headless/headlessgame.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const ProfileFile levelFile =
        ProfileFile::fromText(std::string(reinterpret_cast<const char*>(data), size));

    HeadlessGame headless([&levelFile] { return levelFile; });
    for (int level = 1; level <= 8; ++level) {
        headless.game.Form1.LoadLevel();
    }
    return 0;
}
