#pragma once

#include <QMainWindow>
#include <QTimer>

class Game;
class TForm1;
class PlayField;
class QAction;

// The main window: the menu, the play field and the two timers that drive the game.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(Game& game);

    PlayField* field() const { return playField; }
    QAction* pauseAction() const { return pause; }
    // The timer that drives the frame tick, for tools that time it.
    const QTimer* tickTimer() const { return &Timer1; }
    // Brings the window up to date with the rules after any event they handled.
    void refresh();

signals:
    void handled();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QAction* addItem(QMenu* menu, const QString& caption, QKeySequence shortcut,
                     void (TForm1::*handler)());
    void buildMenu();

    Game& game;
    PlayField* playField;
    QAction* pause = nullptr;
    QTimer Timer1;
    QTimer Timer2;
};
