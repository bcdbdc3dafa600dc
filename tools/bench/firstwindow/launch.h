#pragma once

#include <sys/types.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

using Clock = std::chrono::steady_clock;

// Variables to set for a child process; an empty value removes the variable.
using Environment = std::map<std::string, std::string>;

struct Launched {
    pid_t pid = 0;
    // Taken just before the process is made, so the time to its first window includes its exec.
    Clock::time_point started;
};

// Starts `command` with this process's environment changed by `changes`, its output discarded.
// File descriptors without close-on-exec are inherited, as Xvfb's -displayfd needs.
std::optional<Launched> launch(const std::vector<std::string>& command, const Environment& changes);
// Whether the process has ended; reaps it if so.
bool hasEnded(pid_t pid);
// Ends the process and reaps it.
void stop(pid_t pid);
