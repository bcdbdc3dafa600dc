#include "designer/editor/testplay.h"

#include <QApplication>
#include <QWidget>

#include "app/gamewindows.h"
#include "app/mainwindow.h"
#include "headless/headlessgame.h"
#include "play/tickperiod.h"

namespace {

// A test play goes straight into the level: no start windows, the main window takes input at
// once, and the end of the game leaves the editor running.
class StraightIn : public StartSequence {
public:
    void afterMainWindow(GameWindows&) override {}
    void afterLastWindow(GameWindows& windows) override { windows.letThePlayerIn(); }
    QWidget* inFront() const override { return nullptr; }
    bool endsProgram() const override { return false; }
};

}  // namespace

TestPlay::TestPlay(const std::string& levelFile, int32 level, QObject* parent)
    : QObject(parent),
      game(std::make_unique<GameWindows>([levelFile] { return ProfileFile::fromText(levelFile); },
                                         std::make_unique<StraightIn>())),
      level(level) {
    setUpStandardStart(game->game(), level);
    game->refresh();
    game->Form1()->setWindowTitle(tr("Quirlon 95 – Testspiel Level %1").arg(level));
    connect(game.get(), &GameWindows::ended, this, &TestPlay::ended);
    connect(game.get(), &GameWindows::refreshed, this, &TestPlay::watchTheBall);
    connect(game.get(), &GameWindows::refreshed, this, &TestPlay::keepToTheLevel);
    replay.setTimerType(Qt::PreciseTimer);
    replay.setInterval(TickPeriodMs);
    connect(&replay, &QTimer::timeout, this, &TestPlay::step);
    watching.setInterval(TickPeriodMs);
    connect(&watching, &QTimer::timeout, this, &TestPlay::look);
    watching.start();
}

void TestPlay::look() {
    watch.observe(game->game().Form1);
    if (const std::optional<Passage>& passed = watch.found()) {
        watching.stop();
        game->Form1()->setWindowTitle(
            tr("Quirlon 95 – Testspiel Level %1 – der Ball ging bei %2, %3 durch %4")
                .arg(level)
                .arg(passed->left)
                .arg(passed->top)
                .arg(QString::fromStdString(passed->bar)));
    }
}

TestPlay::~TestPlay() = default;

void TestPlay::watchTheBall() {
    if (const std::optional<Standstill> found = stillWatch.observe(game->game().Form1)) {
        emit stoodStill(*found);
    }
}

// The start click lays out the level after `levelnr`; between rounds that must be this level.
void TestPlay::keepToTheLevel() {
    const TForm1& form = game->game().Form1;
    if (form.Label4.Visible && form.levelnr != sub32(level, 1)) {
        setUpStandardStart(game->game(), level);
        game->refresh();
    }
}

void TestPlay::showPlaythrough(std::vector<InputEvent> events) {
    script = std::move(events);
    next = 0;
    // The playthrough brings its own ticks and countdown steps, and the player only watches.
    game->holdTimers(true);
    qApp->installEventFilter(this);
    replay.start();
}

// Everything up to and including the next frame tick. The hand's box opens inside a tick and keeps
// its own event loop running until it is answered; the replay waits meanwhile.
void TestPlay::step() {
    if (stepping) {
        return;
    }
    stepping = true;
    while (next < script.size()) {
        const InputEvent event = script[next++];
        deliverEvent(game->game().Input, event, [] { return false; });
        if (event.kind == InputEvent::Tick) {
            break;
        }
    }
    game->refresh();
    stepping = false;
    if (next == script.size()) {
        handBack();
    }
}

void TestPlay::handBack() {
    replay.stop();
    qApp->removeEventFilter(this);
    game->holdTimers(false);
    game->refresh();
}

// While a playthrough plays, the player's mouse and keys do not reach the game's main window; its
// close box does. The window stays enabled: a message box of the game would open on it and be
// disabled with it.
bool TestPlay::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != static_cast<QWidget*>(game->Form1())) {
        return false;
    }
    switch (event->type()) {
        case QEvent::ShortcutOverride:
            // Taken, so that no menu shortcut fires either.
            event->accept();
            return true;
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
            return true;
        default:
            return false;
    }
}
