#pragma once

#include <QWidget>
#include <QWindow>

// The desktop keeps `window` in front of `owner` whatever the player clicks. Only the native window
// learns its owner: as a widget it stays a window of its own, so disabling the owner does not
// disable it.
inline void keepInFrontOf(QWidget* window, const QWidget* owner) {
    window->winId();
    window->windowHandle()->setTransientParent(owner->window()->windowHandle());
}
