#pragma once

// The timers that ask for a tick every millisecond get the shortest period the desktop's timer
// delivers steadily: one tick per display frame. All motion is counted in ticks, so this period
// is the speed of play.
inline constexpr int TickPeriodMs = 16;
