#pragma once

#include <memory>
#include <string>

#include "tools/bench/firstwindow/desktop.h"

// A headless sway, run as `nobody` when started by root (sway refuses root). A window counts as
// shown when sway maps it, which it tells its clients by a window event "new".
class SwayDesktop : public Desktop {
public:
    // Nothing, with the reason in `why`, when sway or Qt's Wayland plugin is missing or sway
    // cannot start.
    static std::unique_ptr<SwayDesktop> start(std::string& why);
    ~SwayDesktop() override;

    Environment clientEnvironment() const override;
    void forgetWindows() override;
    std::optional<Clock::time_point> firstWindowOf(pid_t pid) override;

private:
    struct Message {
        std::uint32_t type = 0;
        std::string payload;
    };

    SwayDesktop() = default;
    bool startSway(std::string& why);
    bool subscribe(std::string& why);
    std::optional<Message> nextMessage(int waitMs);

    std::string runtimeDir;
    std::string clientRuntimeDir;
    std::string waylandSocket;
    pid_t sway = 0;
    int ipc = -1;
    std::string received;
};
