#include "app/sessionbusreader.h"

#include <QDBusConnection>
#include <QGuiApplication>

SessionBusReader::SessionBusReader() {
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"))) {
        reader = std::thread([] { QDBusConnection::sessionBus(); });
    }
}

SessionBusReader::~SessionBusReader() {
    if (reader.joinable()) {
        reader.join();
    }
}
