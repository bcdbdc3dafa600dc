#pragma once

#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "app/gamewindows.h"

// The real windows over a level file of the test's own, found next to a pretend executable.
// The user and system data directories point into the temporary folder, so a level file
// installed on the machine cannot interfere.
struct QtGameFixture {
    explicit QtGameFixture(const QByteArray& levelFile = "[1]\nhinder1.left=80\n") {
        qputenv("XDG_DATA_HOME", dir.filePath("home").toLocal8Bit());
        qputenv("XDG_DATA_DIRS", dir.filePath("system").toLocal8Bit());
        if (!levelFile.isNull()) {
            QFile file(dir.filePath("328lvd.ini"));
            file.open(QIODevice::WriteOnly);
            file.write(levelFile);
        }
    }

    GameWindows& open() {
        windows = std::make_unique<GameWindows>(dir.path().toStdString());
        return *windows;
    }

    QTemporaryDir dir;
    std::unique_ptr<GameWindows> windows;
};
