#pragma once

#include <thread>

// Qt's accessibility asks the session bus for the desktop's accessibility bus as soon as the first
// widget shows or changes its state, before the first window goes to the desktop, and waits for
// the answer. Where no bus is known, libdbus first tries to start one, through a child process
// that copies the whole program. Asked on a thread of its own while the main window is built, the
// connection is there, or on its way, when accessibility asks for it. Only the desktop platforms
// have accessibility.
class SessionBusReader {
public:
    // Call it once the QGuiApplication exists.
    SessionBusReader();
    ~SessionBusReader();

private:
    std::thread reader;
};
