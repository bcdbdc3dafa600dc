#include "designer/levelchecks.h"

#include <array>

#include "designer/pictureboxes.h"

namespace {

enum class Check {
    Refused,
    LevelMissing,
    HandHidden,
    HandEmpty,
    HandOutside,
    Malformed,
    GivenTwice,
    NeverRead,
    ElementMissing,
    KeysMissing,
    SectionTwice,
    Outside,
    InHeader,
    InPaddleRow,
    EmptyShown,
    Overlap,
    EmptyPenny,
    OddWear,
    BeyondPicture,
    Standstill,
};

struct CheckText {
    Check check;
    Finding::Severity severity;
    const char* german;
    const char* english;
};

// What each check says; {element}, {other}, {key}, {value} and {level} stand for what it is about.
constexpr std::array<CheckText, 20> Checks = {{
    {Check::Refused, Finding::Error,
     "Das Spiel lehnt die Datei ab: hinder1.left in Level 1 fehlt, ist 0 oder keine Zahl.",
     "the game refuses the file: hinder1.left of level 1 is missing, 0 or not a number"},
    {Check::LevelMissing, Finding::Error,
     "Level {level} fehlt: das Spiel spielt die Level 1 bis 7 der Reihe nach.",
     "level {level} is missing: the game plays levels 1 to 7 in turn"},
    {Check::HandHidden, Finding::Error,
     "Die Hand ist versteckt: der Level lässt sich nicht beenden.",
     "the hand is hidden: the level cannot be finished"},
    {Check::HandEmpty, Finding::Error,
     "Die Hand hat keine Fläche ({value}): sie ist nicht zu sehen, der Spieler findet sie nicht.",
     "the hand has a width or height of 0 or less ({value}): it cannot be seen, so the player "
     "cannot find it"},
    {Check::HandOutside, Finding::Error,
     "Die Hand liegt außerhalb des Spielfelds: der Ball erreicht sie nie.",
     "the hand lies outside the field: the ball never reaches it"},
    {Check::Malformed, Finding::Warning,
     "{key}: „{value}“ ist keine Zahl; das Spiel nimmt dafür den Vorgabewert.",
     "{key}: \"{value}\" is not a number; the game takes the default instead"},
    {Check::GivenTwice, Finding::Warning,
     "{key} steht mehrmals im Abschnitt; das Spiel liest nur die erste Zeile.",
     "{key} is given more than once; the game reads only the first"},
    {Check::NeverRead, Finding::Warning, "{key} liest das Spiel nie.",
     "the game never reads {key}"},
    {Check::ElementMissing, Finding::Warning,
     "{element} fehlt im Abschnitt: das Spiel stellt es sichtbar und ohne Fläche oben links auf.",
     "{element} is not in the section: the game shows it at the top-left corner, without area"},
    {Check::KeysMissing, Finding::Warning,
     "{element} ist sichtbar, aber {key} fehlt; das Spiel nimmt dafür 0.",
     "{element} is shown, but {key} is missing; the game takes 0"},
    {Check::SectionTwice, Finding::Warning,
     "Der Abschnitt [{level}] steht mehrmals in der Datei; das Spiel liest nur den ersten.",
     "section [{level}] is given more than once; the game reads only the first"},
    {Check::Outside, Finding::Warning, "{element} liegt nicht ganz im Spielfeld.",
     "{element} lies partly or wholly outside the field"},
    {Check::InHeader, Finding::Warning, "{element} ragt in die Kopfleiste.",
     "{element} reaches into the header strip"},
    {Check::InPaddleRow, Finding::Warning,
     "{element} ragt in die Reihe des Schlägers; darunter fängt der Schläger den Ball nicht.",
     "{element} reaches down into the paddle's row"},
    {Check::EmptyShown, Finding::Warning,
     "{element} ist sichtbar, hat aber keine Fläche ({value}); der Ball prallt trotzdem davon ab.",
     "{element} is shown but has no area ({value}); the ball still bounces off it"},
    {Check::Overlap, Finding::Warning, "{element} überdeckt {other}.",
     "{element} overlaps {other}"},
    {Check::EmptyPenny, Finding::Warning,
     "{element} ist sichtbar, hat aber keine Fläche ({value}): man sieht ihn nicht, und der Ball "
     "sammelt ihn trotzdem ein.",
     "{element} is shown but has no area ({value}): it cannot be seen, yet the ball collects it"},
    {Check::OddWear, Finding::Warning,
     "{element} ist {value} Pixel dick, eine ungerade Zahl: jeder Treffer nimmt ihm 2 Pixel, und "
     "das Spiel entfernt ihn nie.",
     "{element} is {value} pixels thick, an odd number: every hit wears 2 pixels off, and the game "
     "never removes it"},
    {Check::BeyondPicture, Finding::Warning,
     "{element} ist größer als sein Bild (Fläche, Bild: {value}): der Ball trifft ihn auch dort, "
     "wo nichts zu sehen ist.",
     "{element} is larger than its picture (box, picture: {value}): the ball hits it where nothing "
     "shows"},
    {Check::Standstill, Finding::Warning,
     "Der Ball bleibt bei {value} im Spiel stehen und kommt nicht mehr los: eine Falle, in der die "
     "Punkte bis zum verlorenen Ball ablaufen.",
     "the ball stands still at {value} in play for good: a trap in which the points run down to a "
     "lost ball"},
}};

// Each check's row stands at the place of its number.
constexpr bool inOrder() {
    for (std::size_t i = 0; i < Checks.size(); ++i) {
        if (static_cast<std::size_t>(Checks[i].check) != i) {
            return false;
        }
    }
    return true;
}
static_assert(inOrder());

enum Field {
    FieldWidth = TForm1::ClientWidth,
    FieldHeight = TForm1::ClientHeight,
    HeaderBottom = TForm1::HeaderHeight,
    PaddleRow = TForm1::PaddleRow,
};

struct Names {
    const char* german;
    const char* english;
};

Names kindOf(Role role) {
    switch (role) {
        case Role::GreyBar:
        case Role::GreyBarUpright:
            return {"grauer Balken", "grey bar"};
        case Role::YellowBar:
        case Role::YellowBarUpright:
            return {"gelber Balken", "yellow bar"};
        case Role::GreenBar:
        case Role::GreenBarUpright:
            return {"grüner Balken", "green bar"};
        case Role::Penny:
            return {"Pfennig", "penny"};
        default:
            return {"Hand", "hand"};
    }
}

std::string describe(std::size_t element, bool german) {
    const Element& e = elementOf(LevelReadOrder[element]);
    const Names kind = kindOf(e.role);
    return std::string(e.keyPrefix) + " (" + (german ? kind.german : kind.english) + ")";
}

void fillIn(std::string& text, const std::string& mark, const std::string& with) {
    for (std::size_t at = text.find(mark); at != std::string::npos;
         at = text.find(mark, at + with.size())) {
        text.replace(at, mark.size(), with);
    }
}

class Report {
public:
    Report(std::vector<Finding>& out, int32 level) : out(out), level(level) {}

