#pragma once

#include <Qt>
#include <optional>

// What the keys do on the field to the selected element.
enum class KeyAction {
    SelectNext,      // the next element in the level file's order
    SelectPrevious,  // the one before
    Move,            // by dx, dy pixels
    Resize,          // width by dx, height by dy pixels
    ToggleVisible,
};

struct KeyEdit {
    KeyAction action;
    int dx = 0, dy = 0;
};

// The edit a key makes with the modifiers held (Shift and Ctrl count, others are ignored);
// nothing for a key the field leaves to others.
std::optional<KeyEdit> keyEdit(int key, Qt::KeyboardModifiers modifiers);
