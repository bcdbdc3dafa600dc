#include "designer/levelfindings.h"

#include <algorithm>

std::vector<Finding> levelFindings(const LevelDocument& document, LevelIndex index) {
    std::vector<Finding> out;
    if (document.refusal() && document.indexOf(1) == index) {
        out.push_back(
            {Finding::Refused, Finding::Error, 1, LevelElements.front(), {}, "hinder1.left", {}});
    }
    const std::vector<Finding> own = checkLevel(document, index);
    out.insert(out.end(), own.begin(), own.end());
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
