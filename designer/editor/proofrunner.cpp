#include "designer/editor/proofrunner.h"

#include <cmath>

#include "designer/proof.h"

namespace {

// Steps of the progress shown; finer ones would only flood the editor with messages.
constexpr double ProgressSteps = 200.0;

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
    const TForm1::LevelFileOpener opener = [file = ProfileFile::fromText(text)] { return file; };
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
        const LevelProof outcome = proveLevel(opener, job.number, limits, progress);
        if (cancelled) {
            break;
        }
        QMetaObject::invokeMethod(this, [=, this] { emit proved(job, outcome); });
    }
}

void ProofRunner::done() {
    thread->deleteLater();
    thread = nullptr;
    emit finished(cancelled);
}
