#pragma once

#include <thread>

// Reads the system's font configuration on a thread of its own while Qt connects to the display.
// Qt reads it anyway, on the first text the main window measures, before that window can show;
// begun at once it is read by then, on the other core.
class FontConfigReader {
public:
    FontConfigReader();
    ~FontConfigReader();

    // Waits until the configuration has been read, so Qt never reads it a second time alongside.
    void wait();

private:
    std::thread reader;
};
