#include "app/gamewindows.h"

#include <QDialog>
#include <QGuiApplication>
#include <QWindow>

#include "app/mainwindow.h"
#include "app/roundenddialog.h"
#include "levels/levelfilelocation.h"

GameWindows::GameWindows(const std::filesystem::path& executableDir)
    : theGame(platform, [executableDir] { return findLevelFile(executableDir); }) {
    form1 = std::make_unique<MainWindow>(theGame);
    platform.setMainWindow(form1.get());
    // The creation handler checks the level file before any window shows.
    theGame.Form1.FormCreate();
    form1->show();
    // Until the start-up windows lead into the game, the main window takes input at once.
    theGame.Form1.setEnabled(true);

    form2 = std::make_unique<RoundEndDialog>(theGame);
    platform.setWindow(Window::Form2, form2.get());
    connect(form2.get(), &RoundEndDialog::handled, form1.get(), &MainWindow::refresh);

    // The about box's place: not modal, shown once however often it is asked for.
    form4 = std::make_unique<QDialog>();
    form4->setWindowTitle(QStringLiteral("Info über Quirlon 95"));
    platform.setWindow(Window::Form4, form4.get());

    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, &GameWindows::followActivation);
}

GameWindows::~GameWindows() = default;

// The round-end dialog restarts its flight whenever the focus comes back to it from another
// window of the program; coming back from another application leaves it flying.
void GameWindows::followActivation(QWindow* focused) {
    if (!focused) {
        return;
    }
    QWindow* dialog = form2->windowHandle();
    const bool cameBack =
        focused == dialog && lastFocused && lastFocused != dialog && theGame.Form2.Visible;
    lastFocused = focused;
    if (cameBack) {
        theGame.Form2.FormActivate();
        form2->refresh();
    }
}
