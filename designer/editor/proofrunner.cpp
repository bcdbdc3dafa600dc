#include "designer/editor/proofrunner.h"

#include <cmath>

#include "designer/personproof.h"

namespace {

// Steps of the progress shown; finer ones would only flood the editor with messages.
constexpr double ProgressSteps = 200.0;

// Why a level has no proof, for the designer.
QString whyNot(const PlanVerdict& verdict) {
    const QString none = QObject::tr("Kein Beweis gefunden: %1");
    switch (verdict.failure) {
        case PlanVerdict::None:
            return {};
        case PlanVerdict::NoWay:
            return none.arg(QObject::tr("kein Weg zur Hand im Rahmen der Suche."));
        case PlanVerdict::ThroughBar:
            return none.arg(QObject::tr("der beste Weg führt den Ball bei %1, %2 durch %3.")
                                .arg(verdict.passage->left)
                                .arg(verdict.passage->top)
                                .arg(QString::fromStdString(verdict.passage->bar)));
        case PlanVerdict::Margin:
        case PlanVerdict::Spare:
            return none.arg(QObject::tr("der beste Weg gelingt mit leicht verwackelter Hand zu "
                                        "selten (%1 von %2).")
                                .arg(verdict.figures.margin)
                                .arg(verdict.figures.replays));
        case PlanVerdict::Hand:
        case PlanVerdict::Runner:
            break;
    }
    return none.arg(QObject::tr("der beste Weg hält der Nachprüfung nicht stand (%1).")
                        .arg(QString::fromStdString(verdict.why)));
}

}  // namespace

ProofRunner::ProofRunner(QObject* parent) : QObject(parent) {}

ProofRunner::~ProofRunner() {
    cancel();
    if (thread) {
        thread->wait();
        delete thread;
    }
}

bool ProofRunner::start(const std::string& text, std::vector<Job> jobs) {
    if (busy()) {
        return false;
    }
    cancelled = false;
    thread = QThread::create(
        [this, text, jobs = std::move(jobs), limits = limits] { run(text, jobs, limits); });
    connect(thread, &QThread::finished, this, &ProofRunner::done);
    thread->start();
    return true;
}

void ProofRunner::cancel() {
    cancelled = true;
}

// On the worker thread: everything it tells goes to the editor's thread as a queued call, which Qt
// drops once this object is gone.
void ProofRunner::run(const std::string& text, const std::vector<Job>& jobs,
                      const SolverLimits& limits) {
    const TForm1::LevelFileOpener opener = [text] { return ProfileFile::fromText(text); };
    const int count = int(jobs.size());
    for (int i = 0; i < count && !cancelled; ++i) {
        const Job job = jobs[std::size_t(i)];
        double shown = -1;
        const auto progress = [&](double used) {
            const double step = std::floor(used * ProgressSteps) / ProgressSteps;
            if (step != shown) {
                shown = step;
                QMetaObject::invokeMethod(
                    this, [=, this] { emit progressed(i, count, job.number, step); });
            }
            return !cancelled.load();
        };
        progress(0);
        const LevelProof proof = proveLevel(opener, job.number, limits, progress);
        if (cancelled) {
            break;
        }
        ProofRecords::Outcome outcome;
        outcome.solved = proof.proved();
        outcome.playthrough = proof.plan;
        outcome.verdict = proof.verdict;
        outcome.why = whyNot(proof.verdict).toStdString();
        QMetaObject::invokeMethod(this, [=, this] { emit proved(job, outcome); });
    }
}

void ProofRunner::done() {
    thread->deleteLater();
    thread = nullptr;
    emit finished(cancelled);
}
