#include "app/softwareframes.h"

#include <QGuiApplication>
#include <QLoggingCategory>
#include <QOpenGLContext>

namespace {

constexpr const char* IntegrationVariable = "QT_WAYLAND_CLIENT_BUFFER_INTEGRATION";

}  // namespace

void drawFramesInSoftwareOnly() {
    if (QGuiApplication::platformName() != QLatin1String("wayland") ||
        qEnvironmentVariableIsSet(IntegrationVariable)) {
        return;
    }
    // The plugin reads the name once, when first asked about OpenGL, and warns that no such
    // integration exists; asked here, it does so now, quietly, and no program started later
    // inherits the name.
    qputenv(IntegrationVariable, "none");
    QLoggingCategory::setFilterRules(QStringLiteral("qt.qpa.wayland.warning=false"));
    QOpenGLContext::supportsThreadedOpenGL();
    QLoggingCategory::setFilterRules(QString());
    qunsetenv(IntegrationVariable);
}
