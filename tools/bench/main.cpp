// quirlon95-bench [--seconds N]: starts the game headless once at device pixel ratio 1 and once
// at 2, goes through the start windows, keeps a ball in play on level 1 for N seconds (20 unless
// told) with an autopilot, and reports start-up, tick, paint, CPU and memory figures against
// their targets, as a table and as one JSON line.
#include <sys/resource.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QJsonDocument>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <iostream>
#include <optional>

#include "app/gamewindows.h"
#include "app/mainwindow.h"
#include "play/tickperiod.h"
#include "tools/bench/autopilot.h"
#include "tools/bench/measuringapplication.h"
#include "tools/bench/report.h"
#include "tools/bench/runfigures.h"
#include "windows/helpbuyingwindow.h"
#include "windows/helpelementswindow.h"
#include "windows/startscreen.h"

namespace {

using Clock = MeasuringApplication::Clock;

enum { DefaultPlaySeconds = 20, FirstFramesTimeoutMs = 10000, RunTimeoutMs = 120000 };
constexpr double Ratios[] = {1.0, 2.0};

double msSince(std::int64_t sinceNs, Clock::time_point at) {
    return double(at.time_since_epoch().count() - sinceNs) / 1e6;
}

double peakMemoryMB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

// Runs the event loop until `done` says so or the time is up.
bool waitUntil(const std::function<bool()>& done, int timeoutMs) {
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done()) {
            loop.quit();
        }
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    poll.start(1);
    loop.exec();
    return done();
}

void leaveStartWindows(GameWindows& windows) {
    for (QDialog* window :
         std::initializer_list<QDialog*>{windows.Form3(), windows.Form5(), windows.Form6()}) {
        window->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
    }
}

// One run in a process of its own, so start-up is measured from a cold process and the device
// pixel ratio can be chosen before Qt starts. Prints its figures as one JSON line.
int measureOneRun(int argc, char** argv, double ratio, int seconds, std::int64_t sinceNs) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qputenv("QT_SCALE_FACTOR", QByteArray::number(ratio));
    MeasuringApplication app(argc, argv);
    GameWindows windows(QCoreApplication::applicationDirPath().toStdString());
    app.watch(windows);
    if (!waitUntil([&] { return app.firstStartScreenFrame && app.firstMainWindowFrame; },
                   FirstFramesTimeoutMs)) {
        std::cerr << "quirlon95-bench: the windows were never painted\n";
        return 1;
    }
    leaveStartWindows(windows);

    Autopilot pilot(windows);
    pilot.start();
    app.startRecording();
    QTimer::singleShot(seconds * 1000, Qt::PreciseTimer, &app, [&app] {
        app.stopRecording();
        QCoreApplication::exit(0);
    });
    QCoreApplication::exec();

    RunFigures figures;
    figures.devicePixelRatio = windows.Form1()->devicePixelRatioF();
    figures.playedSeconds = std::chrono::duration<double>(app.recordedWall).count();
    figures.startScreenFirstFrameMs = msSince(sinceNs, *app.firstStartScreenFrame);
    figures.mainWindowFirstFrameMs = msSince(sinceNs, *app.firstMainWindowFrame);
    std::vector<double> tickStartsMs;
    for (Clock::time_point start : app.tickStarts) {
        tickStartsMs.push_back(msSince(sinceNs, start));
    }
    figures.ticks = Samples::tickFigures(tickStartsMs, TickPeriodMs);
    figures.framePaint = Samples::summarize(app.framePaintMs);
    figures.cpuPercent =
        100.0 * std::chrono::duration<double>(app.recordedCpu).count() / figures.playedSeconds;
    figures.peakMemoryMB = peakMemoryMB();
    figures.roundsStarted = pilot.roundsStarted;
    figures.ballsLost = pilot.ballsLost;
    std::cout << QJsonDocument(figures.toJson()).toJson(QJsonDocument::Compact).toStdString()
              << std::endl;
    return 0;
}

std::optional<RunFigures> runChild(const QString& program, double ratio, int seconds) {
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const std::int64_t since = Clock::now().time_since_epoch().count();
    child.start(program,
                {QStringLiteral("--run"), QString::number(ratio), QStringLiteral("--seconds"),
                 QString::number(seconds), QStringLiteral("--since"), QString::number(since)});
    if (!child.waitForFinished(RunTimeoutMs) || child.exitCode() != 0) {
        return std::nullopt;
    }
    const QByteArray lastLine = child.readAllStandardOutput().trimmed().split('\n').last();
    return RunFigures::fromJson(QJsonDocument::fromJson(lastLine).object());
}

int measureAllRuns(int argc, char** argv, int seconds) {
    QCoreApplication app(argc, argv);
    std::vector<RunFigures> runs;
    for (double ratio : Ratios) {
        std::cerr << "quirlon95-bench: " << seconds << " s of play at device pixel ratio " << ratio
                  << "...\n";
        const std::optional<RunFigures> run =
            runChild(QCoreApplication::applicationFilePath(), ratio, seconds);
        if (!run) {
            std::cerr << "quirlon95-bench: the run at ratio " << ratio << " failed\n";
            return 1;
        }
        runs.push_back(*run);
    }
    printReport(runs, std::cout);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // Parsed by hand: the run's own QApplication must not exist before its ratio is set.
    std::optional<double> ratio;
    int seconds = DefaultPlaySeconds;
    std::int64_t since = 0;
    for (int i = 1; i < argc; i += 2) {
        const std::string_view option = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (option == "--seconds" && value) {
            seconds = std::max(1, std::atoi(value));
        } else if (option == "--run" && value) {
            ratio = std::atof(value);
        } else if (option == "--since" && value) {
            since = std::atoll(value);
        } else {
            std::cerr << "usage: quirlon95-bench [--seconds N]\n";
            return 2;
        }
    }
    if (ratio && since > 0) {
        return measureOneRun(argc, argv, *ratio, seconds, since);
    }
    return measureAllRuns(argc, argv, seconds);
}
