#pragma once

#include <string>

class Game;
class RecordingPlatform;

// The whole visible state of a game as one line of JSON.
std::string dumpState(const Game& game, const RecordingPlatform& platform);
