#pragma once

struct wl_display;
struct wl_event_queue;
struct xdg_activation_v1;
class QWindow;

// On a Wayland desktop a program may neither raise nor activate a window by itself; it may only
// ask the compositor to, with a token for the player's last input. Elsewhere this does nothing.
class WaylandActivation {
public:
    WaylandActivation();
    ~WaylandActivation();
    WaylandActivation(const WaylandActivation&) = delete;
    WaylandActivation& operator=(const WaylandActivation&) = delete;

    // Whether the compositor takes such requests; asks it the first time.
    bool available();
    // Asks the compositor to give `to` the activation that the player's last input gave `from`.
    void handOn(QWindow* from, QWindow* to);

private:
    void bind();

    bool asked = false;
    wl_display* display = nullptr;
    // Our own queue: Qt's dispatching never sees our objects, nor we Qt's.
    wl_event_queue* queue = nullptr;
    xdg_activation_v1* activation = nullptr;
};
