#include <QApplication>
#include <QFont>

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
    // Every way of ending the program is a normal end.
    return 0;
}
