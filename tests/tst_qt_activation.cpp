// The windows shown over the disabled main window belong to it and keep the activation whatever
// the desktop does with the main window; the round-end dialog runs its activation once per
// showing.
#include <QtTest>

#include "app/mainwindow.h"
#include "app/playfield.h"
#include "app/roundenddialog.h"
#include "tests/qtgamefixture.h"

namespace {

enum Front { TheStartScreen, HelpOnElements, HelpOnBuying, RoundEnd };

// Starts a round with the paddle out of the way and runs the frame tick by hand until the ball
// is lost, so that the desktop's answer to the dialog's showing is still to come.
void loseTheBall(GameWindows& windows) {
    // The player is in the main window, as after any click on it.
    windows.Form1()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(windows.Form1()));
    QTest::mouseClick(windows.Form1()->field(), Qt::LeftButton, {}, QPoint(300, 200));
    TForm1& form = windows.game().Form1;
    form.fanger.Top = 1000;
    for (int tick = 0; tick < 5000 && !windows.game().Form2.Visible; ++tick) {
        windows.game().Input.fire(GameTimer::FrameTick);
    }
    windows.refresh();
    QVERIFY(windows.Form2()->isVisible());
}

// Flies the message on by hand and then holds it, so that only a new activation can start the
// flight again from its corner. Gives the step count where it is held.
int32 flyAndHold(GameWindows& windows, int steps) {
    TForm2& form2 = windows.game().Form2;
    for (int i = 0; i < steps; ++i) {
        windows.game().Input.fire(GameTimer::Flight);
    }
    form2.Timer2.Enabled = false;
    windows.refresh();
    return windows.game().Form1.durchgang;
}

QWidget* bringUp(QtGameFixture& fixture, Front front) {
    GameWindows& windows = front == RoundEnd ? fixture.enter() : fixture.open();
    QDialog* sequence[] = {windows.Form3(), windows.Form5(), windows.Form6()};
    if (front == RoundEnd) {
        loseTheBall(windows);
        return windows.Form2();
    }
    for (int before = 0; before < front; ++before) {
        sequence[before]->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
    }
    return sequence[front];
}

}  // namespace

class TestActivation : public QObject {
    Q_OBJECT

private slots:
    void theWindowsInFrontBelongToTheMainWindow();
    void activatingTheDisabledMainWindowHandsItOn_data();
    void activatingTheDisabledMainWindowHandsItOn();
    void showingTheDialogRunsItsActivationOnce();
    void keysOfTheDisabledMainWindowPressTheButtonInFront_data() {
        activatingTheDisabledMainWindowHandsItOn_data();
    }
    void keysOfTheDisabledMainWindowPressTheButtonInFront();
    void keysTheDesktopGivesTheMainWindowAnswerABox_data();
    void keysTheDesktopGivesTheMainWindowAnswerABox();
    void aMessageBoxBelongsToTheWindowItOpensOver();
};

void TestActivation::theWindowsInFrontBelongToTheMainWindow() {
    QtGameFixture fixture;
    GameWindows& windows = fixture.open();
    QWindow* main = windows.Form1()->windowHandle();
    QVERIFY(!windows.Form1()->isEnabled());
    for (QWidget* window : std::initializer_list<QWidget*>{windows.Form3(), windows.Form5(),
                                                           windows.Form6(), windows.Form2()}) {
        // A window still to come has no native window yet; it learns its owner as it shows.
        QCOMPARE(window->testAttribute(Qt::WA_WState_Created), window == windows.Form3());
        window->show();
        QCOMPARE(window->windowHandle()->transientParent(), main);
        // Still windows of their own: the disabled main window leaves them enabled.
        QVERIFY(window->isWindow());
        QVERIFY(window->isEnabled());
    }
    QVERIFY(!windows.Form2()->isModal());
    // The about box is an ordinary window beside the main window.
    windows.Form4()->show();
    QVERIFY(windows.Form4()->windowHandle()->transientParent() != main);
}

void TestActivation::activatingTheDisabledMainWindowHandsItOn_data() {
    QTest::addColumn<int>("front");

    QTest::newRow("start screen") << int(TheStartScreen);
    QTest::newRow("help on the elements") << int(HelpOnElements);
    QTest::newRow("help on buying") << int(HelpOnBuying);
    QTest::newRow("round-end dialog") << int(RoundEnd);
}

