#include "app/mainwindow.h"

#include <QCloseEvent>
#include <QLayout>
#include <QMenuBar>

#include "app/followtimer.h"
#include "app/playfield.h"
#include "play/game.h"
#include "play/tickperiod.h"

MainWindow::MainWindow(Game& game) : game(game), playField(new PlayField(game, this)) {
    setWindowTitle(QString::fromStdString(game.Form1.Caption));
    setCentralWidget(playField);
    buildMenu();
    // The field keeps its size: the rules depend on the client height through the loss line.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    connect(playField, &PlayField::handled, this, &MainWindow::refresh);

    Timer1.setTimerType(Qt::PreciseTimer);
    Timer1.setInterval(TickPeriodMs);
    connect(&Timer1, &QTimer::timeout, this, [this] {
        if (this->game.Form1.Timer1.Enabled) {
            this->game.Form1.Timer1Timer();
            refresh();
        }
    });
    Timer2.setTimerType(Qt::PreciseTimer);
    Timer2.setInterval(game.Form1.Timer2.Interval);
    connect(&Timer2, &QTimer::timeout, this, [this] {
        this->game.Form1.Timer2Timer();
        refresh();
    });
    refresh();
}

QAction* MainWindow::addItem(QMenu* menu, const QString& caption, QKeySequence shortcut,
                             void (TForm1::*handler)()) {
    QAction* action = menu->addAction(caption);
    action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, [this, handler] {
        (game.Form1.*handler)();
        refresh();
    });
    return action;
}

void MainWindow::buildMenu() {
    QMenu* datei = menuBar()->addMenu(QStringLiteral("Datei"));
    addItem(datei, QStringLiteral("Beenden"), QKeySequence(Qt::CTRL | Qt::Key_E), &TForm1::Beenden);

    QMenu* spiel = menuBar()->addMenu(QStringLiteral("Spiel"));
    // A new ball is put in play only by the start of a level.
    addItem(spiel, QStringLiteral("Ball an oberen Rand"), {}, &TForm1::Neu1Click)
        ->setVisible(false);
    pause = addItem(spiel, QStringLiteral("Pause"), QKeySequence(Qt::CTRL | Qt::Key_P),
                    &TForm1::Button1Click);
    pause->setCheckable(true);

    QMenu* kaufen = menuBar()->addMenu(QStringLiteral("Kaufen"));
    addItem(kaufen, QStringLiteral("1 Ball kaufen (kostet 3000 Punkte)"),
            QKeySequence(Qt::CTRL | Qt::Key_B), &TForm1::N1Ballkaufenkostet5000Punkte1Click);
    addItem(kaufen, QStringLiteral("1 Level kaufen (kostet 10000 Punkte)"),
            QKeySequence(Qt::CTRL | Qt::Key_L), &TForm1::N1Levelkaufenkostet20000Punkte1Click);

    QMenu* hilfe = menuBar()->addMenu(QStringLiteral("Hilfe"));
    addItem(hilfe, QStringLiteral("Info"), QKeySequence(Qt::CTRL | Qt::Key_H), &TForm1::Info1Click);
}

void MainWindow::refresh() {
    // Qt flips a checkable item by itself; the check mark is the rules' to decide.
    pause->setChecked(game.Form1.pauseChecked);
    followTimer(Timer1, game.Form1.Timer1);
    followTimer(Timer2, game.Form1.Timer2);
    playField->refresh();
    emit handled();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // A disabled main window cannot be closed; otherwise closing it ends the program.
    event->ignore();
    if (isEnabled()) {
        game.Form1.Beenden();
    }
}
