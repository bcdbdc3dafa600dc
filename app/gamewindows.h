#pragma once

#include <QObject>
#include <QPointer>
#include <memory>

#include "app/desktoptimers.h"
#include "app/qtplatform.h"
#include "app/startsequence.h"
#include "app/startwindows.h"
#include "app/waylandactivation.h"
#include "play/game.h"

class AboutBox;
class MainWindow;
class QWidget;
class QWindow;
class RoundEndDialog;

// The game's windows, created once in a fixed order and kept to the end. The main window stays
// disabled until the start sequence lets the player in.
class GameWindows : public QObject {
    Q_OBJECT

public:
    // The program: its six windows, the start screen and the two help windows leading the way.
    explicit GameWindows(const std::filesystem::path& executableDir);
    // The game on a level file from elsewhere, started as `sequence` says: the level editor's
    // test play.
    GameWindows(TForm1::LevelFileOpener openLevelFile, std::unique_ptr<StartSequence> sequence);
    ~GameWindows() override;

    Game& game() { return theGame; }
    MainWindow* Form1() const { return form1.get(); }
    RoundEndDialog* Form2() const { return form2.get(); }
    StartScreen* Form3() const { return startWindows ? startWindows->Form3() : nullptr; }
    AboutBox* Form4() const { return form4.get(); }
    HelpElementsWindow* Form5() const { return startWindows ? startWindows->Form5() : nullptr; }
    HelpBuyingWindow* Form6() const { return startWindows ? startWindows->Form6() : nullptr; }
    const QTimer& timer(GameTimer which) const { return timers.timer(which); }

    // For the start sequence: takes a window of the sequence in as one of the game's, kept in
    // front of the main window; shows it; and lets the player at the main window.
    void adopt(Window which, QWidget* window);
    void show(Window which);
    void letThePlayerIn();

    // Brings every window and timer up to date with the rules; runs after each event they had.
    void refresh();
    // Stops the game's timers, for as long as someone else plays the game's time (a recorded
    // playthrough shown at the game's speed).
    void holdTimers(bool held);

signals:
    // The game has ended where it would have ended the program.
    void ended();
    // The windows and timers have been brought up to date after an event of the game.
    void refreshed();

private:
    void createMainWindow();
    void createRoundEndDialog();
    void keepInFrontOfTheMainWindow(QWidget* window);
    void followActivation(QWindow* focused);
    void handActivationOn();
    QWidget* windowInFront() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QtPlatform platform;
    Game theGame;
    DesktopTimers timers{theGame.Input};
    std::unique_ptr<MainWindow> form1;
    std::unique_ptr<RoundEndDialog> form2;
    std::unique_ptr<AboutBox> form4;
    std::unique_ptr<StartSequence> sequence;
    StartWindows* startWindows = nullptr;  // the sequence, where it is the program's own
    QPointer<QWindow> lastFocused;
    WaylandActivation wayland;
};
