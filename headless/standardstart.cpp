#include "headless/standardstart.h"

namespace {

enum FreshStart { StartPoints = 1000, StartBalls = 2 };

}  // namespace

void setUpStandardStart(Game& game, int32 level) {
    TForm1& form = game.Form1;
    // The start click lays out the level after the one it counts.
    form.levelnr = sub32(level, 1);
    form.punkte = StartPoints;
    form.baelle = StartBalls;
}
