#pragma once

#include <thread>

// Qt's Wayland plugin sets up EGL when the first window is made, though the game paints in
// software, and that takes as long as the rest of the start-up. Asked on a thread of its own
// whether it could render with OpenGL from threads, Qt sets it up there, on the other core, while
// this thread builds the windows; the first window then finds it ready, or waits for the rest.
// Elsewhere the question would set up OpenGL the game does not need, so it is asked on Wayland
// only.
class GraphicsReader {
public:
    // Call it once the QGuiApplication exists.
    GraphicsReader();
    ~GraphicsReader();

private:
    std::thread reader;
};
