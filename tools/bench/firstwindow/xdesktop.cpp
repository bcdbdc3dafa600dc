#include "tools/bench/firstwindow/xdesktop.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>

namespace {

// Limits against a hang only.
enum { ServerStartMs = 10000, ManagerPolls = 200, WindowWaitMs = 20000, EventPollMs = 50 };
constexpr std::chrono::milliseconds ManagerPoll(50);

template <typename Reply>
struct Freed {
    Reply* reply;
    ~Freed() { std::free(reply); }
};

xcb_atom_t atom(xcb_connection_t* connection, const char* name) {
    Freed<xcb_intern_atom_reply_t> reply{xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, std::strlen(name), name), nullptr)};
    return reply.reply ? reply.reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The display number Xvfb writes once it takes connections.
std::string readDisplayNumber(int fd) {
    std::string number;
    pollfd wait{fd, POLLIN, 0};
    char c = 0;
    while (poll(&wait, 1, ServerStartMs) == 1 && read(fd, &c, 1) == 1 && c != '\n') {
        number += c;
    }
    return number;
}

}  // namespace

std::unique_ptr<XDesktop> XDesktop::start(std::string& why) {
    std::unique_ptr<XDesktop> desktop(new XDesktop);
    char folder[] = "/tmp/quirlon-firstwindow-x-XXXXXX";
    if (!mkdtemp(folder)) {
        why = "no temporary folder";
        return nullptr;
    }
    desktop->home = folder;
    if (!desktop->startServer(why) || !desktop->startWindowManager(why)) {
        return nullptr;
    }
    return desktop;
}

XDesktop::~XDesktop() {
    if (connection) {
        xcb_disconnect(connection);
    }
    for (pid_t process : {windowManager, server}) {
        if (process) {
            stop(process);
        }
    }
    std::error_code ignored;
    std::filesystem::remove_all(home, ignored);
}

bool XDesktop::startServer(std::string& why) {
    int ends[2];
    if (pipe(ends) != 0) {
        why = "no pipe";
        return false;
    }
    fcntl(ends[0], F_SETFD, FD_CLOEXEC);
    const std::optional<Launched> launched =
        launch({"Xvfb", "-displayfd", std::to_string(ends[1]), "-screen", "0", "1600x1000x24",
                "-nolisten", "tcp", "-noreset"},
               {});
    close(ends[1]);
    const std::string number = launched ? readDisplayNumber(ends[0]) : std::string();
    close(ends[0]);
    if (launched) {
        server = launched->pid;
    }
    if (number.empty()) {
        why = "Xvfb did not start";
        return false;
    }
    display = ':' + number;
    connection = xcb_connect(display.c_str(), nullptr);
    if (xcb_connection_has_error(connection)) {
        why = "no connection to Xvfb";
        return false;
    }
    root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    pidAtom = atom(connection, "_NET_WM_PID");
    // Every top-level window made from now on is announced to this connection.
    const uint32_t events = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &events);
    xcb_flush(connection);
    return true;
}

bool XDesktop::startWindowManager(std::string& why) {
    const std::optional<Launched> launched =
        launch({"openbox", "--sm-disable"}, {{"DISPLAY", display},
                                             {"HOME", home},
                                             {"XDG_CONFIG_HOME", home + "/config"},
                                             {"WAYLAND_DISPLAY", ""}});
    if (!launched) {
        why = "openbox did not start";
        return false;
    }
    windowManager = launched->pid;
    for (int i = 0; i < ManagerPolls; ++i) {
        if (hasWindowManager()) {
            return true;
        }
        std::this_thread::sleep_for(ManagerPoll);
    }
    why = "openbox did not come up";
    return false;
}

// A window manager that follows the desktop conventions announces itself on the root window.
bool XDesktop::hasWindowManager() {
    const xcb_atom_t check = atom(connection, "_NET_SUPPORTING_WM_CHECK");
    Freed<xcb_get_property_reply_t> reply{xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, root, check, XCB_ATOM_WINDOW, 0, 1), nullptr)};
    return reply.reply && xcb_get_property_value_length(reply.reply) == 4;
}

Environment XDesktop::clientEnvironment() const {
    return {{"DISPLAY", display}, {"QT_QPA_PLATFORM", "xcb"}, {"WAYLAND_DISPLAY", ""}};
}

void XDesktop::forgetWindows() {
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
        std::free(event);
    }
    followed.clear();
}

// Its own map and unmap are told to this connection even once the window manager has put the
// window into a frame.
void XDesktop::follow(xcb_window_t window) {
    followed.insert(window);
    const uint32_t events = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, window, XCB_CW_EVENT_MASK, &events);
    xcb_flush(connection);
}

bool XDesktop::isShownWindowOf(xcb_window_t window, pid_t pid) {
    Freed<xcb_get_window_attributes_reply_t> attributes{xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, window), nullptr)};
    if (!attributes.reply || attributes.reply->map_state != XCB_MAP_STATE_VIEWABLE) {
        return false;
    }
    Freed<xcb_get_property_reply_t> owner{xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, pidAtom, XCB_ATOM_CARDINAL, 0, 1),
        nullptr)};
    return owner.reply && xcb_get_property_value_length(owner.reply) == 4 &&
           *static_cast<const uint32_t*>(xcb_get_property_value(owner.reply)) == uint32_t(pid);
}

std::optional<Clock::time_point> XDesktop::firstWindowOf(pid_t pid) {
    const Clock::time_point limit = Clock::now() + std::chrono::milliseconds(WindowWaitMs);
    while (Clock::now() < limit && !xcb_connection_has_error(connection) && !hasEnded(pid)) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            const Clock::time_point at = Clock::now();
            const uint8_t type = event->response_type & 0x7f;
            bool shown = false;
            if (type == XCB_CREATE_NOTIFY) {
                const auto* created = reinterpret_cast<xcb_create_notify_event_t*>(event);
                if (created->parent == root) {
                    follow(created->window);
                }
            } else if (type == XCB_MAP_NOTIFY) {
                // A window becomes viewable by its own map or by its frame's.
                for (xcb_window_t window : followed) {
                    shown = shown || isShownWindowOf(window, pid);
                }
            }
            std::free(event);
            if (shown) {
                return at;
            }
        }
        pollfd wait{xcb_get_file_descriptor(connection), POLLIN, 0};
        poll(&wait, 1, EventPollMs);
    }
    return std::nullopt;
}
