#include "designer/editor/levellist.h"

#include <QSignalBlocker>
#include <QStyle>

#include "designer/editor/editsession.h"
#include "designer/levelfindings.h"
#include "designer/proofrecords.h"

LevelList::LevelList(EditSession& session, const ProofRecords& proofs, QWidget* parent)
    : QListWidget(parent), session(session), proofs(proofs) {
    connect(&session, &EditSession::documentChanged, this, &LevelList::refresh);
    connect(&session, &EditSession::levelChanged, this, &LevelList::refresh);
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) {
            this->session.setLevel(LevelIndex(std::size_t(row)));
        }
    });
    refresh();
}

void LevelList::refresh() {
    const QSignalBlocker quiet(this);
    const LevelDocument& document = session.document();
    // Items are kept where they can be: this may run while the list tells of a click on one.
    while (count() > int(document.levels().size())) {
        delete takeItem(count() - 1);
    }
    while (count() < int(document.levels().size())) {
        addItem(new QListWidgetItem);
    }
    for (const LevelIndex i : document.places()) {
        const LevelDocument::Level& level = document.level(i);
        QString text = tr("Level %1").arg(level.number);
        QStyle::StandardPixmap icon = QStyle::SP_DialogApplyButton;
        const LevelProof* proof = proofs.find(document, i);
        if (!level.read) {
            text += tr(" – wird nicht gelesen");
            icon = QStyle::SP_MessageBoxWarning;
        } else if (hasError(levelFindings(document, i))) {
            text += tr(" – Fehler");
            icon = QStyle::SP_MessageBoxCritical;
        } else if (!proof) {
            text += tr(" – nicht bewiesen");
            icon = QStyle::SP_MessageBoxQuestion;
        } else if (!proof->proved()) {
            text += tr(" – kein Beweis");
            icon = QStyle::SP_MessageBoxWarning;
        } else {
            text += QStringLiteral(" – ") + QString::fromStdString(proof->difficulty);
        }
        item(int(i.place()))->setText(text);
        item(int(i.place()))->setIcon(style()->standardIcon(icon));
    }
    if (session.hasLevel()) {
        setCurrentRow(int(session.level().place()));
    }
}
