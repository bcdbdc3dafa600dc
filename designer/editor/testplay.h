#pragma once

#include <QObject>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "designer/passwatch.h"
#include "designer/standstill.h"
#include "headless/inputevent.h"

class GameWindows;

// The game's own windows on one level of a level file as the editor holds it, not as it is saved:
// the real rules, painting and timers, waiting for the start click with the standard start of
// the level. The editor's document is only read, once, so nothing there changes by playing. It
// plays that level only: whenever the game would go on to another one (after the hand, a bought
// level or the game's end) the level's standard start is set up again.
class TestPlay : public QObject {
    Q_OBJECT

public:
    TestPlay(const std::string& levelFile, int32 level, QObject* parent = nullptr);
    ~TestPlay() override;

    GameWindows& windows() { return *game; }
    bool showingPlaythrough() const { return replay.isActive(); }
    // Where the ball went through a bar in this play, once it has.
    const std::optional<Passage>& passage() const { return watch.found(); }

    // Plays a recorded playthrough into the game at the game's own speed, one frame tick per tick
    // period, while the player watches; then the game is the player's again.
    void showPlaythrough(std::vector<InputEvent> events);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    // The game has ended, by its menu or its close box; the windows may go.
    void ended();
    // The ball has stood still in play, caught by the level.
    void stoodStill(const Standstill& at);

private:
    void step();
    void handBack();
    void look();
    void keepToTheLevel();
    void watchTheBall();

    std::unique_ptr<GameWindows> game;
    int32 level = 0;
    StandstillWatch stillWatch;
    QTimer replay;
    // Looks at the ball after every frame tick, so that the window can say where it went through
    // a bar.
    QTimer watching;
    PassWatch watch;
    std::vector<InputEvent> script;
    std::size_t next = 0;
    bool stepping = false;
};
