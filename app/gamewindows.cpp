#include "app/gamewindows.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QWindow>

#include "app/infrontof.h"
#include "app/mainwindow.h"
#include "app/roundenddialog.h"
#include "levels/levelfilelocation.h"
#include "windows/aboutbox.h"

GameWindows::GameWindows(const std::filesystem::path& executableDir)
    : GameWindows([executableDir] { return ProfileFile(findLevelFile(executableDir)); },
                  std::make_unique<StartWindows>()) {}

GameWindows::GameWindows(TForm1::LevelFileOpener openLevelFile,
                         std::unique_ptr<StartSequence> startSequence)
    : theGame(platform, std::move(openLevelFile)),
      sequence(std::move(startSequence)),
      startWindows(dynamic_cast<StartWindows*>(sequence.get())) {
    platform.setInputGate(theGame.Input);
    if (!sequence->endsProgram()) {
        // Posted by the platform, so these windows may be gone by then.
        platform.setQuit([self = QPointer<GameWindows>(this)] {
            if (self) {
                emit self->ended();
            }
        });
    }
    createMainWindow();
    sequence->afterMainWindow(*this);
    createRoundEndDialog();
    form4 = std::make_unique<AboutBox>();
    platform.setWindow(Window::Form4, form4.get());
    sequence->afterLastWindow(*this);
    connect(&timers, &DesktopTimers::fired, this, &GameWindows::refresh);
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, &GameWindows::followActivation);
    qApp->installEventFilter(this);
}

GameWindows::~GameWindows() = default;

void GameWindows::refresh() {
    form1->refresh();
    if (form2) {
        form2->refresh();
    }
    timers.follow();
    emit refreshed();
}

void GameWindows::holdTimers(bool held) {
    timers.hold(held);
}

void GameWindows::createMainWindow() {
    form1 = std::make_unique<MainWindow>(theGame);
    platform.setMainWindow(form1.get());
    connect(form1.get(), &MainWindow::handled, this, &GameWindows::refresh);
    // The creation handler checks the level file before any window shows; the window comes up
    // disabled and stays so until the start windows have been read.
    theGame.Form1.FormCreate();
    form1->setEnabled(theGame.Form1.Enabled);
    form1->adjustSize();
    const QRect screen = form1->screen()->availableGeometry();
    form1->move(screen.center() - form1->frameGeometry().center() + form1->pos());
    form1->show();
}

void GameWindows::createRoundEndDialog() {
    form2 = std::make_unique<RoundEndDialog>(theGame);
    keepInFrontOfTheMainWindow(form2.get());
    platform.setWindow(Window::Form2, form2.get());
    connect(form2.get(), &RoundEndDialog::handled, this, &GameWindows::refresh);
    // The focus that arrives once the dialog shows is no return to it.
    connect(form2.get(), &RoundEndDialog::shown, this,
            [this] { lastFocused = form2->windowHandle(); });
}

void GameWindows::adopt(Window which, QWidget* window) {
    keepInFrontOfTheMainWindow(window);
    platform.setWindow(which, window);
}

void GameWindows::show(Window which) {
    platform.showWindow(which);
}

void GameWindows::letThePlayerIn() {
    theGame.Form1.setEnabled(true);
    refresh();
}

// The windows shown over the disabled main window belong to it.
void GameWindows::keepInFrontOfTheMainWindow(QWidget* window) {
    keepInFrontOf(window, form1.get());
}

// The round-end dialog restarts its flight whenever the focus comes back to it from another
// window of the program; coming back from another application leaves it flying.
void GameWindows::followActivation(QWindow* focused) {
    if (!focused) {
        return;
    }
    // A disabled window (a message box disables it too) cannot be activated: the window in front
    // of it keeps the activation, and nothing has left it.
    if (focused == form1->windowHandle() && !form1->isEnabled()) {
        handActivationOn();
        return;
    }
    QWindow* dialog = form2->windowHandle();
    const bool cameBack =
        focused == dialog && lastFocused && lastFocused != dialog && theGame.Form2.Visible;
    lastFocused = focused;
    if (cameBack) {
        theGame.Form2.FormActivate();
        refresh();
    }
}

// The window in front of the disabled main window: a message box, else the round-end dialog or
// the window of the start sequence that shows.
QWidget* GameWindows::windowInFront() const {
    QWidget* front = platform.messageBox();
    if (!front && form2->isVisible()) {
        front = form2.get();
    }
    if (!front) {
        front = sequence->inFront();
    }
    return front;
}

// A compositor that activates only what the player clicks (sway by default) leaves the keyboard
// with the disabled main window; its keys belong to the window in front, whose button they press.
bool GameWindows::eventFilter(QObject* watched, QEvent* event) {
    const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!key || !widget || widget->window() != form1.get() || form1->isEnabled()) {
        return false;
    }
    QWidget* front = windowInFront();
    if (!front) {
        return false;
    }
    const auto* pressed = static_cast<QKeyEvent*>(event);
    QKeyEvent copy(pressed->type(), pressed->key(), pressed->modifiers(), pressed->text(),
                   pressed->isAutoRepeat(), pressed->count());
    QApplication::sendEvent(front->focusWidget() ? front->focusWidget() : front, &copy);
    return true;
}

void GameWindows::handActivationOn() {
    QWidget* front = windowInFront();
    if (!front) {
        return;
    }
    // A Wayland compositor raises and activates only on request, for the player's input.
    if (wayland.available()) {
        wayland.handOn(form1->windowHandle(), front->windowHandle());
    } else {
        front->raise();
        front->activateWindow();
    }
}
