#include <QApplication>
#include <QFont>
#include <cstdio>
#include <cstdlib>

#include "app/applicationsetup.h"
#include "app/deferredstyleicons.h"
#include "app/fontconfigreader.h"
#include "app/gamewindows.h"
#include "app/sessionbusreader.h"
#include "app/softwareframes.h"

int main(int argc, char** argv) {
    FontConfigReader fonts;
    QApplication app(argc, argv);
    SessionBusReader bus;
    fonts.wait(QApplication::font().family().toStdString());
    drawFramesInSoftwareOnly();
    QApplication::setStyle(new DeferredStyleIcons);
    setUpApplication();

    GameWindows windows(QCoreApplication::applicationDirPath().toStdString());
    app.exec();
    // Every way of ending the program is a normal end. Nothing of the game is left to save, and
    // Qt's Wayland plugin can hang for good as it stops its event threads while tearing down (one
    // of them may leave a read it prepared pending, which the other then waits for): the program
    // ends here without tearing Qt down, and the desktop takes its windows away with it.
    std::fflush(nullptr);
    std::_Exit(0);
}
