#include "designer/levelchecks.h"

#include <array>

#include "designer/pictureboxes.h"
#include "play/rules.h"

namespace {

using Check = Finding::Check;

enum Field {
    FieldWidth = TForm1::ClientWidth,
    FieldHeight = TForm1::ClientHeight,
    HeaderBottom = TForm1::HeaderHeight,
    PaddleRow = TForm1::PaddleRow,
};

class Report {
public:
    Report(std::vector<Finding>& out, int32 level) : out(out), level(level) {}

    void add(Check check, std::optional<ElementId> element = {},
             std::optional<ElementId> other = {}, const std::string& key = {},
             const std::string& value = {}) {
        out.push_back({check, severityOf(check), level, element, other, key, value});
    }

private:
    std::vector<Finding>& out;
    int32 level;
};

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

constexpr Placement RedBarStart{rules::RedBarStartLeft, rules::RedBarStartTop, rules::RedBarWidth,
                                rules::RedBarHeight, true};

using Absent = std::array<bool, ElementId::Count>;

// Reports what is wrong with the section's lines, and the keys missing that matter: the place
// and size of a shown element. Returns the elements the section does not give at all.
Absent checkNotes(const LevelDocument& document, LevelIndex index, const LevelLayout& layout,
                  Report& report) {
    std::array<std::vector<std::string>, ElementId::Count> missing;
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
                missing[note.element->place()].push_back(note.key);
                break;
        }
    }
    Absent absent{};
    for (const ElementId element : LevelElements) {
        const std::vector<std::string>& keysMissing = missing[element.place()];
        absent[element.place()] = keysMissing.size() == LevelFields.size();
        if (absent[element.place()]) {
            report.add(Check::ElementMissing, element);
            continue;
        }
        std::string keys;
        for (const std::string& key : keysMissing) {
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
bool checkHand(const Placement& hand, ElementId element, Report& report) {
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
void checkSize(const Placement& p, ElementId element, Report& report) {
    const Role role = element.role();
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
    for (const ElementId i : LevelElements) {
        const Placement& p = layout[i];
        if (i.role() == Role::Hand && checkHand(p, i, report)) {
            continue;
        }
        if (!p.Visible || absent[i.place()]) {
            continue;
        }
        if (p.Width <= 0 || p.Height <= 0) {
            report.add(i.role() == Role::Penny ? Check::EmptyPenny : Check::EmptyShown, i, {}, {},
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
        if (barKindOf(i.role()) && overlaps(p, RedBarStart)) {
            report.add(Check::AtRedBarStart, i);
        }
        for (const ElementId j : LevelElements) {
            if (j == i) {
                break;
            }
            if (layout[j].Visible && overlaps(layout[j], p)) {
                report.add(Check::Overlap, i, j);
            }
        }
    }
}

}  // namespace

Finding::Severity severityOf(Check check) {
    switch (check) {
        case Check::Refused:
        case Check::LevelMissing:
        case Check::HandHidden:
        case Check::HandEmpty:
        case Check::HandOutside:
            return Finding::Error;
        default:
            return Finding::Warning;
    }
}

std::vector<Finding> checkLevel(const LevelDocument& document, LevelIndex index) {
    std::vector<Finding> out;
    const LevelDocument::Level& level = document.level(index);
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
        Report(out, 1).add(Check::Refused, LevelElements.front(), {}, "hinder1.left");
    }
    for (int32 number = 1; number <= rules::LastLevel; ++number) {
        if (!document.indexOf(number)) {
            Report(out, number).add(Check::LevelMissing);
        }
    }
    for (const LevelIndex i : document.places()) {
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
