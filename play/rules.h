#pragma once

#include "levels/profilefile.h"
#include "play/elements.h"

// What the rules are, as the level designer's tools, the tests and the benches may know them:
// the numbers play is made of and where play puts things, named once here and used by the rules
// themselves.
namespace rules {

// Points and the run of levels.
inline constexpr int32 PennyPoints = 250;
inline constexpr int32 BonusPerLevel = 25;
// The hand of this level ends the run: the game begins again at level 1.
inline constexpr int32 LastLevel = 7;
inline constexpr int32 NewGamePoints = 1000;
inline constexpr int32 NewGameBalls = 2;

constexpr int32 bonusFor(int32 level) {
    return mul32(BonusPerLevel, level);
}

// Where play puts what leaves it: a taken penny, and an element a level hides.
inline constexpr int32 TakenPennyLeft = -1000;
inline constexpr int32 TakenPennyTop = -100;
inline constexpr int32 HiddenLeft = -1000;

constexpr bool isTaken(const Component& penny) {
    return penny.Left == TakenPennyLeft && penny.Top == TakenPennyTop;
}

// Sizes of what moves, as the main window creates them.
inline constexpr int32 BallSize = elementOf(&TForm1::ball).created.Width;
inline constexpr int32 RedBarWidth = elementOf(&TForm1::hinder7).created.Width;
inline constexpr int32 RedBarHeight = elementOf(&TForm1::hinder7).created.Height;
inline constexpr int32 PaddleWidth = elementOf(&TForm1::fanger).created.Width;
inline constexpr int32 PaddleHeight = elementOf(&TForm1::fanger).created.Height;

// Where the start of every level puts the red bar: in the middle of the field.
inline constexpr int32 RedBarStartLeft = TForm1::ClientWidth / 2 - RedBarWidth / 2;
inline constexpr int32 RedBarStartTop = TForm1::ClientHeight / 2 - RedBarHeight / 2;

// Where a drag can take the red bar: out of the header strip, above the paddle's band.
inline constexpr int32 RedBarHighestTop = 40;
inline constexpr int32 RedBarLowestTop = TForm1::ClientHeight - RedBarHeight - PaddleHeight;

// The smallest top of the ball that the ceiling, just below the header strip, does not turn.
inline constexpr int32 Ceiling = 39;
// The ball is lost once its top reaches this line.
inline constexpr int32 LossLine = TForm1::ClientHeight - BallSize;

// Whether the game refuses a level file at its check: level 1's "hinder1.left" missing, 0 or no
// number. The game then tells the player the file is missing and ends.
bool refusesLevelFile(const ProfileFile& file);

}  // namespace rules
