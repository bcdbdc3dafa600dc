#include "designer/wording.h"

#include <array>

namespace {

struct Words {
    const char* german;
    const char* english;

    std::string in(Language language) const {
        return language == Language::German ? german : english;
    }
};

struct CheckWords {
    Finding::Check check;
    Words words;
};

// What each check says; {element}, {other}, {key}, {value} and {level} stand for what it is about.
constexpr std::array<CheckWords, Finding::Standstill + 1> Checks = {{
    {Finding::Refused,
     {"Das Spiel lehnt die Datei ab: hinder1.left in Level 1 fehlt, ist 0 oder keine Zahl.",
      "the game refuses the file: hinder1.left of level 1 is missing, 0 or not a number"}},
    {Finding::LevelMissing,
     {"Level {level} fehlt: das Spiel spielt die Level 1 bis 7 der Reihe nach.",
      "level {level} is missing: the game plays levels 1 to 7 in turn"}},
    {Finding::HandHidden,
     {"Die Hand ist versteckt: der Level lässt sich nicht beenden.",
      "the hand is hidden: the level cannot be finished"}},
    {Finding::HandEmpty,
     {"Die Hand hat keine Fläche ({value}): sie ist nicht zu sehen, der Spieler findet sie nicht.",
      "the hand has a width or height of 0 or less ({value}): it cannot be seen, so the player "
      "cannot find it"}},
    {Finding::HandOutside,
     {"Die Hand liegt außerhalb des Spielfelds: der Ball erreicht sie nie.",
      "the hand lies outside the field: the ball never reaches it"}},
    {Finding::Malformed,
     {"{key}: „{value}“ ist keine Zahl; das Spiel nimmt dafür den Vorgabewert.",
      "{key}: \"{value}\" is not a number; the game takes the default instead"}},
    {Finding::GivenTwice,
     {"{key} steht mehrmals im Abschnitt; das Spiel liest nur die erste Zeile.",
      "{key} is given more than once; the game reads only the first"}},
    {Finding::NeverRead, {"{key} liest das Spiel nie.", "the game never reads {key}"}},
    {Finding::ElementMissing,
     {"{element} fehlt im Abschnitt: das Spiel stellt es sichtbar und ohne Fläche oben links auf.",
      "{element} is not in the section: the game shows it at the top-left corner, without area"}},
    {Finding::KeysMissing,
     {"{element} ist sichtbar, aber {key} fehlt; das Spiel nimmt dafür 0.",
      "{element} is shown, but {key} is missing; the game takes 0"}},
    {Finding::SectionTwice,
     {"Der Abschnitt [{level}] steht mehrmals in der Datei; das Spiel liest nur den ersten.",
      "section [{level}] is given more than once; the game reads only the first"}},
    {Finding::Outside,
     {"{element} liegt nicht ganz im Spielfeld.",
      "{element} lies partly or wholly outside the field"}},
    {Finding::InHeader,
     {"{element} ragt in die Kopfleiste.", "{element} reaches into the header strip"}},
    {Finding::InPaddleRow,
     {"{element} ragt in die Reihe des Schlägers; darunter fängt der Schläger den Ball nicht.",
      "{element} reaches down into the paddle's row"}},
    {Finding::EmptyShown,
     {"{element} ist sichtbar, hat aber keine Fläche ({value}); der Ball prallt trotzdem davon ab.",
      "{element} is shown but has no area ({value}); the ball still bounces off it"}},
    {Finding::Overlap, {"{element} überdeckt {other}.", "{element} overlaps {other}"}},
    {Finding::EmptyPenny,
     {"{element} ist sichtbar, hat aber keine Fläche ({value}): man sieht ihn nicht, und der Ball "
      "sammelt ihn trotzdem ein.",
      "{element} is shown but has no area ({value}): it cannot be seen, yet the ball collects it"}},
    {Finding::OddWear,
     {"{element} ist {value} Pixel dick, eine ungerade Zahl: jeder Treffer nimmt ihm 2 Pixel, und "
      "das Spiel entfernt ihn nie.",
      "{element} is {value} pixels thick, an odd number: every hit wears 2 pixels off, and the "
      "game never removes it"}},
    {Finding::BeyondPicture,
     {"{element} ist größer als sein Bild (Fläche, Bild: {value}): der Ball trifft ihn auch dort, "
      "wo nichts zu sehen ist.",
      "{element} is larger than its picture (box, picture: {value}): the ball hits it where "
      "nothing shows"}},
    {Finding::AtRedBarStart,
     {"{element} liegt dort, wo der rote Balken zu Beginn steht: der Balken ragt hinein.",
      "{element} lies where the red bar starts: the bar sticks into it"}},
    {Finding::Standstill,
     {"Der Ball bleibt bei {value} im Spiel stehen und kommt nicht mehr los: eine Falle, in der "
      "die Punkte bis zum verlorenen Ball ablaufen.",
      "the ball stands still at {value} in play for good: a trap in which the points run down to "
      "a lost ball"}},
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

Words kindOf(Role role) {
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

void fillIn(std::string& text, const std::string& mark, const std::string& with) {
    for (std::size_t at = text.find(mark); at != std::string::npos;
         at = text.find(mark, at + with.size())) {
        text.replace(at, mark.size(), with);
    }
}

}  // namespace

std::string describeElement(ElementId element, Language language) {
    return std::string(element.name()) + " (" + kindOf(element.role()).in(language) + ")";
}

std::string describe(const Finding& finding, Language language) {
    std::string text = Checks[static_cast<std::size_t>(finding.check)].words.in(language);
    fillIn(text, "{level}", std::to_string(finding.level));
    fillIn(text, "{key}", finding.key);
    fillIn(text, "{value}", finding.value);
    fillIn(text, "{element}", finding.element ? describeElement(*finding.element, language) : "");
    fillIn(text, "{other}", finding.other ? describeElement(*finding.other, language) : "");
    return text;
}

std::string describe(LevelDocument::Refusal refusal, Language language) {
    switch (refusal) {
        case LevelDocument::Refusal::NoLevel1:
            return Words{"Das Spiel würde die Datei ablehnen: Level 1 fehlt.",
                         "the game would refuse the file: level 1 is missing"}
                .in(language);
        case LevelDocument::Refusal::NotANumber:
            return Words{
                "Das Spiel würde die Datei ablehnen: hinder1.left in Level 1 ist keine Zahl.",
                "the game would refuse the file: hinder1.left of level 1 is not a number"}
                .in(language);
        case LevelDocument::Refusal::MissingOrZero:
            break;
    }
    return Words{"Das Spiel würde die Datei ablehnen: hinder1.left in Level 1 fehlt oder ist 0.",
                 "the game would refuse the file: hinder1.left of level 1 is missing or 0"}
        .in(language);
}

std::string describe(LevelDocument::OpenError error, const std::filesystem::path& path,
                     Language language) {
    std::string text =
        error == LevelDocument::OpenError::NotAFile
            ? Words{"Die Datei {path} gibt es nicht, oder sie ist keine Datei.",
                    "{path} does not exist or is no file"}
                  .in(language)
            : Words{"Die Datei {path} lässt sich nicht lesen.", "{path} cannot be read"}.in(
                  language);
    fillIn(text, "{path}", path.string());
    return text;
}

std::string describe(const LevelProof& proof, Language language) {
    std::string text;
    switch (proof.verdict) {
        case LevelProof::Proved:
            return {};
        case LevelProof::Refused:
            return Words{"Das Spiel lehnt die Datei ab.", "the game refuses the file"}.in(language);
        case LevelProof::NotFound:
            return Words{"Kein Beweis gefunden: kein Weg zur Hand im Rahmen der Suche.",
                         "no way to the hand found within the search's limit"}
                .in(language);
        case LevelProof::NotAHand:
            text =
                Words{
                    "Kein Beweis gefunden: der beste Weg verlangt mehr, als eine Hand kann "
                    "({fault}).",
                    "the plan asks more than the hand can do: {fault}"}
                    .in(language);
            break;
        case LevelProof::ThroughBar:
            text =
                Words{
                    "Kein Beweis gefunden: der beste Weg führt den Ball bei {x}, {y} durch "
                    "{bar}.",
                    "the ball goes through {bar} at {x}, {y}"}
                    .in(language);
            break;
        case LevelProof::NoMargin:
        case LevelProof::MarginByChance:
            text =
                Words{
                    "Kein Beweis gefunden: der beste Weg gelingt mit leicht verwackelter Hand "
                    "zu selten ({margin} von {replays}).",
                    "only {margin} of {replays} jittered replays finish"}
                    .in(language);
            break;
        case LevelProof::WrongStart:
            text = Words{"das Skript beginnt nicht am Start von Level {level}",
                         "the script does not begin at the standard start of level {level}"}
                       .in(language);
            break;
        case LevelProof::NotPlayersLine:
            text = Words{"Zeile {line} tut nichts, was ein Spieler tut",
                         "line {line} is nothing a player does"}
                       .in(language);
            break;
        case LevelProof::TimersWrong:
            text = Words{"bis Zeile {line} zählt der Countdown seltener als seine Uhr",
                         "by line {line} the countdown has stepped less often than its timer would"}
                       .in(language);
            break;
        case LevelProof::HandNotReached:
            text = Words{"das Skript erreicht die Hand von Level {level} nicht",
                         "the script does not reach the hand of level {level}"}
                       .in(language);
            break;
    }
    fillIn(text, "{line}", std::to_string(proof.line));
    fillIn(text, "{level}", std::to_string(proof.level));
    fillIn(text, "{fault}", proof.handFault);
    if (proof.passage) {
        fillIn(text, "{bar}", proof.passage->bar);
        fillIn(text, "{x}", std::to_string(proof.passage->left));
        fillIn(text, "{y}", std::to_string(proof.passage->top));
    }
    const bool margin = proof.verdict == LevelProof::NoMargin;
    fillIn(text, "{margin}", std::to_string(margin ? proof.figures.margin : proof.spare));
    fillIn(text, "{replays}", std::to_string(margin ? proof.figures.replays : proof.spareReplays));
    const bool judged = proof.verdict >= LevelProof::NotAHand;
    return language == Language::German && !judged
               ? "Die gefundene Lösung hält der Nachprüfung nicht stand (" + text + ")."
               : text;
}
