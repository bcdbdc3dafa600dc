#pragma once

#include <QString>

#include "designer/leveldocument.h"

// Saves a level document to `path` atomically: the text goes to a temporary file in the same
// folder, which takes the file's place once it is complete; what stood there before is kept as
// NAME.bak. A text the game would refuse is not saved. On failure `error` says why, in German,
// and the file is as it was.
bool saveLevelFile(const LevelDocument& document, const QString& path, QString& error);
