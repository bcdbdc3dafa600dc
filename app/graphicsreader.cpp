#include "app/graphicsreader.h"

#include <QGuiApplication>
#include <QOpenGLContext>

GraphicsReader::GraphicsReader() {
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        reader = std::thread([] { QOpenGLContext::supportsThreadedOpenGL(); });
    }
}

GraphicsReader::~GraphicsReader() {
    if (reader.joinable()) {
        reader.join();
    }
}
