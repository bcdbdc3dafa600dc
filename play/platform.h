#pragma once

#include <string>

#include "play/component.h"
#include "play/gameevent.h"

// The windows of the program, in the order they are created:
//   Form1  the main window: the play field, its menu and the head-up displays
//   Form3  the start screen with the growing title, shown first
//   Form2  the round-end dialog, after a lost ball or when the points run out
//   Form4  the about box ("Info")
//   Form5  the help window on the play elements, after the start screen
//   Form6  the help window on buying balls and levels, whose OK lets the player at the main window
enum class Window { Form1, Form3, Form2, Form4, Form5, Form6 };

// Fonts of the self-sizing texts.
enum class TextStyle {
    Hud,      // the head-up displays: Arial bold 21 px
    Message,  // the round-end dialog's message: Arial bold 19 px
};

struct TextExtent {
    int32 Width = 0;
    int32 Height = 0;
};

// Everything the rules need from the desktop. The Qt layer implements it for the game, the
// scenario runner and the tests implement it with recorders.
class Platform {
public:
    virtual ~Platform() = default;

    // A modal box with the text and one OK button, captioned with the application's title. Its
    // nested event loop keeps delivering timer events until the player closes it.
    virtual void showMessage(const std::string& text) = 0;
    virtual void beep() = 0;
    // Ends the event loop once the running handler has returned.
    virtual void requestQuit() = 0;
    virtual void showWindow(Window window) = 0;
    virtual void hideWindow(Window window) = 0;
    virtual void setWindowEnabled(Window window, bool enabled) = 0;
    // Draws one component of the main window at once, not at the next paint cycle.
    virtual void repaintNow(const Component& component) = 0;
    virtual TextExtent measureText(TextStyle style, const std::string& text) = 0;
    // What happened in play; the windows show it through the components and have no use for it.
    virtual void report(const GameEvent&) {}
};
