#pragma once

#include <QListWidget>
#include <optional>

class EditSession;
class ProofRecords;

// The checks of the level in hand and of the file, kept up to date as the level changes, and
// what is known of the level's proof. Choosing a finding selects the element it is about.
class ProblemsPanel : public QListWidget {
    Q_OBJECT

public:
    ProblemsPanel(EditSession& session, const ProofRecords& proofs, QWidget* parent = nullptr);

    void refresh();

signals:
    // A finding about an element was chosen; the element is selected already.
    void elementChosen();

private:
    void choose(QListWidgetItem* item);

    EditSession& session;
    const ProofRecords& proofs;
};
