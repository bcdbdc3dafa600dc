#pragma once

#include <optional>
#include <string>

#include "tools/bench/firstwindow/launch.h"

// A display server with a window manager, set up for the run and taken down with this object,
// that can tell when a process's first window shows.
class Desktop {
public:
    virtual ~Desktop() = default;

    // What a program needs in its environment to show its windows here.
    virtual Environment clientEnvironment() const = 0;
    // Forgets every window seen so far; called before the next program starts.
    virtual void forgetWindows() = 0;
    // Waits until a window of the process shows and says when; nothing when the process ended
    // first or the limit against a hang ran out.
    virtual std::optional<Clock::time_point> firstWindowOf(pid_t pid) = 0;
};
