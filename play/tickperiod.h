#pragma once

// The timers that ask for a tick every millisecond get the shortest period the desktop's timer
// delivers steadily: one tick per display frame. All motion is counted in ticks, so this period
// is the speed of play.
inline constexpr int TickPeriodMs = 16;

// How many frame ticks come to one step of the point countdown, whose timer fires every 500 ms.
inline constexpr int CountdownIntervalMs = 500;
inline constexpr int TicksPerCountdown = CountdownIntervalMs / TickPeriodMs;
