#pragma once

#include <QEvent>
#include <QObject>
#include <QPoint>
#include <QTimer>

class GameWindows;

// Plays the game the way a steady player would, with ordinary mouse events on the main window:
// it keeps the pointer under the ball, clicks the start prompt whenever it waits, and answers
// every box and the round-end dialog.
class Autopilot : public QObject {
    Q_OBJECT

public:
    explicit Autopilot(GameWindows& windows);

    // Looks at the game and reacts once a frame, on a timer of its own: a box opened by the
    // frame tick holds that tick's timer until the box is answered.
    void start();

    int roundsStarted = 0;
    int ballsLost = 0;
    int boxesAnswered = 0;

private:
    void step();
    void moveTo(QPoint fieldPoint);
    void click(QPoint fieldPoint);
    void send(QEvent::Type type, QPoint fieldPoint, Qt::MouseButton button);

    GameWindows& windows;
    QTimer frame;
};
