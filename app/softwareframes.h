#pragma once

// The game draws every frame in software, yet Qt's Wayland plugin sets up EGL for the first window
// all the same: on a desktop that renders in software, loading and starting it takes longer than
// the whole of the rest of the start. Told that there is no graphics integration to use, the plugin
// hands the frames to the compositor in shared memory, as a window drawn in software needs. Where
// the player has chosen an integration, or another platform runs the game, nothing changes.
// Call it once the QGuiApplication exists, before the first window.
void drawFramesInSoftwareOnly();
