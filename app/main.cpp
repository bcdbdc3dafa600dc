#include <QApplication>

#include "app/applicationsetup.h"
#include "app/fontconfigreader.h"
#include "app/gamewindows.h"

int main(int argc, char** argv) {
    FontConfigReader fonts;
    QApplication app(argc, argv);
    fonts.wait();
    setUpApplication();

    GameWindows windows(QCoreApplication::applicationDirPath().toStdString());
    app.exec();
    // Every way of ending the program is a normal end.
    return 0;
}
