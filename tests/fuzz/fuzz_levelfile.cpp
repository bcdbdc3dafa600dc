// Arbitrary bytes as the level file: the start-up check and the layout of levels 1 to 8 must
// read any file without a crash or undefined behaviour.
#include <cstddef>
#include <cstdint>

#include "headless/recordingplatform.h"
#include "play/game.h"
#include "tests/fuzz/scratchfile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static ScratchFile levelFile("328lvd.ini");
    levelFile.write(data, size);

    RecordingPlatform platform;
    Game game(platform, [] { return levelFile.path(); });
    game.Form1.FormCreate();
    for (int level = 1; level <= 8; ++level) {
        game.Form1.LoadLevel();
    }
    return 0;
}