    void add(Check check, std::optional<std::size_t> element = {},
             std::optional<std::size_t> other = {}, const std::string& key = {},
             const std::string& value = {}) {
        const CheckText& text = Checks[static_cast<std::size_t>(check)];
        Finding finding{text.severity, level, element, key, text.german, text.english};
        for (const bool german : {true, false}) {
            std::string& words = german ? finding.text : finding.english;
            fillIn(words, "{level}", std::to_string(level));
            fillIn(words, "{key}", key);
            fillIn(words, "{value}", value);
            fillIn(words, "{element}", element ? describe(*element, german) : "");
            fillIn(words, "{other}", other ? describe(*other, german) : "");
        }
        out.push_back(std::move(finding));
    }

private:
    std::vector<Finding>& out;
    int32 level;
};

Role roleOf(std::size_t element) {
    return elementOf(LevelReadOrder[element]).role;
}

std::string sizeOf(std::int64_t width, std::int64_t height) {
    return std::to_string(width) + " × " + std::to_string(height);
}

bool overlaps(const Placement& a, const Placement& b) {
    return std::int64_t{a.Left} < std::int64_t{b.Left} + b.Width &&
           std::int64_t{b.Left} < std::int64_t{a.Left} + a.Width &&
           std::int64_t{a.Top} < std::int64_t{b.Top} + b.Height &&
           std::int64_t{b.Top} < std::int64_t{a.Top} + a.Height;
}

bool insideField(const Placement& p) {
    return p.Left >= 0 && p.Top >= 0 && std::int64_t{p.Left} + p.Width <= FieldWidth &&
           std::int64_t{p.Top} + p.Height <= FieldHeight;
}

bool meetsField(const Placement& p) {
    return overlaps(p, {0, HeaderBottom, FieldWidth, FieldHeight - HeaderBottom, true});
}

using Absent = std::array<bool, LevelReadOrder.size()>;

// Reports what is wrong with the section's lines, and the keys missing that matter: the place
// and size of a shown element. Returns the elements the section does not give at all.
Absent checkNotes(const LevelDocument& document, std::size_t index, const LevelLayout& layout,
                  Report& report) {
    std::array<std::vector<std::string>, LevelReadOrder.size()> missing;
    for (const LevelDocument::Note& note : document.notes(index)) {
        switch (note.kind) {
            case LevelDocument::Note::Malformed:
                report.add(Check::Malformed, note.element, {}, note.key, note.value);
                break;
            case LevelDocument::Note::GivenTwice:
                report.add(Check::GivenTwice, note.element, {}, note.key);
                break;
            case LevelDocument::Note::NeverRead:
                report.add(Check::NeverRead, note.element, {}, note.key);
                break;
            case LevelDocument::Note::Missing:
                missing[*note.element].push_back(note.key);
                break;
        }
    }
    Absent absent{};
    for (std::size_t element = 0; element < missing.size(); ++element) {
        absent[element] = missing[element].size() == LevelFields.size();
        if (absent[element]) {
            report.add(Check::ElementMissing, element);
            continue;
        }
        std::string keys;
        for (const std::string& key : missing[element]) {
            if (!key.ends_with(".visible")) {
                keys += (keys.empty() ? "" : ", ") + key;
            }
        }
        if (layout[element].Visible && !keys.empty()) {
            report.add(Check::KeysMissing, element, {}, keys);
        }
    }
    return absent;
}

// True when the hand cannot be used at all; the checks of every element then say no more.
bool checkHand(const Placement& hand, std::size_t element, Report& report) {
    if (!hand.Visible) {
        report.add(Check::HandHidden, element);
    } else if (hand.Width <= 0 || hand.Height <= 0) {
        report.add(Check::HandEmpty, element, {}, {}, sizeOf(hand.Width, hand.Height));
    } else if (!meetsField(hand)) {
        report.add(Check::HandOutside, element);
    } else {
        return false;
    }
    return true;
}

// A size the game shows otherwise than it plays it: a box beyond its picture, a yellow bar that
// never wears away.
void checkSize(const Placement& p, std::size_t element, Report& report) {
    const Role role = roleOf(element);
    const PictureBox picture = pictureBox(role);
    if (p.Width > picture.width || p.Height > picture.height) {
        report.add(Check::BeyondPicture, element, {}, {},
                   sizeOf(p.Width, p.Height) + ", " + sizeOf(picture.width, picture.height));
    }
    const std::optional<int32> thickness = role == Role::YellowBar ? p.Height
                                           : role == Role::YellowBarUpright
                                               ? p.Width
                                               : std::optional<int32>();
    if (thickness && *thickness % 2 != 0) {
        report.add(Check::OddWear, element, {}, {}, std::to_string(*thickness));
    }
}

void checkPlaces(const LevelLayout& layout, const Absent& absent, Report& report) {
    for (std::size_t i = 0; i < layout.size(); ++i) {
        const Placement& p = layout[i];
        if (roleOf(i) == Role::Hand && checkHand(p, i, report)) {
            continue;
        }
        if (!p.Visible || absent[i]) {
            continue;
        }
        if (p.Width <= 0 || p.Height <= 0) {
            report.add(roleOf(i) == Role::Penny ? Check::EmptyPenny : Check::EmptyShown, i, {}, {},
                       sizeOf(p.Width, p.Height));
            continue;
        }
        checkSize(p, i, report);
        if (!insideField(p)) {
            report.add(Check::Outside, i);
        } else if (p.Top < HeaderBottom) {
            report.add(Check::InHeader, i);
        }
        if (std::int64_t{p.Top} + p.Height > PaddleRow && p.Top < FieldHeight) {
            report.add(Check::InPaddleRow, i);
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (layout[j].Visible && overlaps(layout[j], p)) {
                report.add(Check::Overlap, i, j);
            }
        }
    }
}

}  // namespace

