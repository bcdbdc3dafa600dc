#pragma once

#include <QListWidget>

class EditSession;
class ProofRecords;

// The level sections of the file in their order. A level with an error, or one not yet proved
// finishable, carries a mark; a section the game never reads says so.
class LevelList : public QListWidget {
    Q_OBJECT

public:
    LevelList(EditSession& session, const ProofRecords& proofs, QWidget* parent = nullptr);

    // Marks the levels anew, as the document and the proofs now stand.
    void refresh();

private:
    EditSession& session;
    const ProofRecords& proofs;
};
