#include "tools/bench/measuringapplication.h"

#include <QTimer>
#include <ctime>

#include "app/gamewindows.h"
#include "app/mainwindow.h"
#include "app/playfield.h"
#include "windows/startscreen.h"

namespace {

std::chrono::nanoseconds processCpuTime() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

double milliseconds(MeasuringApplication::Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

}  // namespace

MeasuringApplication::MeasuringApplication(int& argc, char** argv) : QApplication(argc, argv) {}

void MeasuringApplication::watch(const GameWindows& gameWindows) {
    windows = &gameWindows;
}

bool MeasuringApplication::notify(QObject* receiver, QEvent* event) {
    if (windows && event->type() == QEvent::Timer &&
        receiver == &windows->timer(GameTimer::FrameTick)) {
        return timeTick(receiver, event);
    }
    if (windows && event->type() == QEvent::Paint) {
        return timePaint(receiver, event);
    }
    return QApplication::notify(receiver, event);
}

bool MeasuringApplication::timeTick(QObject* receiver, QEvent* event) {
    const Clock::time_point start = Clock::now();
    if (recording) {
        // A frame in which nothing moved paints nothing and is not a frame to count.
        if (paintSinceTickMs > 0) {
            framePaintMs.push_back(paintSinceTickMs);
        }
        tickStarts.push_back(start);
        paintSinceTickMs = 0;
    }
    return QApplication::notify(receiver, event);
}

bool MeasuringApplication::timePaint(QObject* receiver, QEvent* event) {
    const Clock::time_point start = Clock::now();
    const bool handled = QApplication::notify(receiver, event);
    const Clock::time_point end = Clock::now();
    auto* widget = qobject_cast<QWidget*>(receiver);
    if (!widget) {
        return handled;
    }
    if (!firstStartScreenFrame && widget->window() == windows->Form3()) {
        firstStartScreenFrame = end;
    }
    if (!firstMainWindowFrame && widget->window() == windows->Form1()) {
        firstMainWindowFrame = end;
    }
    if (recording && widget == windows->Form1()->field()) {
        paintSinceTickMs += milliseconds(end - start);
    }
    return handled;
}

void MeasuringApplication::startRecording() {
    recording = true;
    wallAtStart = Clock::now();
    cpuAtStart = processCpuTime();
}

void MeasuringApplication::stopRecording() {
    recording = false;
    recordedWall = Clock::now() - wallAtStart;
    recordedCpu = processCpuTime() - cpuAtStart;
}
