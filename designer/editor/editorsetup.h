#pragma once

#include <QLatin1StringView>

// The id the desktop knows the level editor by: its desktop entry and icon are installed under it.
inline constexpr QLatin1StringView EditorId("de.quirlon95.Quirlon95.Editor");

// Names the program, gives its windows the editor's icon, and lets Qt's own dialogs speak German
// where Qt's translations are installed. Call it once the QApplication exists.
void setUpEditorApplication();
