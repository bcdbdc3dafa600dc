#include "app/waylandactivation.h"

#include <qpa/qplatformnativeinterface.h>
#include <wayland-client.h>

#include <QGuiApplication>
#include <QWindow>
#include <cstring>
#include <string>

#include "xdg-activation-v1-client-protocol.h"

namespace {

QPlatformNativeInterface* native() {
    return QGuiApplication::platformNativeInterface();
}

void* resource(const char* name) {
    return native()->nativeResourceForIntegration(name);
}

wl_surface* surfaceOf(QWindow* window) {
    return static_cast<wl_surface*>(native()->nativeResourceForWindow("surface", window));
}

void announced(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
    if (std::strcmp(interface, xdg_activation_v1_interface.name) == 0) {
        *static_cast<xdg_activation_v1**>(data) = static_cast<xdg_activation_v1*>(
            wl_registry_bind(registry, name, &xdg_activation_v1_interface, 1));
    }
}

void withdrawn(void*, wl_registry*, uint32_t) {}

const wl_registry_listener registryListener{announced, withdrawn};

void tokenDone(void* data, xdg_activation_token_v1*, const char* token) {
    *static_cast<std::string*>(data) = token;
}

const xdg_activation_token_v1_listener tokenListener{tokenDone};

}  // namespace

WaylandActivation::WaylandActivation() = default;

bool WaylandActivation::available() {
    if (!asked) {
        asked = true;
        bind();
    }
    return activation != nullptr;
}

// A round trip to the compositor, taken when first needed rather than while the first window is
// waiting to show.
void WaylandActivation::bind() {
    if (QGuiApplication::platformName() != QLatin1String("wayland")) {
        return;
    }
    display = static_cast<wl_display*>(resource("wl_display"));
    if (!display) {
        return;
    }
    queue = wl_display_create_queue(display);
    auto* wrapped = static_cast<wl_display*>(wl_proxy_create_wrapper(display));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(wrapped), queue);
    wl_registry* registry = wl_display_get_registry(wrapped);
    wl_proxy_wrapper_destroy(wrapped);
    wl_registry_add_listener(registry, &registryListener, &activation);
    wl_display_roundtrip_queue(display, queue);
    wl_registry_destroy(registry);
}

WaylandActivation::~WaylandActivation() {
    if (activation) {
        xdg_activation_v1_destroy(activation);
    }
    if (queue) {
        wl_event_queue_destroy(queue);
    }
}

void WaylandActivation::handOn(QWindow* from, QWindow* to) {
    wl_surface* source = surfaceOf(from);
    wl_surface* target = surfaceOf(to);
    auto* seat = static_cast<wl_seat*>(resource("wl_seat"));
    if (!available() || !source || !target || !seat) {
        return;
    }
    // Qt itself asks for the window the player clicked to be activated once the compositor has
    // answered it; a round trip on Qt's queue lets that request go first, and ours after it.
    wl_display_roundtrip(display);
    // The token vouches for the player's last input on the window that has the keyboard now;
    // the compositor answers at once, so one round trip brings it or its refusal.
    std::string token;
    xdg_activation_token_v1* request = xdg_activation_v1_get_activation_token(activation);
    xdg_activation_token_v1_add_listener(request, &tokenListener, &token);
    xdg_activation_token_v1_set_serial(
        request, static_cast<uint32_t>(reinterpret_cast<quintptr>(resource("serial"))), seat);
    xdg_activation_token_v1_set_surface(request, source);
    xdg_activation_token_v1_set_app_id(request, qPrintable(QGuiApplication::desktopFileName()));
    xdg_activation_token_v1_commit(request);
    wl_display_roundtrip_queue(display, queue);
    xdg_activation_token_v1_destroy(request);
    if (!token.empty()) {
        xdg_activation_v1_activate(activation, token.c_str(), target);
        wl_display_flush(display);
    }
}
