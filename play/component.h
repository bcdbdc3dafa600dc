#pragma once

#include <string>

#include "play/int32.h"

// Which mouse-move handler a component carries.
enum class MoveHandler { None, FangerMouseMove, Label4MouseMove, Hinder7MouseMove };

// A component of a window: a plain rectangle in the window's client area with its flags. The play
// rules read and write these rectangles directly; drawing only looks at them.
struct Component {
    const char* Name = "";
    int32 Left = 0;
    int32 Top = 0;
    int32 Width = 0;
    int32 Height = 0;
    bool Visible = true;
    bool Enabled = true;
    MoveHandler OnMouseMove = MoveHandler::None;
    std::string Caption;  // text components only

    // Left and top edges inside, right and bottom edges outside, as the platform hit-tests.
    bool contains(int32 x, int32 y) const {
        return x >= Left && y >= Top && std::int64_t{x} < std::int64_t{Left} + Width &&
               std::int64_t{y} < std::int64_t{Top} + Height;
    }
};

// A window timer: only its enable flag matters to the rules; the platform delivers the events.
struct Timer {
    int Interval = 0;  // milliseconds, as asked for
    bool Enabled = false;
};
