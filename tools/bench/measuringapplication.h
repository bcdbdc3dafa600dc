#pragma once

#include <QApplication>
#include <chrono>
#include <optional>
#include <vector>

class GameWindows;

// The application object of the benchmark: it sees every event the game gets, so it can time
// the frame tick and the painting of the windows without the game knowing.
class MeasuringApplication : public QApplication {
public:
    using Clock = std::chrono::steady_clock;

    MeasuringApplication(int& argc, char** argv);

    // The windows to watch; paints before this are not seen.
    void watch(const GameWindows& windows);
    bool notify(QObject* receiver, QEvent* event) override;

    // Ticks and play-field paints are kept only between these two.
    void startRecording();
    void stopRecording();

    std::optional<Clock::time_point> firstStartScreenFrame;
    std::optional<Clock::time_point> firstMainWindowFrame;
    std::vector<Clock::time_point> tickStarts;
    // The play field's painting between one tick and the next, in milliseconds.
    std::vector<double> framePaintMs;
    Clock::duration recordedWall{};
    std::chrono::nanoseconds recordedCpu{};

private:
    bool timeTick(QObject* receiver, QEvent* event);
    bool timePaint(QObject* receiver, QEvent* event);

    const GameWindows* windows = nullptr;
    bool recording = false;
    double paintSinceTickMs = 0;
    Clock::time_point wallAtStart;
    std::chrono::nanoseconds cpuAtStart{};
};
