#pragma once

#include <QLatin1StringView>

// The id the desktop knows the game by: the desktop entry, the icon and the AppStream metadata
// are installed under it, and the desktop matches the game's windows to its entry through it.
inline constexpr QLatin1StringView ApplicationId("de.quirlon95.Quirlon95");

// Names the program and gives all its windows the game's icon, the icon once the event loop
// runs. Call it once the QApplication exists and before the first window shows.
void setUpApplication();
