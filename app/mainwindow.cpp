#include "app/mainwindow.h"

#include <QCloseEvent>
#include <QLayout>
#include <QMenuBar>

#include "app/playfield.h"
#include "play/game.h"

MainWindow::MainWindow(Game& game) : game(game), playField(new PlayField(game, this)) {
    setWindowTitle(QString::fromStdString(game.Form1.Caption));
    setCentralWidget(playField);
    buildMenu();
    // The field keeps its size: the rules depend on the client height through the loss line.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    connect(playField, &PlayField::handled, this, &MainWindow::handled);
    refresh();
}

QAction* MainWindow::addItem(QMenu* menu, const QString& caption, QKeySequence shortcut,
                             MenuCommand command) {
    QAction* action = menu->addAction(caption);
    action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, [this, command] {
        game.Input.menu(command);
        emit handled();
    });
    return action;
}

void MainWindow::buildMenu() {
    QMenu* datei = menuBar()->addMenu(QStringLiteral("Datei"));
    addItem(datei, QStringLiteral("Beenden"), QKeySequence(Qt::CTRL | Qt::Key_E),
            MenuCommand::Quit);

    QMenu* spiel = menuBar()->addMenu(QStringLiteral("Spiel"));
    // A new ball is put in play only by the start of a level.
    addItem(spiel, QStringLiteral("Ball an oberen Rand"), {}, MenuCommand::NewBall)
        ->setVisible(false);
    pause = addItem(spiel, QStringLiteral("Pause"), QKeySequence(Qt::CTRL | Qt::Key_P),
                    MenuCommand::Pause);
    pause->setCheckable(true);

    QMenu* kaufen = menuBar()->addMenu(QStringLiteral("Kaufen"));
    addItem(kaufen, QStringLiteral("1 Ball kaufen (kostet 3000 Punkte)"),
            QKeySequence(Qt::CTRL | Qt::Key_B), MenuCommand::BuyBall);
    addItem(kaufen, QStringLiteral("1 Level kaufen (kostet 10000 Punkte)"),
            QKeySequence(Qt::CTRL | Qt::Key_L), MenuCommand::BuyLevel);

    QMenu* hilfe = menuBar()->addMenu(QStringLiteral("Hilfe"));
    addItem(hilfe, QStringLiteral("Info"), QKeySequence(Qt::CTRL | Qt::Key_H), MenuCommand::Info);
}

void MainWindow::refresh() {
    // Qt flips a checkable item by itself; the check mark is the rules' to decide.
    pause->setChecked(game.Form1.pauseChecked);
    playField->refresh();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Closing the window is the rules' to decide: it ends the program whenever the window takes
    // input, and not otherwise.
    event->ignore();
    game.Input.closeMainWindow();
    emit handled();
}
