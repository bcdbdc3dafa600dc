#pragma once

class QWidget;

// The desktop keeps `window` in front of `owner` whatever the player clicks. Only the native window
// learns its owner: as a widget it stays a window of its own, so disabling the owner does not
// disable it. It learns it each time it shows, so a window made long before it first shows gets no
// native window until then: at start-up the desktop is busy putting up the first windows.
void keepInFrontOf(QWidget* window, const QWidget* owner);
