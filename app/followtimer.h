#pragma once

#include <QTimer>

#include "play/component.h"

// Keeps a desktop timer running exactly while the rules' timer is enabled. A disabled timer of
// the rules delivers nothing anyway; stopped, it also stops waking the program up.
inline void followTimer(QTimer& timer, const Timer& rules) {
    if (rules.Enabled && !timer.isActive()) {
        timer.start();
    } else if (!rules.Enabled && timer.isActive()) {
        timer.stop();
    }
}
