#pragma once

#include "play/form1.h"
#include "play/form2.h"

// The main window and the round-end dialog, which reach into each other's state.
class Game {
public:
    Game(Platform& platform, TForm1::LevelFileOpener openLevelFile)
        : Form1(platform, Form2, std::move(openLevelFile)), Form2(platform, Form1) {}

    TForm1 Form1;
    TForm2 Form2;
};
