#pragma once

#include <optional>
#include <string>
#include <vector>

#include "designer/leveldocument.h"
#include "designer/standstill.h"

// One thing a level designer should know about a level file: which check found it, where, and the
// key and value concerned. The words for it are the tools' own (designer/wording.h).
struct Finding {
    enum Check {
        Refused,         // the game refuses the file at its check
        LevelMissing,    // one of the levels the game plays in turn is missing
        HandHidden,      // the level cannot be finished
        HandEmpty,       // the hand has no area
        HandOutside,     // the hand lies outside the field
        Malformed,       // a value that is no number
        GivenTwice,      // a key given more than once in a section
        NeverRead,       // a key the game never reads
        ElementMissing,  // an element the section leaves out
        KeysMissing,     // a shown element without its place or size
        SectionTwice,    // a section given more than once
        Outside,         // a shown element partly outside the field
        InHeader,        // a shown element in the header strip
        InPaddleRow,     // a shown element down in the paddle's row
        EmptyShown,      // a shown element without area
        Overlap,         // a shown element over another
        EmptyPenny,      // a shown penny without area
        OddWear,         // a yellow bar of odd thickness, which never wears away
        BeyondPicture,   // a box larger than the element's picture
        AtRedBarStart,   // a shown bar where the red bar starts, which then sticks into it
        Standstill,      // the ball stands still in play for good
    };
    enum Severity {
        Error,    // the game refuses the file, or a level cannot be finished
        Warning,  // the game plays it, but likely not as meant
    };

    Check check = Refused;
    Severity severity = Warning;
    int32 level = 0;  // the level's number
    std::optional<ElementId> element;
    std::optional<ElementId> other;  // the element another lies over
    std::string key;                 // the key concerned, or the keys, if any are
    std::string value;               // the value concerned, as the game reads it
};

// How much a finding of a check weighs.
Finding::Severity severityOf(Finding::Check check);

// The findings of one level of the document, by its place in the level list.
std::vector<Finding> checkLevel(const LevelDocument& document, LevelIndex index);
// The findings of the whole file: those about the file itself, then every level's.
std::vector<Finding> checkFile(const LevelDocument& document);
// The finding for a ball that stood still in play in level `number`.
Finding standstillFinding(int32 number, const Standstill& at);
