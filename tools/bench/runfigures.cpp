#include "tools/bench/runfigures.h"

namespace {

QJsonObject toJson(const Samples::Summary& s) {
    return {
        {"count", s.count}, {"mean", s.mean}, {"sd", s.sd}, {"median", s.median}, {"p99", s.p99}};
}

Samples::Summary summaryFrom(const QJsonObject& json) {
    return {json["count"].toInt(), json["mean"].toDouble(), json["sd"].toDouble(),
            json["median"].toDouble(), json["p99"].toDouble()};
}

// Whether `json` has every member of `shape`, each a number, or an object of the same shape,
// where `shape` has one.
bool hasShape(const QJsonObject& json, const QJsonObject& shape) {
    for (auto member = shape.begin(); member != shape.end(); ++member) {
        const QJsonValue value = json[member.key()];
        const bool fits = member->isObject()
                              ? value.isObject() && hasShape(value.toObject(), member->toObject())
                              : value.isDouble();
        if (!fits) {
            return false;
        }
    }
    return true;
}

}  // namespace

QJsonObject RunFigures::toJson() const {
    return {
        {"device_pixel_ratio", devicePixelRatio},
        {"played_s", playedSeconds},
        {"first_frame_start_screen_ms", startScreenFirstFrameMs},
        {"first_frame_main_window_ms", mainWindowFirstFrameMs},
        {"tick_interval_ms", ::toJson(ticks.interval)},
        {"tick_p99_deviation_ms", ticks.p99Deviation},
        {"ticks_missed", ticks.missed},
        {"frame_paint_ms", ::toJson(framePaint)},
        {"cpu_percent_of_core", cpuPercent},
        {"peak_memory_mb", peakMemoryMB},
        {"rounds_started", roundsStarted},
        {"balls_lost", ballsLost},
    };
}

std::optional<RunFigures> RunFigures::fromJson(const QJsonObject& json) {
    if (!hasShape(json, RunFigures().toJson())) {
        return std::nullopt;
    }
    RunFigures f;
    f.devicePixelRatio = json["device_pixel_ratio"].toDouble();
    f.playedSeconds = json["played_s"].toDouble();
    f.startScreenFirstFrameMs = json["first_frame_start_screen_ms"].toDouble();
    f.mainWindowFirstFrameMs = json["first_frame_main_window_ms"].toDouble();
    f.ticks = {summaryFrom(json["tick_interval_ms"].toObject()),
               json["tick_p99_deviation_ms"].toDouble(), json["ticks_missed"].toInt()};
    f.framePaint = summaryFrom(json["frame_paint_ms"].toObject());
    f.cpuPercent = json["cpu_percent_of_core"].toDouble();
    f.peakMemoryMB = json["peak_memory_mb"].toDouble();
    f.roundsStarted = json["rounds_started"].toInt();
    f.ballsLost = json["balls_lost"].toInt();
    return f;
}
