#pragma once

#include <xcb/xcb.h>

#include <memory>
#include <set>

#include "tools/bench/firstwindow/desktop.h"

// Xvfb with openbox. A window counts as shown once it is viewable: mapped by the window manager
// into its mapped frame.
class XDesktop : public Desktop {
public:
    // Nothing, with the reason in `why`, when the server or the window manager cannot start.
    static std::unique_ptr<XDesktop> start(std::string& why);
    ~XDesktop() override;

    Environment clientEnvironment() const override;
    void forgetWindows() override;
    std::optional<Clock::time_point> firstWindowOf(pid_t pid) override;

private:
    XDesktop() = default;
    bool startServer(std::string& why);
    bool startWindowManager(std::string& why);
    bool hasWindowManager();
    void follow(xcb_window_t window);
    bool isShownWindowOf(xcb_window_t window, pid_t pid);

    std::string display;
    std::string home;
    pid_t server = 0;
    pid_t windowManager = 0;
    xcb_connection_t* connection = nullptr;
    xcb_window_t root = 0;
    xcb_atom_t pidAtom = 0;
    std::set<xcb_window_t> followed;
};
