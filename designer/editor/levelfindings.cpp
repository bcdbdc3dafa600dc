#include "designer/editor/levelfindings.h"

#include <algorithm>
#include <map>

namespace {

enum { MaxRemembered = 1000 };

}  // namespace

std::optional<Standstill> standstillOf(const LevelDocument& document, std::size_t index) {
    const LevelDocument::Level& level = document.levels()[index];
    if (!level.read || document.refusal()) {
        return std::nullopt;
    }
    using Key = std::pair<int32, std::vector<int32>>;
    static std::map<Key, std::optional<Standstill>> tried;
    Key key{level.number, {}};
    for (const Placement& placed : document.layout(index)) {
        for (const LevelField field : LevelFields) {
            key.second.push_back(fieldOf(placed, field));
        }
    }
    if (const auto found = tried.find(key); found != tried.end()) {
        return found->second;
    }
    // Only the level counts, and the file's first level for the game to start; a long session
    // of edits starts the memory afresh now and then.
    if (tried.size() > MaxRemembered) {
        tried.clear();
    }
    return tried[key] = probeStandstill(document.text(), level.number);
}

std::vector<Finding> levelFindings(const LevelDocument& document, std::size_t index) {
    std::vector<Finding> out;
    if (const std::optional<std::string> refusal = document.refusal();
        refusal && document.indexOf(1) == index) {
        out.push_back({Finding::Error, 1, std::size_t{0}, "hinder1.left", *refusal, {}});
    }
    const std::vector<Finding> own = checkLevel(document, index);
    out.insert(out.end(), own.begin(), own.end());
    if (const std::optional<Standstill> trap = standstillOf(document, index)) {
        out.push_back(standstillFinding(document.levels()[index].number, *trap));
    }
    return out;
}

std::vector<Finding> fileFindings(const LevelDocument& document) {
    std::vector<Finding> out;
    for (const Finding& finding : checkFile(document)) {
        if (!document.indexOf(finding.level)) {
            out.push_back(finding);
        }
    }
    return out;
}

bool hasError(const std::vector<Finding>& findings) {
    return std::ranges::any_of(findings,
                               [](const Finding& f) { return f.severity == Finding::Error; });
}
