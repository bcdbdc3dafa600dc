#pragma once

#include <QListWidget>

class EditSession;
class ProofRecords;

// The level sections of the file in their order, each with its name. A level with an error, or
// one not yet proved finishable, carries a mark; a section the game never reads says so. A level
// dragged to another place of the list moves there in the file.
class LevelList : public QListWidget {
    Q_OBJECT

public:
    LevelList(EditSession& session, const ProofRecords& proofs, QWidget* parent = nullptr);

    // Marks the levels anew, as the document and the proofs now stand.
    void refresh();

    // The place a level dragged from `from` takes when dropped on `row` (-1: below every item), on
    // it or above it, or below it.
    static int dropTarget(int from, int row, bool below, int count);

protected:
    void dropEvent(QDropEvent* event) override;

private:
    EditSession& session;
    const ProofRecords& proofs;
};