std::string describeElement(std::size_t element, bool german) {
    return describe(element, german);
}

std::vector<Finding> checkLevel(const LevelDocument& document, std::size_t index) {
    std::vector<Finding> out;
    const LevelDocument::Level& level = document.levels()[index];
    Report report(out, level.number);
    if (!level.read) {
        report.add(Check::SectionTwice);
        return out;
    }
    const LevelLayout layout = document.layout(index);
    const Absent absent = checkNotes(document, index, layout, report);
    checkPlaces(layout, absent, report);
    return out;
}

std::vector<Finding> checkFile(const LevelDocument& document) {
    std::vector<Finding> out;
    if (document.refusal()) {
        Report(out, 1).add(Check::Refused, std::size_t{0}, {}, "hinder1.left");
    }
    for (int32 number = 1; number <= 7; ++number) {
        if (!document.indexOf(number)) {
            Report(out, number).add(Check::LevelMissing);
        }
    }
    for (std::size_t i = 0; i < document.levels().size(); ++i) {
        const std::vector<Finding> level = checkLevel(document, i);
        out.insert(out.end(), level.begin(), level.end());
    }
    return out;
}

Finding standstillFinding(int32 number, const Standstill& at) {
    std::vector<Finding> out;
    Report(out, number)
        .add(Check::Standstill, {}, {}, {}, std::to_string(at.left) + "," + std::to_string(at.top));
    return out.front();
}
