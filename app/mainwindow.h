#pragma once

#include <QMainWindow>

#include "play/inputgate.h"

class Game;
class PlayField;
class QAction;

// The main window: the menu and the play field. Menu commands go to the rules through the input
// gate.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(Game& game);

    PlayField* field() const { return playField; }
    QAction* pauseAction() const { return pause; }
    // Brings the window up to date with the rules after any event they handled.
    void refresh();

signals:
    // The rules have had a menu command or a mouse event and may have changed anything.
    void handled();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QAction* addItem(QMenu* menu, const QString& caption, QKeySequence shortcut,
                     MenuCommand command);
    void buildMenu();

    Game& game;
    PlayField* playField;
    QAction* pause = nullptr;
};
