#include "designer/editor/problemspanel.h"

#include <QLocale>
#include <QStyle>

#include "designer/editor/editsession.h"
#include "designer/levelfindings.h"
#include "designer/proofrecords.h"
#include "designer/wording.h"
#include "play/tickperiod.h"

namespace {

enum Data { LevelNumber = Qt::UserRole, ElementIndex };
// A level that can be finished sooner than this is over before the player has looked at it.
constexpr int QuickMs = 2000;

}  // namespace

ProblemsPanel::ProblemsPanel(EditSession& session, const ProofRecords& proofs, QWidget* parent)
    : QListWidget(parent), session(session), proofs(proofs) {
    setWordWrap(true);
    connect(&session, &EditSession::documentChanged, this, &ProblemsPanel::refresh);
    connect(&session, &EditSession::levelChanged, this, &ProblemsPanel::refresh);
    connect(this, &QListWidget::itemClicked, this, &ProblemsPanel::choose);
    connect(this, &QListWidget::itemActivated, this, &ProblemsPanel::choose);
    refresh();
}

void ProblemsPanel::refresh() {
    clear();
    const LevelDocument& document = session.document();
    std::vector<Finding> findings = fileFindings(document);
    if (session.hasLevel()) {
        const std::vector<Finding> level = levelFindings(document, session.level());
        findings.insert(findings.begin(), level.begin(), level.end());
    }
    for (const Finding& finding : findings) {
        const bool error = finding.severity == Finding::Error;
        auto* item = new QListWidgetItem(
            style()->standardIcon(error ? QStyle::SP_MessageBoxCritical
                                        : QStyle::SP_MessageBoxWarning),
            tr("Level %1: %2")
                .arg(finding.level)
                .arg(QString::fromStdString(describe(finding, Language::German))));
        item->setData(LevelNumber, finding.level);
        if (finding.element) {
            item->setData(ElementIndex, qulonglong(finding.element->place()));
        }
        addItem(item);
    }
    if (!session.hasLevel()) {
        return;
    }
    const LevelProof* proof = proofs.find(document, session.level());
    QString said = tr("Noch nicht bewiesen, dass sich der Level beenden lässt (F7 prüft alle).");
    if (proof && proof->proved()) {
        const LevelFigures& figures = proof->figures;
        said = tr("Bewiesen: %1 s, %2, %3 von %4 verwackelten Wiederholungen gelingen: %5.")
                   .arg(QLocale(QLocale::German).toString(figures.seconds, 'f', 1))
                   .arg(figures.grabs == 1 ? tr("ein Griff") : tr("%1 Griffe").arg(figures.grabs))
                   .arg(figures.margin)
                   .arg(figures.replays)
                   .arg(QString::fromStdString(proof->difficulty));
    } else if (proof) {
        said = QString::fromStdString(describe(*proof, Language::German));
    }
    addItem(new QListWidgetItem(style()->standardIcon(QStyle::SP_MessageBoxInformation), said));
    if (proof && proof->proved() && proof->playthrough.ticks * TickPeriodMs < QuickMs) {
        addItem(new QListWidgetItem(
            style()->standardIcon(QStyle::SP_MessageBoxWarning),
            tr("Level %1 ist in %2 Sekunden geschafft, in weniger als zwei: ist er so leicht "
               "gemeint?")
                .arg(document.level(session.level()).number)
                .arg(proof->playthrough.ticks * TickPeriodMs / 1000.0, 0, 'f', 1)));
    }
}

void ProblemsPanel::choose(QListWidgetItem* item) {
    const QVariant element = item->data(ElementIndex);
    if (!element.isValid()) {
        return;
    }
    const int32 number = item->data(LevelNumber).toInt();
    // Once the click is done with: another level in hand fills this list anew.
    QMetaObject::invokeMethod(
        this,
        [this, number, element = ElementId(element.toULongLong())] {
            const LevelDocument& document = session.document();
            // About the level in hand, read or not, or else about the level of that number.
            if (!session.hasLevel() || document.level(session.level()).number != number) {
                if (const std::optional<LevelIndex> index = document.indexOf(number)) {
                    session.setLevel(*index);
                }
            }
            session.select(element);
            emit elementChosen();
        },
        Qt::QueuedConnection);
}
