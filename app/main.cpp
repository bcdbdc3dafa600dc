#include <QApplication>
#include <QIcon>

#include "app/gamewindows.h"
#include "art/pictures.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quirlon95"));
    QGuiApplication::setDesktopFileName(QStringLiteral("quirlon95"));
    QApplication::setWindowIcon(QIcon(Pictures::path(Picture::Icon)));

    GameWindows windows(QCoreApplication::applicationDirPath().toStdString());
    app.exec();
    // Every way of ending the program is a normal end.
    return 0;
}
