#pragma once

#include <QObject>
#include <QTimer>
#include <array>

#include "play/inputgate.h"

// The game's four window timers on the desktop. Each fires into the rules through the input gate,
// and each runs exactly while the rules have it enabled: a disabled timer of the rules delivers
// nothing anyway, and stopped it also stops waking the program up.
class DesktopTimers : public QObject {
    Q_OBJECT

public:
    explicit DesktopTimers(InputGate& gate);

    // Starts and stops the timers as the rules' flags now stand.
    void follow();
    // Keeps every timer stopped while held, whatever the rules' flags say.
    void hold(bool held);
    const QTimer& timer(GameTimer which) const { return timers[index(which)]; }

signals:
    // A timer has fired into the rules, which may have changed anything.
    void fired();

private:
    static std::size_t index(GameTimer which) { return static_cast<std::size_t>(which); }

    InputGate& gate;
    std::array<QTimer, GameTimers.size()> timers;
    bool held = false;
};
