#include "tools/bench/firstwindow/firstwindowreport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <iomanip>
#include <ostream>

#include "tools/bench/samples.h"

namespace {

// The game may take this much longer than Qt itself needs for a window.
constexpr double MostRatio = 1.3;

}  // namespace

bool printFirstWindowReport(const std::vector<FirstWindowFigures>& desktops, std::ostream& out) {
    constexpr int DesktopWidth = 26, ValueWidth = 14;
    out << "first window after process start, medians\n"
        << std::left << std::setw(DesktopWidth) << "desktop" << std::right << std::setw(ValueWidth)
        << "game (ms)" << std::setw(ValueWidth) << "bare Qt (ms)" << std::setw(ValueWidth)
        << "ratio" << std::setw(ValueWidth) << "rounds"
        << "   target\n"
        << std::fixed << std::setprecision(1);
    bool allHeld = true;
    QJsonArray json;
    for (const FirstWindowFigures& desktop : desktops) {
        out << std::left << std::setw(DesktopWidth) << desktop.desktop << std::right;
        QJsonObject line{{"desktop", QString::fromStdString(desktop.desktop)}};
        if (!desktop.skipped.empty()) {
            out << "   skipped: " << desktop.skipped << '\n';
            line["skipped"] = QString::fromStdString(desktop.skipped);
            json.append(line);
            continue;
        }
        const double game = Samples::percentile(desktop.gameMs, 0.5);
        const double bare = Samples::percentile(desktop.bareMs, 0.5);
        const double ratio = bare > 0 ? game / bare : 0;
        const bool held = ratio <= MostRatio;
        allHeld &= held;
        out << std::setw(ValueWidth) << game << std::setw(ValueWidth) << bare
            << std::setw(ValueWidth - 1) << std::setprecision(2) << ratio << (held ? ' ' : '!')
            << std::setw(ValueWidth) << desktop.gameMs.size() << std::setprecision(1)
            << "   at most " << MostRatio << '\n';
        line["game_ms"] = game;
        line["bare_ms"] = bare;
        line["ratio"] = ratio;
        line["rounds"] = int(desktop.gameMs.size());
        json.append(line);
    }
    out << QJsonDocument(QJsonObject{{"first_window", json}, {"targets_held", allHeld}})
               .toJson(QJsonDocument::Compact)
               .toStdString()
        << '\n';
    return allHeld;
}
