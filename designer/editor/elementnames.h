#pragma once

#include <QString>

#include "play/levelelements.h"

// An element of a level, by its place in the reading order, as the editor names it to the
// designer: "Pfennig 3", "Hand", "gelber Balken 5"; with its key in the file, "Pfennig 3 (dig3)".
QString elementTitle(ElementId element, bool withKey = false);
