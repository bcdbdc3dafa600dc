#pragma once

#include <QObject>
#include <QUndoStack>
#include <functional>
#include <optional>

#include "designer/leveldocument.h"

// The level file being edited, the level in hand and the element selected on it, and the history
// of changes. Every change of the document goes through here as one step of the history, the
// level list's changes included, so each can be undone and redone.
class EditSession : public QObject {
    Q_OBJECT

public:
    // Steps of the keyboard that change one element in a row merge into one step of the history,
    // so that three presses of an arrow key are undone at once.
    enum class Merge { None, Move, Resize };

    explicit EditSession(QObject* parent = nullptr);

    const LevelDocument& document() const { return doc; }
    QUndoStack& history() { return undoStack; }

    // Starts over with a document: its level 1 in hand, nothing selected, no history.
    void reset(LevelDocument document);

    // The level in hand, by its place in the document's level list; a document may have none.
    bool hasLevel() const { return !doc.levels().empty(); }
    LevelIndex level() const { return current; }
    void setLevel(LevelIndex index);
    LevelLayout layout() const { return doc.layout(current); }

    // The selected element, by its place in the level file's reading order.
    std::optional<ElementId> selection() const { return selected; }
    void select(std::optional<ElementId> element);

    // Gives an element of the level in hand a new place, size or visibility; only the values
    // that differ are written. `what` names the step in the history.
    void place(ElementId element, const Placement& placement, const QString& what,
               Merge merge = Merge::None);

    // The level list: a new level at the end, a copy after the level in hand, the level in hand
    // deleted (never the last one), or swapped with its neighbour before (-1) or after (+1).
    void addLevel();
    void duplicateLevel();
    void deleteLevel();
    void moveLevel(int direction);

signals:
    // The document's text has changed: an edit, an undo or redo, or a new document.
    void documentChanged();
    // Another level is in hand.
    void levelChanged();
    void selectionChanged();

private:
    friend class DocumentEdit;

    void change(const QString& what, const std::function<void(LevelDocument&)>& edit,
                LevelIndex levelAfter, Merge merge = Merge::None,
                std::optional<ElementId> element = {});
    // Puts the document back to a text of its history, with the level in hand then.
    void restore(const std::string& text, LevelIndex level);

    LevelDocument doc;
    QUndoStack undoStack;
    LevelIndex current;
    std::optional<ElementId> selected;
};
