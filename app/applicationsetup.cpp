#include "app/applicationsetup.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

#include "art/pictures.h"

void setUpApplication() {
    QApplication::setApplicationName(QStringLiteral("quirlon95"));
    QGuiApplication::setDesktopFileName(ApplicationId);
    // Set on the application, so every window carries it, the message boxes included. Drawing it
    // for a window takes as long as the rest of that window's set-up, so it comes once the event
    // loop runs: the first window shows at once and takes the icon a moment later.
    QTimer::singleShot(0, qApp,
                       [] { QApplication::setWindowIcon(QIcon(Pictures::path(Picture::Icon))); });
}