void TestActivation::activatingTheDisabledMainWindowHandsItOn() {
    QFETCH(int, front);

    QtGameFixture fixture;
    QWidget* window = bringUp(fixture, Front(front));
    GameWindows& windows = *fixture.windows;
    QVERIFY(QTest::qWaitForWindowActive(window));
    const int32 held = front == RoundEnd ? flyAndHold(windows, 30) : 0;

    QSignalSpy focus(qGuiApp, &QGuiApplication::focusWindowChanged);
    const auto reached = [&focus](QWindow* window) {
        return std::ranges::any_of(focus, [window](const QList<QVariant>& arguments) {
            return arguments.first().value<QWindow*>() == window;
        });
    };
    windows.Form1()->activateWindow();
    QTRY_VERIFY(reached(windows.Form1()->windowHandle()));
    QTRY_COMPARE(QGuiApplication::focusWindow(), window->windowHandle());
    QVERIFY(!windows.Form1()->isEnabled());
    QVERIFY(window->isVisible());
    if (front == RoundEnd) {
        // Nothing left the dialog, so its flight goes on where it was.
        QCOMPARE(windows.game().Form1.durchgang, held);
        QVERIFY(!windows.game().Form2.Timer2.Enabled);
    }
}

void TestActivation::showingTheDialogRunsItsActivationOnce() {
    QtGameFixture fixture;
    GameWindows& windows = fixture.enter();
    loseTheBall(windows);
    // The focus arrives after the dialog has shown; it must not start the flight again.
    const int32 held = flyAndHold(windows, 30);
    QTRY_COMPARE(QGuiApplication::focusWindow(), windows.Form2()->windowHandle());
    QCOMPARE(windows.game().Form1.durchgang, held);
    QVERIFY(!windows.game().Form2.Timer2.Enabled);
}

// A desktop that leaves the keyboard with the disabled main window does not cost the player the
// window in front: Return there presses its button.
void TestActivation::keysOfTheDisabledMainWindowPressTheButtonInFront() {
    QFETCH(int, front);

    QtGameFixture fixture;
    QWidget* window = bringUp(fixture, Front(front));
    GameWindows& windows = *fixture.windows;
    QVERIFY(!windows.Form1()->isEnabled());
    QTest::keyClick(windows.Form1()->field(), Qt::Key_Return);
    QVERIFY(!window->isVisible());
    QCOMPARE(windows.game().Form2.Visible, false);
}

void TestActivation::keysTheDesktopGivesTheMainWindowAnswerABox_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("Return") << int(Qt::Key_Return);
    QTest::newRow("Space") << int(Qt::Key_Space);
}

// A message box holds the program's windows by disabling them: a key the desktop leaves with the
// main window, delivered as the desktop delivers it, still answers the box; no window is closed
// under it (another program's window, as in the level editor's test play); all come back after.
void TestActivation::keysTheDesktopGivesTheMainWindowAnswerABox() {
    QFETCH(int, key);

    QtGameFixture fixture;
    GameWindows& windows = fixture.enter();
    QWidget other;
    other.show();
    bool answered = false;
    std::function<void()> underTheBox = [&] {
        QMessageBox* box = shownMessageBox();
        if (!box || !QTest::qWaitForWindowActive(box)) {
            QTimer::singleShot(0, underTheBox);
            return;
        }
        other.close();
        QTest::keyClick(windows.Form1()->windowHandle(), Qt::Key(key));
        answered = !box->isVisible();
        box->reject();
    };
    QTimer::singleShot(0, underTheBox);
    windows.game().Form1.N1Levelkaufenkostet20000Punkte1Click();
    QVERIFY(answered);
    for (const QWidget* window : {static_cast<QWidget*>(windows.Form1()), &other}) {
        QVERIFY(window->isVisible());
        QVERIFY(window->isEnabled());
    }
}

// A message box is made and shown at once, in front of the window the player is in.
void TestActivation::aMessageBoxBelongsToTheWindowItOpensOver() {
    QtGameFixture fixture;
    GameWindows& windows = fixture.enter();
    windows.Form1()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(windows.Form1()));
    QWindow* owner = nullptr;
    std::function<void()> answer = [&] {
        QMessageBox* box = shownMessageBox();
        if (!box) {
            QTimer::singleShot(0, answer);
            return;
        }
        owner = box->windowHandle()->transientParent();
        box->reject();
    };
    QTimer::singleShot(0, answer);
    windows.game().Form1.N1Levelkaufenkostet20000Punkte1Click();
    QCOMPARE(owner, windows.Form1()->windowHandle());
}

QTEST_MAIN(TestActivation)
#include "tst_qt_activation.moc"
