#pragma once

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>

#include "app/gamewindows.h"
#include "windows/aboutbox.h"
#include "windows/helpbuyingwindow.h"
#include "windows/helpelementswindow.h"
#include "windows/startscreen.h"

// A menu item of a menu bar by its caption.
inline QAction* findItem(QMenuBar* bar, const QString& menuTitle, const QString& caption) {
    for (QAction* menu : bar->actions()) {
        if (menu->text() != menuTitle || !menu->menu())
            continue;
        for (QAction* item : menu->menu()->actions()) {
            if (item->text() == caption)
                return item;
        }
    }
    return nullptr;
}

// What a message box showed.
struct SeenBox {
    QString title;
    QString text;
    int buttons = 0;
    bool icon = true;
};

// The message box on screen, if one is.
inline QMessageBox* shownMessageBox() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(window); box && box->isVisible()) {
            return box;
        }
    }
    return nullptr;
}

// Answers the next message box and remembers what it showed.
inline void answerNextBox(SeenBox& seen) {
    QTimer::singleShot(0, [&seen] {
        QMessageBox* box = shownMessageBox();
        if (!box) {
            answerNextBox(seen);
            return;
        }
        seen = {box->windowTitle(), box->text(), int(box->buttons().size()),
                box->icon() != QMessageBox::NoIcon};
        box->accept();
    });
}

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

    // Runs the event loop until the program asks to end; a program that does not ask within the
    // time given gets 99.
    static int runToTheEnd(int milliseconds = 5000) {
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(99); });
        guard.start(milliseconds);
        return QCoreApplication::exec();
    }

    QTemporaryDir dir;
    std::unique_ptr<GameWindows> windows;
};
