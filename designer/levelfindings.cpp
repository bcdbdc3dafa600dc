#include "designer/levelfindings.h"

#include <algorithm>
#include <map>

namespace {

enum { MaxRemembered = 1000 };

}  // namespace

std::optional<Standstill> standstillOf(const LevelDocument& document, LevelIndex index) {
    const LevelDocument::Level& level = document.level(index);
    if (!level.read || document.refusal()) {
        return std::nullopt;
    }
    using Key = std::pair<int32, std::vector<int32>>;
    static std::map<Key, std::optional<Standstill>> tried;
    Key key{level.number, {}};
    const LevelLayout layout = document.layout(index);
    for (const ElementId id : LevelElements) {
        for (const LevelField field : LevelFields) {
            key.second.push_back(fieldOf(layout[id], field));
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

std::vector<Finding> levelFindings(const LevelDocument& document, LevelIndex index) {
    std::vector<Finding> out;
    if (document.refusal() && document.indexOf(1) == index) {
        out.push_back(
            {Finding::Refused, Finding::Error, 1, LevelElements.front(), {}, "hinder1.left", {}});
    }
    const std::vector<Finding> own = checkLevel(document, index);
    out.insert(out.end(), own.begin(), own.end());
    if (const std::optional<Standstill> trap = standstillOf(document, index)) {
        out.push_back(standstillFinding(document.level(index).number, *trap));
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
