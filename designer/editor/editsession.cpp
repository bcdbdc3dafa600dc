#include "designer/editor/editsession.h"

#include <QUndoCommand>
#include <algorithm>

#include "play/elements.h"

namespace {

// The level that the rule of its own applies to, by its name and place; nothing when the file has
// no such level.
std::optional<std::pair<std::string, LevelLayout>> ruleLevel(const LevelDocument& document) {
    const std::optional<LevelIndex> index = document.indexOf(LevelDraggingThroughGreys);
    if (!index) {
        return std::nullopt;
    }
    return std::pair{document.name(*index), document.layout(*index)};
}

QString quoted(const std::string& name) {
    return name.empty() ? EditSession::tr("ein Level ohne Namen")
                        : QStringLiteral("„%1“").arg(QString::fromStdString(name));
}

}  // namespace

// One step of the history: the whole text before and after it, and the level in hand then. A
// level file is small, and a text restores exactly what an edit changed, whatever it was.
class DocumentEdit : public QUndoCommand {
public:
    struct Side {
        std::string text;
        LevelIndex level;
    };

    DocumentEdit(EditSession& session, const QString& what, Side before, Side after,
                 EditSession::Merge merge, std::optional<ElementId> element)
        : QUndoCommand(what),
          session(session),
          before(std::move(before)),
          after(std::move(after)),
          merge(merge),
          element(element) {}

    void undo() override { session.restore(before.text, before.level); }
    void redo() override { session.restore(after.text, after.level); }

    int id() const override { return merge == EditSession::Merge::None ? -1 : MergeId; }

    bool mergeWith(const QUndoCommand* other) override {
        const auto* next = static_cast<const DocumentEdit*>(other);
        if (next->merge != merge || next->element != element || next->before.level != after.level) {
            return false;
        }
        after = next->after;
        // Moved there and back again: nothing is left to undo.
        setObsolete(after.text == before.text);
        return true;
    }

private:
    enum { MergeId = 1 };

    EditSession& session;
    Side before, after;
    EditSession::Merge merge;
    std::optional<ElementId> element;
};

EditSession::EditSession(QObject* parent) : QObject(parent), undoStack(this) {}

void EditSession::reset(LevelDocument document) {
    undoStack.clear();
    doc = std::move(document);
    current = doc.indexOf(1).value_or(LevelIndex());
    selected.reset();
    alsoSelected.clear();
    emit documentChanged();
    emit levelChanged();
    emit selectionChanged();
}

void EditSession::setLevel(LevelIndex index) {
    if (index == current || index.place() >= doc.levels().size()) {
        return;
    }
    current = index;
    emit levelChanged();
}

void EditSession::select(std::optional<ElementId> element) {
    if (element == selected && alsoSelected.empty()) {
        return;
    }
    selected = element;
    alsoSelected.clear();
    emit selectionChanged();
}

std::vector<ElementId> EditSession::selectedAll() const {
    std::vector<ElementId> all;
    if (selected) {
        all.push_back(*selected);
    }
    all.insert(all.end(), alsoSelected.begin(), alsoSelected.end());
    return all;
}

void EditSession::selectAll(const std::vector<ElementId>& elements) {
    selected = elements.empty() ? std::nullopt : std::optional(elements.front());
    alsoSelected.assign(elements.begin() + (elements.empty() ? 0 : 1), elements.end());
    emit selectionChanged();
}

void EditSession::toggleSelected(ElementId element) {
    std::vector<ElementId> all = selectedAll();
    const auto at = std::ranges::find(all, element);
    if (at == all.end()) {
        all.push_back(element);
    } else {
        all.erase(at);
    }
    selectAll(all);
}

void EditSession::placeAll(const Places& places, const QString& what, Merge merge) {
    if (!hasLevel() || places.empty()) {
        return;
    }
    const LevelLayout now = layout();
    const LevelIndex index = current;
    change(
        what,
        [&](LevelDocument& edited) {
            for (const auto& [element, placement] : places) {
                for (const LevelField field : LevelFields) {
                    if (fieldOf(placement, field) != fieldOf(now[element], field)) {
                        edited.setValue(index, element, field, fieldOf(placement, field));
                    }
                }
            }
        },
        index, merge, places.front().first);
}

void EditSession::copyPlaces() {
    if (!hasLevel() || !selected) {
        return;
    }
    copied.clear();
    const LevelLayout now = layout();
    for (const ElementId element : selectedAll()) {
        copied.emplace_back(element, now[element]);
    }
}

