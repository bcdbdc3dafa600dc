#include "app/fontconfigreader.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

// Arial stands for the Liberation Sans of the same measures, as in the system's configuration;
// the desktop's generic sans-serif font is the first of the system's own choices found. The
// drawing settings are the system's defaults; the player's own configuration still counts.
constexpr const char* OwnConfiguration = R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <dir>/usr/share/fonts</dir>
  <dir>/usr/local/share/fonts</dir>
  <dir prefix="xdg">fonts</dir>
  <dir>~/.fonts</dir>
  <cachedir>/var/cache/fontconfig</cachedir>
  <cachedir prefix="xdg">fontconfig</cachedir>
  <cachedir>~/.fontconfig</cachedir>
  <selectfont>
    <acceptfont>
      <pattern><patelt name="family"><string>Liberation Sans</string></patelt></pattern>
      <pattern><patelt name="family"><string>Noto Sans</string></patelt></pattern>
      <pattern><patelt name="family"><string>DejaVu Sans</string></patelt></pattern>
    </acceptfont>
    <rejectfont><pattern/></rejectfont>
  </selectfont>
  <alias binding="same">
    <family>Arial</family>
    <accept><family>Liberation Sans</family></accept>
  </alias>
  <match target="pattern">
    <test qual="all" name="family" compare="not_eq"><string>sans-serif</string></test>
    <test qual="all" name="family" compare="not_eq"><string>serif</string></test>
    <test qual="all" name="family" compare="not_eq"><string>monospace</string></test>
    <edit name="family" mode="append_last"><string>sans-serif</string></edit>
  </match>
  <alias>
    <family>sans-serif</family>
    <prefer>
      <family>Noto Sans</family>
      <family>DejaVu Sans</family>
      <family>Liberation Sans</family>
    </prefer>
  </alias>
  <match target="pattern">
    <edit name="hintstyle" mode="append"><const>hintslight</const></edit>
    <edit name="antialias" mode="append"><bool>true</bool></edit>
    <edit name="lcdfilter" mode="append"><const>lcddefault</const></edit>
  </match>
  <include ignore_missing="yes" prefix="xdg">fontconfig/conf.d</include>
  <include ignore_missing="yes" prefix="xdg">fontconfig/fonts.conf</include>
</fontconfig>
)";

// The names Qt's desktop themes give the generic sans-serif font.
constexpr std::array<std::string_view, 3> SansSerifNames = {"Sans Serif", "sans-serif", "Sans"};

bool holdsFamily(FcConfig* configuration, const std::string& family) {
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* fonts = FcFontList(configuration, pattern, objects);
    const bool held = fonts && fonts->nfont > 0;
    if (fonts) {
        FcFontSetDestroy(fonts);
    }
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    return held;
}

}  // namespace

FcConfig* loadOwnFontConfiguration() {
    FcConfig* configuration = FcConfigCreate();
    const bool loaded =
        configuration &&
        FcConfigParseAndLoadFromMemory(
            configuration, reinterpret_cast<const FcChar8*>(OwnConfiguration), FcFalse) &&
        FcConfigBuildFonts(configuration) && holdsFamily(configuration, "Liberation Sans");
    if (!loaded && configuration) {
        FcConfigDestroy(configuration);
        return nullptr;
    }
    return configuration;
}

bool servesFontFamily(FcConfig* configuration, const std::string& family) {
    return std::find(SansSerifNames.begin(), SansSerifNames.end(), family) !=
               SansSerifNames.end() ||
           holdsFamily(configuration, family);
}

FontConfigReader::FontConfigReader()
    : reader([this] {
          if (FcConfig* configuration = loadOwnFontConfiguration()) {
              own = FcConfigSetCurrent(configuration);
              FcConfigDestroy(configuration);
          }
          FcInit();
      }) {}

FontConfigReader::~FontConfigReader() {
    if (reader.joinable()) {
        reader.join();
    }
}

void FontConfigReader::wait(const std::string& desktopFamily) {
    if (reader.joinable()) {
        reader.join();
    }
    if (own && !servesFontFamily(nullptr, desktopFamily)) {
        own = !FcInitReinitialize();
    }
}
