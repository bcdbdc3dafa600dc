#include "levels/levelfilelocation.h"

#include <cstdlib>
#include <optional>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

namespace {

constexpr std::string_view LevelFileName = "328lvd.ini";
constexpr std::string_view GameDirName = "quirlon95";
constexpr std::string_view DefaultDataDirs = "/usr/local/share:/usr/share";

// Unset and empty read alike: the XDG rules treat an empty variable as unset.
std::string_view environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string_view(value) : std::string_view();
}

// The XDG rules reject relative paths outright rather than resolving them.
bool isAbsolute(std::string_view dir) {
    return std::filesystem::path(dir).is_absolute();
}

std::optional<std::filesystem::path> userDataDir() {
    const std::string_view dataHome = environment("XDG_DATA_HOME");
    if (isAbsolute(dataHome)) {
        return std::filesystem::path(dataHome);
    }
    const std::string_view home = environment("HOME");
    if (home.empty()) {
        return std::nullopt;
    }
    return std::filesystem::path(home) / ".local" / "share";
}

void appendSystemDataDirs(std::vector<std::filesystem::path>& dirs) {
    std::string_view list = environment("XDG_DATA_DIRS");
    if (list.empty()) {
        list = DefaultDataDirs;
    }
    while (!list.empty()) {
        const std::size_t colon = list.find(':');
        const std::string_view entry = list.substr(0, colon);
        if (isAbsolute(entry)) {
            dirs.emplace_back(entry);
        }
        list.remove_prefix(colon == std::string_view::npos ? list.size() : colon + 1);
    }
}

std::vector<std::filesystem::path> searchedDataDirs() {
    std::vector<std::filesystem::path> dirs;
    if (auto user = userDataDir()) {
        dirs.push_back(std::move(*user));
    }
    appendSystemDataDirs(dirs);
    return dirs;
}

// An install to a prefix that is no system data directory keeps the level file in the prefix's
// share folder, not beside the binary.
std::filesystem::path prefixDataDir(const std::filesystem::path& exeDir) {
    return exeDir / ".." / "share";
}

}  // namespace

std::filesystem::path findLevelFile(const std::filesystem::path& exeDir) {
    std::vector<std::filesystem::path> dirs = searchedDataDirs();
    dirs.push_back(prefixDataDir(exeDir));
    for (const auto& dir : dirs) {
        const std::filesystem::path candidate = dir / GameDirName / LevelFileName;
        std::error_code error;
        if (std::filesystem::exists(candidate, error)) {
            return candidate;
        }
    }
    return exeDir / LevelFileName;
}

std::optional<std::filesystem::path> userLevelFile() {
    const std::optional<std::filesystem::path> dir = userDataDir();
    if (!dir) {
        return std::nullopt;
    }
    return *dir / GameDirName / LevelFileName;
}
