#pragma once

// The title picture's rectangle on the start screen. It grows out of the top edge: each step
// moves it left by half of what it widens, so its centre stays put, and the growth ends once the
// left edge has passed StopLeft.
struct TitleGrowth {
    enum Start { StartLeft = 290, StartTop = 0, StartWidth = 61, StartHeight = 11 };
    enum Step { LeftStep = 8, HeightStep = 3, WidthStep = 16, TopStep = 2 };
    enum { StopLeft = 70 };

    int Left = StartLeft;
    int Top = StartTop;
    int Width = StartWidth;
    int Height = StartHeight;
    bool running = true;

    // One tick of the growth, in the picture's own order of changes.
    void step() {
        Left -= LeftStep;
        Height += HeightStep;
        Width += WidthStep;
        Top += TopStep;
        if (Left < StopLeft) {
            running = false;
        }
    }
};
