// quirlon95-firstwindow [--rounds N]: how long the game takes from process start to its first
// window shown on a real desktop, against an empty Qt window on the same Qt: on Xvfb under
// openbox, and on a headless sway. Each round starts both, in turns, N rounds (15 unless told);
// prints the medians and their ratio, then one JSON line.
#include <QCoreApplication>
#include <functional>
#include <iostream>
#include <thread>

#include "tools/bench/firstwindow/firstwindowreport.h"
#include "tools/bench/firstwindow/secondchance.h"
#include "tools/bench/firstwindow/swaydesktop.h"
#include "tools/bench/firstwindow/xdesktop.h"

namespace {

enum { DefaultRounds = 15 };
// Lets the desktop forget the last program before the next one starts.
constexpr std::chrono::milliseconds Settle(150);

using Starter = std::function<std::unique_ptr<Desktop>(std::string& why)>;

// Milliseconds from just before the process was made to its first window shown; nothing when
// it never showed one.
std::optional<double> timeFirstWindow(Desktop& desktop, const std::string& program) {
    desktop.forgetWindows();
    const std::optional<Launched> launched = launch({program}, desktop.clientEnvironment());
    if (!launched) {
        return std::nullopt;
    }
    const std::optional<Clock::time_point> shown = desktop.firstWindowOf(launched->pid);
    stop(launched->pid);
    std::this_thread::sleep_for(Settle);
    if (!shown) {
        return std::nullopt;
    }
    return std::chrono::duration<double, std::milli>(*shown - launched->started).count();
}

// Both programs in turns, the one to go first alternating, after a round that warms the caches.
bool measure(Desktop& desktop, const std::string& game, const std::string& bare, int rounds,
             FirstWindowFigures& figures) {
    for (int round = -1; round < rounds; ++round) {
        const bool gameFirst = round % 2 == 0;
        std::optional<double> times[2];
        for (int turn = 0; turn < 2; ++turn) {
            const bool isGame = (turn == 0) == gameFirst;
            const std::string& program = isGame ? game : bare;
            times[isGame] = withSecondChance([&] { return timeFirstWindow(desktop, program); },
                                             [&] {
                                                 std::cerr << "quirlon95-firstwindow: " << program
                                                           << " showed no window on "
                                                           << figures.desktop
                                                           << ", started again\n";
                                             });
            if (!times[isGame]) {
                std::cerr << "quirlon95-firstwindow: " << program << " showed no window on "
                          << figures.desktop << '\n';
                return false;
            }
        }
        if (round >= 0) {
            figures.gameMs.push_back(*times[true]);
            figures.bareMs.push_back(*times[false]);
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int rounds = DefaultRounds;
    const QStringList arguments = app.arguments();
    if (arguments.size() == 3 && arguments[1] == QLatin1String("--rounds")) {
        rounds = std::max(1, arguments[2].toInt());
    } else if (arguments.size() != 1) {
        std::cerr << "usage: quirlon95-firstwindow [--rounds N]\n";
        return 2;
    }
    const std::string folder = QCoreApplication::applicationDirPath().toStdString();
    const std::string game = folder + "/quirlon95";
    const std::string bare = folder + "/quirlon95-barewindow";

    const std::pair<const char*, Starter> desktops[] = {
        {"X11 (Xvfb, openbox)",
         [](std::string& why) -> std::unique_ptr<Desktop> { return XDesktop::start(why); }},
        {"Wayland (sway, headless)",
         [](std::string& why) -> std::unique_ptr<Desktop> { return SwayDesktop::start(why); }},
    };
    std::vector<FirstWindowFigures> report;
    bool measured = true;
    for (const auto& [name, start] : desktops) {
        FirstWindowFigures figures{name, {}, {}, {}};
        std::cerr << "quirlon95-firstwindow: " << rounds << " rounds on " << name << "...\n";
        if (const std::unique_ptr<Desktop> desktop = start(figures.skipped)) {
            measured &= measure(*desktop, game, bare, rounds, figures);
        }
        report.push_back(figures);
    }
    printFirstWindowReport(report, std::cout);
    return measured ? 0 : 1;
}
