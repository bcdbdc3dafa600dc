#include "app/applicationsetup.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

#include "art/pictures.h"

void setUpApplication() {
    QApplication::setApplicationName(QStringLiteral("quirlon95"));
    QGuiApplication::setDesktopFileName(ApplicationId);
    // The menus stay in the main window, as the window's size expects. A menu bar of the desktop's
    // own would be asked after on the session bus first, and the main window would wait for the
    // answer, or for a bus to be started, before it could show.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    // Set on the application, so every window carries it, the message boxes included. Drawing it
    // for a window takes as long as the rest of that window's set-up, so it comes once the event
    // loop runs: the first window shows at once and takes the icon a moment later.
    QTimer::singleShot(0, qApp,
                       [] { QApplication::setWindowIcon(QIcon(Pictures::path(Picture::Icon))); });
}
