// The input gate: which of the player's events and which timers reach the rules in each situation
// the windows can be in.
#include <QtTest>
#include <optional>

#include "tests/testgame.h"

namespace {

enum class Situation {
    InPlay,          // a round running, nothing in front of the main window
    StartWindows,    // the main window disabled behind the start windows
    DialogShowing,   // a ball fell, the round-end dialog shows over the disabled main window
    BoxOpen,         // a round running, a message box open in front
    DialogUnderBox,  // the round-end dialog shows, and a box over it
};

}  // namespace

Q_DECLARE_METATYPE(Situation)

class TestInputGate : public QObject {
    Q_OBJECT

private slots:
    void reaches_data();
    void reaches();
};

// What gets through: the pointer steers the paddle, the menu pauses, the dialog's button ends the
// round, the frame tick moves the ball.
void TestInputGate::reaches_data() {
    QTest::addColumn<Situation>("situation");
    QTest::addColumn<bool>("pointer");
    QTest::addColumn<bool>("menu");
    QTest::addColumn<bool>("dialog");
    QTest::addColumn<bool>("tick");

    QTest::newRow("in play") << Situation::InPlay << true << true << false << true;
    QTest::newRow("start windows") << Situation::StartWindows << false << false << false << true;
    QTest::newRow("dialog showing") << Situation::DialogShowing << false << false << true << false;
    QTest::newRow("box open") << Situation::BoxOpen << false << false << false << true;
    QTest::newRow("box over the dialog")
        << Situation::DialogUnderBox << false << false << false << false;
}

void TestInputGate::reaches() {
    QFETCH(Situation, situation);
    QFETCH(bool, pointer);
    QFETCH(bool, menu);
    QFETCH(bool, dialog);
    QFETCH(bool, tick);

    TestGame t;
    TForm1& f = t.form;
    InputGate& gate = t.game.Input;
    t.startRound();
    if (situation == Situation::StartWindows) {
        f.setEnabled(false);
    }
    if (situation == Situation::DialogShowing || situation == Situation::DialogUnderBox) {
        TestGame::park(f.fanger);
        t.ticks(100);
        QVERIFY(t.game.Form2.Visible);
    }
    std::optional<InputGate::ModalBox> box;
    if (situation == Situation::BoxOpen || situation == Situation::DialogUnderBox) {
        box.emplace(gate);
    }

    const int32 paddle = f.fanger.Left;
    gate.move(paddle + 300, 300);
    const bool halted = f.halt;
    gate.menu(MenuCommand::Pause);
    const int32 levelnr = f.levelnr;
    gate.dialogButton();
    const int32 ballTop = f.ball.Top;
    gate.fire(GameTimer::FrameTick);

    QCOMPARE(f.fanger.Left != paddle, pointer);
    QCOMPARE(f.halt != halted, menu);
    QCOMPARE(f.levelnr != levelnr, dialog);
    // Unpaused by the menu or not, the tick runs whenever its timer is on.
    if (menu) {
        gate.menu(MenuCommand::Pause);
        gate.fire(GameTimer::FrameTick);
    }
    QCOMPARE(f.ball.Top != ballTop, tick);
}

QTEST_GUILESS_MAIN(TestInputGate)
#include "tst_inputgate.moc"
