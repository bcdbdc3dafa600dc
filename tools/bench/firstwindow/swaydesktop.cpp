#include "tools/bench/firstwindow/swaydesktop.h"

#include <poll.h>
#include <pwd.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLibraryInfo>
#include <QStandardPaths>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

namespace fs = std::filesystem;

namespace {

// Limits against a hang only.
enum { StartPolls = 200, WindowWaitMs = 20000, ReadPollMs = 50 };
constexpr std::chrono::milliseconds StartPoll(50);

// sway's IPC: a magic string, the payload's length, the message type, the payload.
constexpr char Magic[] = "i3-ipc";
enum : std::uint32_t { MagicSize = 6, HeaderSize = 14, Subscribe = 2, WindowEvent = 0x80000003 };

std::optional<std::string> makeFolder(const char* pattern) {
    std::string folder = pattern;
    if (!mkdtemp(folder.data())) {
        return std::nullopt;
    }
    return folder;
}

// The first socket in `folder` whose name starts with `prefix`.
std::string findSocket(const std::string& folder, const std::string& prefix) {
    std::error_code ignored;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, ignored)) {
        if (entry.is_socket(ignored) && entry.path().filename().string().rfind(prefix, 0) == 0) {
            return entry.path();
        }
    }
    return {};
}

std::string header(std::uint32_t type, const std::string& payload) {
    std::string message(Magic, MagicSize);
    const std::uint32_t numbers[] = {std::uint32_t(payload.size()), type};
    message.append(reinterpret_cast<const char*>(numbers), sizeof numbers);
    return message + payload;
}

}  // namespace

std::unique_ptr<SwayDesktop> SwayDesktop::start(std::string& why) {
    if (QStandardPaths::findExecutable(QStringLiteral("sway")).isEmpty()) {
        why = "sway is not installed";
        return nullptr;
    }
    if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                       QStringLiteral("/platforms/libqwayland-generic.so"))) {
        why = "Qt's Wayland plugin (qt6-wayland) is not installed";
        return nullptr;
    }
    std::unique_ptr<SwayDesktop> desktop(new SwayDesktop);
    if (!desktop->startSway(why) || !desktop->subscribe(why)) {
        return nullptr;
    }
    return desktop;
}

SwayDesktop::~SwayDesktop() {
    if (ipc >= 0) {
        close(ipc);
    }
    if (sway) {
        stop(sway);
    }
    std::error_code ignored;
    for (const std::string& folder : {runtimeDir, clientRuntimeDir}) {
        if (!folder.empty()) {
            fs::remove_all(folder, ignored);
        }
    }
}

bool SwayDesktop::startSway(std::string& why) {
    const std::optional<std::string> folder = makeFolder("/tmp/quirlon-firstwindow-sway-XXXXXX");
    const std::optional<std::string> clientFolder =
        makeFolder("/tmp/quirlon-firstwindow-client-XXXXXX");
    if (!folder || !clientFolder) {
        why = "no temporary folder";
        return false;
    }
    runtimeDir = *folder;
    clientRuntimeDir = *clientFolder;
    const std::string config = runtimeDir + "/config";
    std::ofstream(config) << "xwayland disable\n";
    std::vector<std::string> command = {"sway", "-c", config};
    if (geteuid() == 0) {
        const passwd* nobody = getpwnam("nobody");
        if (!nobody || chown(runtimeDir.c_str(), nobody->pw_uid, nobody->pw_gid) != 0) {
            why = "no user nobody to run sway as";
            return false;
        }
        command.insert(command.begin(),
                       {"setpriv", "--reuid=" + std::to_string(nobody->pw_uid),
                        "--regid=" + std::to_string(nobody->pw_gid), "--clear-groups"});
    }
    const std::optional<Launched> launched = launch(command, {{"WLR_BACKENDS", "headless"},
                                                              {"WLR_LIBINPUT_NO_DEVICES", "1"},
                                                              {"WLR_RENDERER", "pixman"},
                                                              {"XDG_RUNTIME_DIR", runtimeDir},
                                                              {"HOME", runtimeDir},
                                                              {"DISPLAY", ""},
                                                              {"WAYLAND_DISPLAY", ""},
                                                              {"SWAYSOCK", ""}});
    if (!launched) {
        why = "sway did not start";
        return false;
    }
    sway = launched->pid;
    for (int i = 0; i < StartPolls && !hasEnded(sway); ++i) {
        waylandSocket = findSocket(runtimeDir, "wayland-");
        if (!waylandSocket.empty() && !findSocket(runtimeDir, "sway-ipc.").empty()) {
            return true;
        }
        std::this_thread::sleep_for(StartPoll);
    }
    why = "sway did not come up";
    return false;
}

bool SwayDesktop::subscribe(std::string& why) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string path = findSocket(runtimeDir, "sway-ipc.");
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    ipc = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (ipc < 0 || connect(ipc, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        why = "no connection to sway's IPC socket";
        return false;
    }
    const std::string request = header(Subscribe, R"(["window"])");
    if (write(ipc, request.data(), request.size()) != ssize_t(request.size())) {
        why = "sway took no subscription";
        return false;
    }
    const std::optional<Message> reply = nextMessage(WindowWaitMs);
    if (!reply || reply->type != Subscribe ||
        !QJsonDocument::fromJson(QByteArray::fromStdString(reply->payload))["success"].toBool()) {
        why = "sway refused the subscription";
        return false;
    }
    return true;
}

std::optional<SwayDesktop::Message> SwayDesktop::nextMessage(int waitMs) {
    for (;;) {
        if (received.size() >= HeaderSize) {
            std::uint32_t numbers[2];
            std::memcpy(numbers, received.data() + MagicSize, sizeof numbers);
            if (received.size() >= HeaderSize + numbers[0]) {
                Message message{numbers[1], received.substr(HeaderSize, numbers[0])};
                received.erase(0, HeaderSize + numbers[0]);
                return message;
            }
        }
        pollfd wait{ipc, POLLIN, 0};
        char chunk[4096];
        const ssize_t count = poll(&wait, 1, waitMs) == 1 ? read(ipc, chunk, sizeof chunk) : 0;
        if (count <= 0) {
            return std::nullopt;
        }
        received.append(chunk, std::size_t(count));
    }
}

Environment SwayDesktop::clientEnvironment() const {
    return {{"WAYLAND_DISPLAY", waylandSocket},
            {"XDG_RUNTIME_DIR", clientRuntimeDir},
            {"QT_QPA_PLATFORM", "wayland"},
            {"DISPLAY", ""}};
}

void SwayDesktop::forgetWindows() {
    while (nextMessage(0)) {
    }
}

std::optional<Clock::time_point> SwayDesktop::firstWindowOf(pid_t pid) {
    const Clock::time_point limit = Clock::now() + std::chrono::milliseconds(WindowWaitMs);
    while (Clock::now() < limit && !hasEnded(pid)) {
        const std::optional<Message> message = nextMessage(ReadPollMs);
        const Clock::time_point at = Clock::now();
        if (!message || message->type != WindowEvent) {
            continue;
        }
        const QJsonDocument event =
            QJsonDocument::fromJson(QByteArray::fromStdString(message->payload));
        if (event["change"].toString() == QLatin1String("new") &&
            event["container"]["pid"].toInteger() == pid) {
            return at;
        }
    }
    return std::nullopt;
}
