#pragma once

#include <filesystem>
#include <optional>

// Where the level file is looked for, in order: the user's data directory for the game
// ($XDG_DATA_HOME/quirlon95, default ~/.local/share/quirlon95), then each system data directory
// ($XDG_DATA_DIRS entries + "/quirlon95", default /usr/local/share:/usr/share), then the data
// folder of the prefix the program was installed to (`exeDir`/../share/quirlon95), then `exeDir`.
// Returns the first "328lvd.ini" that exists there; when none does, the one in `exeDir`.
std::filesystem::path findLevelFile(const std::filesystem::path& exeDir);

// The first place looked in: "328lvd.ini" in the user's data directory for the game, where a
// player's own levels go. Nothing when there is no home directory to put it in.
std::optional<std::filesystem::path> userLevelFile();
