/* A player's pointer and keyboard on KWin, through its fake input protocol. Reads commands from
 * stdin, one a line, and answers each with "ok" once the compositor has handled it (or "error"):
 *   move X Y           the pointer to a point of the screen
 *   button CODE 1|0    a button, by its evdev code, pressed or released
 *   key CODE 1|0       a key, by its evdev code, pressed or released
 * It lives for the whole run: KWin forgets the device, and the keys held on it, when it goes. */

#include <stdio.h>
#include <string.h>
#include <wayland-client.h>

#include "fake-input-client-protocol.h"

/* The version that brings absolute motion and keys. */
enum { WANTED_VERSION = 4 };

static void announced(void* data, struct wl_registry* registry, uint32_t name,
                      const char* interface, uint32_t version) {
    if (strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0 &&
        version >= WANTED_VERSION) {
        *(struct org_kde_kwin_fake_input**)data =
            wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, WANTED_VERSION);
    }
}

static void withdrawn(void* data, struct wl_registry* registry, uint32_t name) {
    (void)data;
    (void)registry;
    (void)name;
}

static const struct wl_registry_listener registry_listener = {announced, withdrawn};

static int perform(struct org_kde_kwin_fake_input* input, const char* line) {
    char verb[16];
    int a = 0;
    int b = 0;
    if (sscanf(line, "%15s %d %d", verb, &a, &b) != 3 || a < 0 || b < 0) {
        return 0;
    }
    if (strcmp(verb, "move") == 0) {
        org_kde_kwin_fake_input_pointer_motion_absolute(input, wl_fixed_from_int(a),
                                                        wl_fixed_from_int(b));
    } else if (strcmp(verb, "button") == 0) {
        org_kde_kwin_fake_input_button(input, (uint32_t)a, (uint32_t)b);
    } else if (strcmp(verb, "key") == 0) {
        org_kde_kwin_fake_input_keyboard_key(input, (uint32_t)a, (uint32_t)b);
    } else {
        return 0;
    }
    return 1;
}

int main(void) {
    struct wl_display* display = wl_display_connect(NULL);
    if (!display) {
        fprintf(stderr, "fakeinput: no Wayland display\n");
        return 1;
    }
    struct org_kde_kwin_fake_input* input = NULL;
    struct wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registry_listener, &input);
    wl_display_roundtrip(display);
    if (!input) {
        fprintf(stderr, "fakeinput: the compositor offers no fake input of version %d\n",
                WANTED_VERSION);
        return 1;
    }
    /* KWin ignores a device's events until it has said what it is for. */
    org_kde_kwin_fake_input_authenticate(input, "Quirlon 95 desktop tests", "plays the game");
    char line[128];
    setvbuf(stdout, NULL, _IOLBF, 0);
    while (fgets(line, sizeof line, stdin)) {
        int done = perform(input, line) && wl_display_roundtrip(display) >= 0;
        puts(done ? "ok" : "error");
    }
    org_kde_kwin_fake_input_destroy(input);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return 0;
}
