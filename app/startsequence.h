#pragma once

class GameWindows;
class QWidget;

// How a game comes to take input: the windows that lead the player to it, each created in its
// place among the game's windows, and whether the end of the game ends the program.
class StartSequence {
public:
    virtual ~StartSequence() = default;

    // Right after the main window, before the round-end dialog.
    virtual void afterMainWindow(GameWindows& windows) = 0;
    // Once the last of the game's windows is made.
    virtual void afterLastWindow(GameWindows& windows) = 0;
    // The sequence's window that shows in front of the disabled main window, if one does.
    virtual QWidget* inFront() const = 0;
    // Where it does not, the windows tell of the end by their `ended` signal.
    virtual bool endsProgram() const = 0;
};
