#include "app/applicationsetup.h"

#include <QApplication>
#include <QIcon>

#include "art/pictures.h"

void setUpApplication() {
    QApplication::setApplicationName(QStringLiteral("quirlon95"));
    QGuiApplication::setDesktopFileName(ApplicationId);
    // Set on the application, so every window carries it, the message boxes included.
    QApplication::setWindowIcon(QIcon(Pictures::path(Picture::Icon)));
}
