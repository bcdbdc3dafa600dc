#pragma once

#include <QObject>
#include <QPointer>
#include <QThread>
#include <atomic>
#include <string>
#include <vector>

#include "designer/proofrecords.h"

// Proves levels one after another on a thread of its own, so the editor stays responsive: the
// search, then the runner's replay of what it found. It works on a copy of the document's text, so
// editing on meanwhile does not disturb it. The search asks after every step whether to go on,
// which is how it is cancelled.
class ProofRunner : public QObject {
    Q_OBJECT

public:
    struct Job {
        int32 number = 0;
        LevelLayout layout;  // what the outcome is remembered by
    };

    explicit ProofRunner(QObject* parent = nullptr);
    ~ProofRunner() override;

    // Starts proving the levels of the text; false while a run is still going.
    bool start(const std::string& text, std::vector<Job> jobs);
    void cancel();
    // How much each search may do, for the runs started from now on.
    void setLimits(const SolverLimits& limits) { this->limits = limits; }
    bool busy() const { return thread != nullptr; }

signals:
    // Level `job` of `jobs` (from 0) is under way, its search `used` from 0 to 1 of its budget.
    void progressed(int job, int jobs, int32 number, double used);
    void proved(const ProofRunner::Job& job, const LevelProof& outcome);
    void finished(bool cancelled);

private:
    void run(const std::string& text, const std::vector<Job>& jobs, const SolverLimits& limits);
    void done();

    QPointer<QThread> thread;
    std::atomic<bool> cancelled{false};
    SolverLimits limits;
};
