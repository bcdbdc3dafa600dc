# The Debian package of the game, built by `cpack` in the build folder (`make package`). It holds
# what `cmake --install` installs, under /usr, where the game finds its level file as a system
# data folder; the programs lie in /usr/games, as Debian keeps games.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quirlon95)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Quirlon 95")
set(CPACK_PACKAGE_CONTACT "Quirlon-95-Team <team@quirlon95.de>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Ballspiel mit Schläger, Balken und Pfennigen")
# Debian wants the lines of the long description under 80 characters.
set(CPACK_PACKAGE_DESCRIPTION "\
Ein Ball fällt über ein schwarzes Spielfeld; der Spieler lenkt ihn mit dem\n\
Schläger und dem roten Balken zur Hand. Pfennige bringen Punkte, mit Punkten\n\
kauft er Bälle und Levels. 23 Levels: sieben werden der Reihe nach gespielt,\n\
sechzehn Bonuslevels erreicht, wer nach Level 7 einen Level kauft. Deutsche\n\
Oberfläche, für X11 und Wayland. Mit Leveleditor für eigene Levels.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Debian ships binaries without their debugging information.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://quirlon95.de/")
# dpkg-shlibdeps names the packages of the Qt and C++ libraries the game links against.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's SVG plugins draw the pictures; the programs load them at run time, not through the linker.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
# The game asks for Arial and lays its texts out by Arial's widths; Liberation Sans has the same
# widths and stands in for it. With Qt's translations the level editor's file dialogs speak German.
# With Qt's Wayland platform the game runs natively on a Wayland desktop.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, qt6-translations-l10n, qt6-wayland")

include(CPack)
