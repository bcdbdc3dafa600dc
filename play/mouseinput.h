#pragma once

#include "play/int32.h"

class TForm1;
struct Component;

enum class MouseButton { Left, Right, Middle };

// Delivers mouse input to the main window's components the way the platform does: to the topmost
// visible, enabled component under the pointer, with coordinates relative to it, unless a
// component holds the capture. Whether the window takes input at all is the input gate's to say. A
// left press captures the pressed component until the left button is released; the other buttons
// capture nothing, so what they do outside the client area never reaches the window.
class MouseInput {
public:
    explicit MouseInput(TForm1& form) : form(form) {}

    // Points are in the main window's client coordinates.
    void move(int32 x, int32 y);
    void press(int32 x, int32 y, MouseButton button);
    void release(int32 x, int32 y, MouseButton button);
    // The platform ends every capture when the window is disabled.
    void endCapture() { captured = nullptr; }
    // Holds the same component of this window as `other` holds of its own.
    void copyCaptureFrom(const MouseInput& other);
    const Component* capture() const { return captured; }
    Component* componentAt(int32 x, int32 y) const;

private:
    Component* target(int32 x, int32 y) const;

    TForm1& form;
    Component* captured = nullptr;
};
