#pragma once

#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <filesystem>
#include <optional>

#include "headless/headlessgame.h"
#include "play/levelelements.h"

// A game on a recording platform that plays from a level file of its own, written into a
// temporary directory. By default it stands where the start-up leaves it: the level file checked,
// the main window enabled, the start prompt waiting for a click.
class TestGame {
public:
    static inline const QString MinimalLevel = QStringLiteral("[1]\nhinder1.left=80\n");

    // `levelText` is written as the level file; without it the file is missing.
    explicit TestGame(const std::optional<QString>& levelText = MinimalLevel, bool startUp = true);
    TestGame(const TestGame&) = delete;
    TestGame& operator=(const TestGame&) = delete;

    // What the start-up does with the main window.
    void startUp();
    // Clicks the start prompt, then takes every element a level lays out (bars, pennies, hand)
    // off the field, so that only what a test puts there is in the ball's way.
    void startRound();
    // Runs up to `count` frame ticks, as long as the frame timer stays enabled; returns how many
    // ran.
    int ticks(int count);

    // Puts an element, shown, at a rectangle.
    static void put(Component& element, int32 left, int32 top, int32 width, int32 height);
    // Moves an element off the field, as a level parks an element it does not use.
    static void park(Component& element);
    // Puts the ball at a pixel position, its scaled position on the same pixel.
    void putBall(int32 left, int32 top);
    // The texts of the message boxes shown so far.
    QStringList messages() const;

    QTemporaryDir dir;
    std::filesystem::path levelFile;
    HeadlessGame headless;
    RecordingPlatform& platform;
    Game& game;
    TForm1& form;
};

// Core values in the terms QCOMPARE prints well.
inline QString q(const std::string& text) {
    return QString::fromStdString(text);
}
inline QPoint leftTop(const Component& c) {
    return QPoint(c.Left, c.Top);
}
inline QRect rect(const Component& c) {
    return QRect(c.Left, c.Top, c.Width, c.Height);
}
