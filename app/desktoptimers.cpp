#include "app/desktoptimers.h"

#include <algorithm>

#include "play/tickperiod.h"

DesktopTimers::DesktopTimers(InputGate& gate) : gate(gate) {
    for (const GameTimer which : GameTimers) {
        QTimer& timer = timers[index(which)];
        timer.setTimerType(Qt::PreciseTimer);
        // A timer that asks for a millisecond gets the shortest period the desktop keeps steady.
        timer.setInterval(std::max(gate.timer(which).Interval, TickPeriodMs));
        connect(&timer, &QTimer::timeout, this, [this, which] {
            this->gate.fire(which);
            emit fired();
        });
    }
    follow();
}

void DesktopTimers::follow() {
    for (const GameTimer which : GameTimers) {
        QTimer& timer = timers[index(which)];
        const bool enabled = gate.timer(which).Enabled && !held;
        if (enabled && !timer.isActive()) {
            timer.start();
        } else if (!enabled && timer.isActive()) {
            timer.stop();
        }
    }
}

void DesktopTimers::hold(bool held) {
    this->held = held;
    follow();
}
