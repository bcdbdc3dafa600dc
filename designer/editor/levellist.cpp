#include "designer/editor/levellist.h"

#include <QDropEvent>
#include <QSignalBlocker>
#include <QStyle>

#include "designer/editor/editsession.h"
#include "designer/levelfindings.h"
#include "designer/proofrecords.h"

LevelList::LevelList(EditSession& session, const ProofRecords& proofs, QWidget* parent)
    : QListWidget(parent), session(session), proofs(proofs) {
    setDragDropMode(QAbstractItemView::InternalMove);
    setDefaultDropAction(Qt::MoveAction);
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
        const std::string name = document.name(i);
        if (!name.empty()) {
            text += QLatin1Char('\n') + QString::fromStdString(name);
        }
        item(int(i.place()))->setText(text);
        item(int(i.place()))->setToolTip(QString::fromStdString(document.comment(i)));
        item(int(i.place()))->setIcon(style()->standardIcon(icon));
    }
    if (session.hasLevel()) {
        setCurrentRow(int(session.level().place()));
    }
}

int LevelList::dropTarget(int from, int row, bool below, int count) {
    const int before = row < 0 ? count : row + (below ? 1 : 0);
    // Taking the level out first moves those after it up by one.
    return std::clamp(before > from ? before - 1 : before, 0, count - 1);
}

// The file changes, and the list follows it; the items are not moved by the view itself.
void LevelList::dropEvent(QDropEvent* event) {
    const QModelIndex on = indexAt(event->position().toPoint());
    const int to = dropTarget(currentRow(), on.isValid() ? on.row() : -1,
                              dropIndicatorPosition() == QAbstractItemView::BelowItem, count());
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
    session.moveLevelTo(LevelIndex(std::size_t(to)));
}
