#pragma once

#include <optional>
#include <string>
#include <vector>

#include "designer/leveldocument.h"
#include "designer/standstill.h"

// One thing a level designer should know about a level file.
struct Finding {
    enum Severity {
        Error,    // the game refuses the file, or a level cannot be finished
        Warning,  // the game plays it, but likely not as meant
    };
    Severity severity = Warning;
    int32 level = 0;                     // the level's number
    std::optional<std::size_t> element;  // in the reading order of the level file
    std::string key;                     // the key concerned, if one is
    std::string text;                    // a German sentence, for the editor
    std::string english;                 // the same for the command line
};

// An element, by its place in the reading order of the level file, as the findings name it:
// "hinder5 (gelber Balken)", or "hinder5 (yellow bar)".
std::string describeElement(std::size_t element, bool german = true);

// The findings of one level of the document, by its place in the level list.
std::vector<Finding> checkLevel(const LevelDocument& document, std::size_t index);
// The findings of the whole file: those about the file itself, then every level's.
std::vector<Finding> checkFile(const LevelDocument& document);
// The finding for a ball that stood still in play in level `number`.
Finding standstillFinding(int32 number, const Standstill& at);
