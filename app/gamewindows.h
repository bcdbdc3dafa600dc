#pragma once

#include <QObject>
#include <QPointer>
#include <memory>

#include "app/desktoptimers.h"
#include "app/qtplatform.h"
#include "app/waylandactivation.h"
#include "play/game.h"

class AboutBox;
class HelpBuyingWindow;
class HelpElementsWindow;
class MainWindow;
class QWidget;
class QWindow;
class RoundEndDialog;
class StartScreen;

// The program's six windows, created once in a fixed order and kept to the end. The main window
// stays disabled until the player has gone through the start screen and the two help windows.
class GameWindows : public QObject {
    Q_OBJECT

public:
    explicit GameWindows(const std::filesystem::path& executableDir);
    // The game on a level file from elsewhere, for the level editor's test play: no start windows,
    // and the main window takes input at once. The end of the game leaves the program running and
    // says so by `ended`.
    explicit GameWindows(TForm1::LevelFileOpener openLevelFile);
    ~GameWindows() override;

    Game& game() { return theGame; }
    MainWindow* Form1() const { return form1.get(); }
    RoundEndDialog* Form2() const { return form2.get(); }
    StartScreen* Form3() const { return form3.get(); }
    AboutBox* Form4() const { return form4.get(); }
    HelpElementsWindow* Form5() const { return form5.get(); }
    HelpBuyingWindow* Form6() const { return form6.get(); }
    const QTimer& timer(GameTimer which) const { return timers.timer(which); }

    // Brings every window and timer up to date with the rules; runs after each event they had.
    void refresh();
    // Stops the game's timers, for as long as someone else plays the game's time (a recorded
    // playthrough shown at the game's speed).
    void holdTimers(bool held);

signals:
    // The game has ended where it would have ended the program.
    void ended();

private:
    GameWindows(TForm1::LevelFileOpener openLevelFile, bool startWindows);
    void createMainWindow();
    void createStartScreen();
    void createRoundEndDialog();
    void createHelpWindows();
    void keepInFrontOfTheMainWindow(QWidget* window);
    void leadThroughTheStartWindows();
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
    std::unique_ptr<StartScreen> form3;
    std::unique_ptr<RoundEndDialog> form2;
    std::unique_ptr<AboutBox> form4;
    std::unique_ptr<HelpElementsWindow> form5;
    std::unique_ptr<HelpBuyingWindow> form6;
    QPointer<QWindow> lastFocused;
    WaylandActivation wayland;
};
