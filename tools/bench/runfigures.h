#pragma once

#include <QJsonObject>
#include <optional>

#include "tools/bench/samples.h"

// What one run of the game under the benchmark measured, at one device pixel ratio.
struct RunFigures {
    double devicePixelRatio = 0;
    double playedSeconds = 0;
    // From the start of the process to the end of the window's first paint.
    double startScreenFirstFrameMs = 0;
    double mainWindowFirstFrameMs = 0;
    Samples::TickFigures ticks;
    Samples::Summary framePaint;
    // Process CPU time over wall time during play, in percent of one core.
    double cpuPercent = 0;
    double peakMemoryMB = 0;
    int roundsStarted = 0;
    int ballsLost = 0;

    QJsonObject toJson() const;
    // Nothing when a figure is missing or not a number where one belongs.
    static std::optional<RunFigures> fromJson(const QJsonObject& json);
};