void EditSession::pastePlaces() {
    placeAll(copied, tr("Orte einfügen"));
    std::vector<ElementId> elements;
    for (const auto& [element, placement] : copied) {
        elements.push_back(element);
    }
    if (!elements.empty()) {
        selectAll(elements);
    }
}

void EditSession::place(ElementId element, const Placement& placement, const QString& what,
                        Merge merge) {
    placeAll({{element, placement}}, what, merge);
}

void EditSession::addLevel() {
    changeList(
        tr("Neuer Level"), [](LevelDocument& edited) { edited.addLevel(); },
        LevelIndex(doc.levels().size()));
}

void EditSession::duplicateLevel() {
    if (hasLevel()) {
        const LevelIndex index = current;
        changeList(
            tr("Level duplizieren"),
            [index](LevelDocument& edited) { edited.duplicateLevel(index); },
            LevelIndex(index.place() + 1));
    }
}

void EditSession::deleteLevel() {
    if (doc.levels().size() > 1) {
        const LevelIndex index = current;
        changeList(
            tr("Level löschen"), [index](LevelDocument& edited) { edited.deleteLevel(index); },
            LevelIndex(std::min(index.place(), doc.levels().size() - 2)));
    }
}

void EditSession::moveLevel(int direction) {
    const LevelIndex index = current;
    const std::size_t at = index.place();
    const bool possible = direction < 0 ? at > 0 : at + 1 < doc.levels().size();
    if (hasLevel() && possible) {
        changeList(
            direction < 0 ? tr("Level nach oben") : tr("Level nach unten"),
            [index, direction](LevelDocument& edited) { edited.moveLevel(index, direction); },
            LevelIndex(direction < 0 ? at - 1 : at + 1));
    }
}

void EditSession::moveLevelTo(LevelIndex to) {
    const LevelIndex from = current;
    if (hasLevel() && to != from && to.place() < doc.levels().size()) {
        changeList(
            tr("Level %1 verschieben").arg(doc.level(from).number),
            [from, to](LevelDocument& edited) { edited.moveLevelTo(from, to); }, to);
    }
}

void EditSession::renameLevel(const std::string& name) {
    if (hasLevel()) {
        const LevelIndex index = current;
        change(
            tr("Level %1 umbenennen").arg(doc.level(index).number),
            [index, &name](LevelDocument& edited) { edited.setName(index, name); }, index);
    }
}

void EditSession::changeList(const QString& what, const std::function<void(LevelDocument&)>& edit,
                             LevelIndex levelAfter) {
    const auto before = ruleLevel(doc);
    change(what, edit, levelAfter);
    const auto after = ruleLevel(doc);
    if (before == after) {
        return;
    }
    QString said = tr("Level %1 hat eine Regel für sich: dort trägt der gezogene rote Balken den "
                      "Ball durch die flachen grauen Balken.")
                       .arg(LevelDraggingThroughGreys);
    if (before) {
        said += tr(" Bisher war es %1.").arg(quoted(before->first));
    }
    said += after ? tr(" Jetzt ist es %1.").arg(quoted(after->first))
                  : tr(" Jetzt gibt es keinen Level %1 mehr.").arg(LevelDraggingThroughGreys);
    emit ruleLevelChanged(said);
}

void EditSession::change(const QString& what, const std::function<void(LevelDocument&)>& edit,
                         LevelIndex levelAfter, Merge merge, std::optional<ElementId> element) {
    LevelDocument edited = doc;
    edit(edited);
    if (edited.text() == doc.text()) {
        return;
    }
    // Pushing runs the step at once.
    undoStack.push(new DocumentEdit(*this, what, {doc.text(), current}, {edited.text(), levelAfter},
                                    merge, element));
}

void EditSession::restore(const std::string& text, LevelIndex level) {
    const bool textChanged = text != doc.text();
    if (textChanged) {
        doc = LevelDocument(text);
    }
    // The level in hand is set before anyone hears of the text, which may have lost it.
    const LevelIndex index(doc.levels().empty() ? 0
                                                : std::min(level.place(), doc.levels().size() - 1));
    const bool levelChanged = index != current;
    current = index;
    if (textChanged) {
        emit documentChanged();
    }
    if (levelChanged) {
        emit this->levelChanged();
    }
}
