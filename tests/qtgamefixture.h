#pragma once

#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <memory>

#include "app/gamewindows.h"
#include "windows/aboutbox.h"
#include "windows/helpbuyingwindow.h"
#include "windows/helpelementswindow.h"
#include "windows/startscreen.h"

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

    // Opens the windows and leaves the start screen and both help windows by their OK buttons,
    // as a player does before the first game.
    GameWindows& enter() {
        open();
        for (QDialog* window : std::initializer_list<QDialog*>{windows->Form3(), windows->Form5(),
                                                               windows->Form6()}) {
            window->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
        }
        return *windows;
    }

    QTemporaryDir dir;
    std::unique_ptr<GameWindows> windows;
};
