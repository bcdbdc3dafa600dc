#pragma once

#include "play/form1.h"
#include "play/form2.h"
#include "play/inputgate.h"

// The main window and the round-end dialog, which reach into each other's state, and the one way
// in for the player's input and the timers.
class Game {
public:
    Game(Platform& platform, TForm1::LevelFileOpener openLevelFile)
        : Form1(platform, Form2, std::move(openLevelFile)), Form2(platform, Form1) {}

    // Takes over the whole state of play of another game: the position it stands in, the way the
    // player left the mouse, the timers; this game keeps its own platform and level file finder.
    void copyStateFrom(const Game& other) {
        Form1.copyStateFrom(other.Form1);
        static_cast<TForm2State&>(Form2) = other.Form2;
    }

    TForm1 Form1;
    TForm2 Form2;
    InputGate Input{Form1, Form2};
};
