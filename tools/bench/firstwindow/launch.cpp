#include "tools/bench/firstwindow/launch.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

extern char** environ;

namespace {

enum { StopPolls = 100 };
constexpr std::chrono::milliseconds StopPoll(20);

std::vector<std::string> environmentWith(const Environment& changes) {
    std::vector<std::string> result;
    for (char** entry = environ; *entry; ++entry) {
        const std::string variable = *entry;
        if (!changes.count(variable.substr(0, variable.find('=')))) {
            result.push_back(variable);
        }
    }
    for (const auto& [name, value] : changes) {
        if (!value.empty()) {
            result.push_back(name + '=' + value);
        }
    }
    return result;
}

std::vector<char*> pointersTo(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (std::string& s : strings) {
        pointers.push_back(s.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

}  // namespace

std::optional<Launched> launch(const std::vector<std::string>& command,
                               const Environment& changes) {
    std::vector<std::string> arguments = command;
    std::vector<std::string> variables = environmentWith(changes);
    const std::vector<char*> argv = pointersTo(arguments);
    const std::vector<char*> envp = pointersTo(variables);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    Launched launched;
    launched.started = Clock::now();
    const int failed =
        posix_spawnp(&launched.pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (failed) {
        return std::nullopt;
    }
    return launched;
}

bool hasEnded(pid_t pid) {
    return waitpid(pid, nullptr, WNOHANG) == pid;
}

void stop(pid_t pid) {
    kill(pid, SIGTERM);
    for (int i = 0; i < StopPolls; ++i) {
        if (hasEnded(pid)) {
            return;
        }
        std::this_thread::sleep_for(StopPoll);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}
