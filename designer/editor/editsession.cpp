#include "designer/editor/editsession.h"

#include <QUndoCommand>

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
    if (element == selected) {
        return;
    }
    selected = element;
    emit selectionChanged();
}

void EditSession::place(ElementId element, const Placement& placement, const QString& what,
                        Merge merge) {
    if (!hasLevel()) {
        return;
    }
    const Placement now = layout()[element];
    const LevelIndex index = current;
    change(
        what,
        [&](LevelDocument& edited) {
            for (const LevelField field : LevelFields) {
                if (fieldOf(placement, field) != fieldOf(now, field)) {
                    edited.setValue(index, element, field, fieldOf(placement, field));
                }
            }
        },
        index, merge, element);
}

void EditSession::addLevel() {
    change(
        tr("Neuer Level"), [](LevelDocument& edited) { edited.addLevel(); },
        LevelIndex(doc.levels().size()));
}

void EditSession::duplicateLevel() {
    if (hasLevel()) {
        const LevelIndex index = current;
        change(
            tr("Level duplizieren"),
            [index](LevelDocument& edited) { edited.duplicateLevel(index); },
            LevelIndex(index.place() + 1));
    }
}

void EditSession::deleteLevel() {
    if (doc.levels().size() > 1) {
        const LevelIndex index = current;
        change(
            tr("Level löschen"), [index](LevelDocument& edited) { edited.deleteLevel(index); },
            LevelIndex(std::min(index.place(), doc.levels().size() - 2)));
    }
}

void EditSession::moveLevel(int direction) {
    const LevelIndex index = current;
    const std::size_t at = index.place();
    const bool possible = direction < 0 ? at > 0 : at + 1 < doc.levels().size();
    if (hasLevel() && possible) {
        change(
            direction < 0 ? tr("Level nach oben") : tr("Level nach unten"),
            [index, direction](LevelDocument& edited) { edited.moveLevel(index, direction); },
            LevelIndex(direction < 0 ? at - 1 : at + 1));
    }
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
