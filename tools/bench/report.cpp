#include "tools/bench/report.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <functional>
#include <iomanip>
#include <optional>
#include <ostream>

namespace {

struct Row {
    const char* label;
    std::function<double(const RunFigures&)> value;
    // The most a run may show, at device pixel ratio 1 and at 2; none: shown, not held to.
    std::optional<double> limitAt1;
    std::optional<double> limitAt2;
};

// A 1995 game should cost a modern desktop nothing.
const std::vector<Row>& rows() {
    static const std::vector<Row> table = {
        {"first frame, start screen (ms)", [](auto& r) { return r.startScreenFirstFrameMs; }, 150,
         150},
        {"first frame, main window (ms)", [](auto& r) { return r.mainWindowFirstFrameMs; }, {}, {}},
        {"tick interval, mean (ms)", [](auto& r) { return r.ticks.interval.mean; }, {}, {}},
        {"tick interval, sd (ms)", [](auto& r) { return r.ticks.interval.sd; }, {}, {}},
        {"tick, p99 deviation from 16 ms", [](auto& r) { return r.ticks.p99Deviation; }, 2, 2},
        {"ticks missed", [](auto& r) { return double(r.ticks.missed); }, {}, {}},
        {"frame paint, median (ms)", [](auto& r) { return r.framePaint.median; }, {}, {}},
        {"frame paint, p99 (ms)", [](auto& r) { return r.framePaint.p99; }, 2, 6},
        {"CPU during play (% of a core)", [](auto& r) { return r.cpuPercent; }, 3, 3},
        {"peak memory (MB)", [](auto& r) { return r.peakMemoryMB; }, 60, 60},
        {"rounds started", [](auto& r) { return double(r.roundsStarted); }, {}, {}},
        {"balls lost", [](auto& r) { return double(r.ballsLost); }, {}, {}},
    };
    return table;
}

std::optional<double> limitFor(const Row& row, const RunFigures& run) {
    return run.devicePixelRatio < 1.5 ? row.limitAt1 : row.limitAt2;
}

}  // namespace

bool printReport(const std::vector<RunFigures>& runs, std::ostream& out) {
    constexpr int LabelWidth = 34, ValueWidth = 12;
    out << std::left << std::setw(LabelWidth) << "device pixel ratio" << std::right;
    for (const RunFigures& run : runs) {
        out << std::setw(ValueWidth) << run.devicePixelRatio;
    }
    out << "   target\n" << std::fixed << std::setprecision(2);
    bool allHeld = true;
    for (const Row& row : rows()) {
        out << std::left << std::setw(LabelWidth) << row.label << std::right;
        QStringList targets;
        for (const RunFigures& run : runs) {
            const double value = row.value(run);
            const std::optional<double> limit = limitFor(row, run);
            const bool held = !limit || value < *limit;
            allHeld &= held;
            out << std::setw(ValueWidth - 1) << value << (held ? ' ' : '!');
            if (limit) {
                targets << QStringLiteral("< %1").arg(*limit);
            }
        }
        targets.removeDuplicates();
        out << "   " << targets.join(QStringLiteral(" / ")).toStdString() << '\n';
    }
    out << (allHeld ? "every target held" : "a target marked ! was missed") << '\n';

    QJsonArray json;
    for (const RunFigures& run : runs) {
        json.append(run.toJson());
    }
    const QJsonObject line{{"runs", json}, {"targets_held", allHeld}};
    out << QJsonDocument(line).toJson(QJsonDocument::Compact).toStdString() << '\n';
    return allHeld;
}
