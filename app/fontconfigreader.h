#pragma once

#include <fontconfig/fontconfig.h>

#include <string>
#include <thread>

// The game's own font configuration: the fonts that draw its texts, found in the system's font
// folders through the system's font cache. The system's configuration names some fifty files that
// take ten times as long to read, and Qt reads through every font it lists before the first text.
// Nothing when the Liberation fonts, which stand in for the Arial the game asks for, are missing.
FcConfig* loadOwnFontConfiguration();

// Whether the configuration holds a face for the family, or takes it for its sans-serif font as
// the system's configuration does.
bool servesFontFamily(FcConfig* configuration, const std::string& family);

// Reads the font configuration on a thread of its own while Qt connects to the display. Qt reads
// it anyway, on the first text the main window measures, before that window can show; begun at
// once it is read by then, on the other core.
class FontConfigReader {
public:
    FontConfigReader();
    ~FontConfigReader();

    // Waits until the configuration has been read, so Qt never reads it a second time alongside.
    // A desktop font the game's own configuration does not hold brings back the system's, so the
    // menus and buttons keep the desktop's font.
    void wait(const std::string& desktopFamily);

private:
    // Whether the game's own configuration is the current one; set by the reader.
    bool own = false;
    std::thread reader;
};
