#include "play/mouseinput.h"

#include "play/elements.h"
#include "play/form1.h"

Component* MouseInput::componentAt(int32 x, int32 y) const {
    // Topmost first.
    for (auto element = Elements.rbegin(); element != Elements.rend(); ++element) {
        Component& c = form.*element->member;
        if (c.Visible && c.Enabled && c.contains(x, y)) {
            return &c;
        }
    }
    return nullptr;
}

void MouseInput::copyCaptureFrom(const MouseInput& other) {
    captured = nullptr;
    for (const Element& element : Elements) {
        if (other.captured == &(other.form.*element.member)) {
            captured = &(form.*element.member);
        }
    }
}

Component* MouseInput::target(int32 x, int32 y) const {
    if (captured) {
        return captured;
    }
    // Without the capture, a pointer over the menu bar or beside the window is no business of
    // the field's, although the mouse catcher reaches past its edges.
    const bool inside = x >= 0 && y >= 0 && x < TForm1::ClientWidth && y < TForm1::ClientHeight;
    return inside ? componentAt(x, y) : nullptr;
}

void MouseInput::move(int32 x, int32 y) {
    Component* c = target(x, y);
    if (!c) {
        return;
    }
    const int32 X = sub32(x, c->Left);
    const int32 Y = sub32(y, c->Top);
    switch (c->OnMouseMove) {
        case MoveHandler::None:
            break;
        case MoveHandler::FangerMouseMove:
            form.fangerMouseMove(*c, X, Y);
            break;
        case MoveHandler::Label4MouseMove:
            form.Label4MouseMove(*c, X, Y);
            break;
        case MoveHandler::Hinder7MouseMove:
            form.hinder7MouseMove(X, Y);
            break;
    }
}

void MouseInput::press(int32 x, int32 y, MouseButton button) {
    Component* c = target(x, y);
    if (!c) {
        return;
    }
    if (button == MouseButton::Left) {
        captured = c;
    }
    if (c == &form.hinder7) {
        form.hinder7MouseDown();
    }
}

void MouseInput::release(int32 x, int32 y, MouseButton button) {
    Component* c = target(x, y);
    if (!c) {
        return;
    }
    // A click is a left press and release on the same component, released inside it.
    const bool click = button == MouseButton::Left && captured == c && c->contains(x, y);
    if (button == MouseButton::Left) {
        captured = nullptr;
    }
    if (click && c == &form.Label4) {
        form.Label4Click();
    }
    if (c == &form.hinder7) {
        form.hinder7MouseUp();
    }
}
