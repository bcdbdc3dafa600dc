// The flow of a game: the start click, the point countdown, the pause, buying, the round-end
// dialog and how a round, a level and a game end.
#include <QtTest>

#include "tests/testgame.h"

namespace {

constexpr int LevelCount = 9;
constexpr int LevelMark = 300;

// Nine levels that tell themselves apart by hinder1's Left, 300 plus the level's number; every
// other element is left out of the level, and the bar lies far right of the ball's fall.
QString numberedLevels() {
    QString text;
    for (int level = 1; level <= LevelCount; ++level) {
        text += QStringLiteral(
                    "[%1]\nhinder1.left=%2\nhinder1.top=100\nhinder1.width=100\n"
                    "hinder1.height=30\n")
                    .arg(level)
                    .arg(LevelMark + level);
        for (const ElementId id : LevelElements) {
            if (id != LevelElements.front()) {
                text += QString::fromLatin1(id.name().data(), qsizetype(id.name().size())) +
                        QStringLiteral(".visible=0\n");
            }
        }
    }
    return text;
}

// The level that the last level load laid out.
int laidOut(const TForm1& f) {
    return f.hinder1.Left - LevelMark;
}

// Where a game can stand when the player acts.
enum class Situation {
    StartUp,        // waiting for the first start click
    InPlay,         // a round running
    Paused,         // a round paused
    DialogShowing,  // the points ran out, the round-end dialog shows
    AfterLoss,      // a ball fell, the dialog was closed
    AfterRunOut,    // the points ran out, the dialog was closed
    AfterHand,      // the level was finished
    AfterPurchase,  // a level was bought during the round
};

// Clicks the start prompt with the paddle and the red bar then taken out of the ball's way, so
// that nothing but the floor ends the ball's fall.
void startLevel(TestGame& t, int level) {
    TForm1& f = t.form;
    f.levelnr = level - 1;
    f.Label4Click();
    TestGame::park(f.fanger);
    TestGame::park(f.hinder7);
}

void dropBall(TestGame& t) {
    TestGame::park(t.form.fanger);
    t.ticks(100);
    QVERIFY(!t.form.Timer1.Enabled);
    QVERIFY(t.game.Form2.Visible);
}

// Counts down until the countdown takes a ball.
void runOutOfPoints(TestGame& t) {
    for (int steps = 0; !t.game.Form2.Visible && steps < 1000; ++steps) {
        t.form.Timer2Timer();
    }
    QVERIFY(t.game.Form2.Visible);
}

void reachHand(TestGame& t) {
    TForm1& f = t.form;
    TestGame::put(f.dig11, f.ball.Left, f.ball.Top, 49, 60);
    QCOMPARE(t.ticks(1), 1);
    QVERIFY(f.Label4.Visible);
}

// Plays level `level` up to the situation.
void enter(TestGame& t, Situation situation, int level = 1) {
    TForm1& f = t.form;
    if (situation == Situation::StartUp) {
        f.levelnr = level - 1;
        return;
    }
    startLevel(t, level);
    switch (situation) {
        case Situation::StartUp:
        case Situation::InPlay:
            break;
        case Situation::Paused:
            f.Button1Click();
            QVERIFY(f.halt);
            break;
        case Situation::DialogShowing:
            runOutOfPoints(t);
            break;
        case Situation::AfterLoss:
            dropBall(t);
            t.game.Form2.Label2Click();
            break;
        case Situation::AfterRunOut:
            runOutOfPoints(t);
            t.game.Form2.Label2Click();
            break;
        case Situation::AfterHand:
            reachHand(t);
            break;
        case Situation::AfterPurchase:
            f.punkte = 10000;
            f.N1Levelkaufenkostet20000Punkte1Click();
            break;
    }
    t.platform.messages.clear();
    t.platform.beeps = 0;
}

enum class Cause { Fall, Points };

void endRound(TestGame& t, Cause cause) {
    if (cause == Cause::Fall) {
        dropBall(t);
    } else {
        t.form.punkte = 10;
        t.form.Timer2Timer();
    }
}

const QString AgainFromLevel1 = QStringLiteral(
    "Sie können jetzt noch einmal mit Level 1 beginnen, wenn Sie wollen. Viel Spaß!");

}  // namespace

Q_DECLARE_METATYPE(Situation)
Q_DECLARE_METATYPE(Cause)

class TestGameFlow : public QObject {
    Q_OBJECT

private slots:
    void countdown_data();
    void countdown();
    void countdownStandsStill_data();
    void countdownStandsStill();
    void ballPurchase_data();
    void ballPurchase();
    void levelPurchase_data();
    void levelPurchase();
    void shortOfPointsFreezes_data();
    void shortOfPointsFreezes();
    void pause_data();
    void pause();
    void pauseMark_data();
    void pauseMark();
    void dialogText_data();
    void dialogText();
    void roundEnd_data();
    void roundEnd();
    void levelFileGoneAtNewGame();
    void hand_data();
    void hand();
    void flightStep_data();
    void flightStep();
    void wholeFlight();
    void blink_data();
    void blink();
    void activation_data();
    void activation();
    void timersOutliveClose();
};

void TestGameFlow::countdown_data() {
    QTest::addColumn<int>("stepsBefore");  // from 1000 points
    QTest::addColumn<bool>("penny");       // collected after those steps
    QTest::addColumn<int>("stepsAfter");
    QTest::addColumn<int>("punkte");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<int>("beeps");
    QTest::addColumn<bool>("ballTaken");

    QTest::newRow("49th step: 510, no warning") << 49 << false << 0 << 510 << "" << 0 << false;
    QTest::newRow("50th step warns and beeps")
        << 50 << false << 0 << 500 << "noch 500 Punkte!" << 1 << false;
    QTest::newRow("51st step beeps again")
        << 51 << false << 0 << 490 << "noch 490 Punkte!" << 2 << false;
    QTest::newRow("99th step") << 99 << false << 0 << 10 << "noch 10 Punkte!" << 50 << false;
    QTest::newRow("100th step takes a ball") << 100 << false << 0 << 1000 << "" << 51 << true;
    QTest::newRow("penny lifts a warning of 500") << 50 << true << 1 << 740 << "" << 1 << false;
    QTest::newRow("penny to 520: the step lands on 510, above the warning")
        << 73 << true << 1 << 510 << "" << 24 << false;
    QTest::newRow("penny to 510: the step lands on 500 and warns")
        << 74 << true << 1 << 500 << "noch 500 Punkte!" << 26 << false;
}

void TestGameFlow::countdown() {
    QFETCH(int, stepsBefore);
    QFETCH(bool, penny);
    QFETCH(int, stepsAfter);
    QFETCH(int, punkte);
    QFETCH(QString, warning);
    QFETCH(int, beeps);
    QFETCH(bool, ballTaken);

    TestGame t(numberedLevels());
    TForm1& f = t.form;
    TForm2& dialog = t.game.Form2;
    startLevel(t, 1);
    for (int i = 0; i < stepsBefore; ++i) {
        f.Timer2Timer();
    }
    if (penny) {
        TestGame::put(f.dig1, f.ball.Left, f.ball.Top, 39, 40);
        QCOMPARE(t.ticks(1), 1);
        QCOMPARE(f.dig1.Left, -1000);
    }
    for (int i = 0; i < stepsAfter; ++i) {
        f.Timer2Timer();
    }

    QCOMPARE(f.punkte, punkte);
    QCOMPARE(q(f.Label5.Caption), warning);
    QCOMPARE(t.platform.beeps, beeps);
    QCOMPARE(f.baelle, ballTaken ? 1 : 2);
    QCOMPARE(dialog.Visible, ballTaken);
    QCOMPARE(f.halt, ballTaken);
    QVERIFY(t.platform.messages.empty());
    if (ballTaken) {
        QCOMPARE(q(dialog.Label1.Caption), QString("0 Punkte! ==> 1 Ball weniger!"));
        // The timer stays on: halt alone keeps the ball still while the dialog shows.
        QCOMPARE(f.Timer1.Enabled, true);
        QCOMPARE(f.Enabled, false);
    } else {
        QCOMPARE(q(f.Label3.Caption), QStringLiteral("%1").arg(punkte, 6, 10, QChar('0')));
    }
}

void TestGameFlow::countdownStandsStill_data() {
    QTest::addColumn<Situation>("situation");

    QTest::newRow("at start-up") << Situation::StartUp;
    QTest::newRow("paused") << Situation::Paused;
    QTest::newRow("dialog showing") << Situation::DialogShowing;
    QTest::newRow("after a lost ball") << Situation::AfterLoss;
    QTest::newRow("after the points ran out") << Situation::AfterRunOut;
    QTest::newRow("after a finished level") << Situation::AfterHand;
    QTest::newRow("after a bought level") << Situation::AfterPurchase;
}

void TestGameFlow::countdownStandsStill() {
    QFETCH(Situation, situation);

    TestGame t(numberedLevels());
    TForm1& f = t.form;
    enter(t, situation);
    f.punkte = 20;
    f.setCaption(f.Label3, "-");
    for (int i = 0; i < 5; ++i) {
        f.Timer2Timer();
    }

    QCOMPARE(f.punkte, 20);
    QCOMPARE(q(f.Label3.Caption), QString("-"));
    QCOMPARE(t.platform.beeps, 0);
}

void TestGameFlow::ballPurchase_data() {
    QTest::addColumn<int>("punkte");
    QTest::addColumn<int>("baelle");  // after the purchase
    QTest::addColumn<int>("left");    // points after the purchase
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("ballTaken");  // by the countdown step after it

    QTest::newRow("3000 leaves 0") << 3000 << 3 << 0 << "000000" << true;
    QTest::newRow("3005 leaves 5") << 3005 << 3 << 5 << "000005" << true;
    QTest::newRow("3010 leaves 10, the step lands on 0") << 3010 << 3 << 10 << "000010" << true;
    QTest::newRow("3011 leaves 11, the step lands on 1") << 3011 << 3 << 11 << "000011" << false;
    QTest::newRow("4234 leaves 1234") << 4234 << 3 << 1234 << "001234" << false;
    QTest::newRow("2999 is too few") << 2999 << 2 << 2999 << "002999" << false;
}

void TestGameFlow::ballPurchase() {
    QFETCH(int, punkte);
    QFETCH(int, baelle);
    QFETCH(int, left);
    QFETCH(QString, shown);
    QFETCH(bool, ballTaken);

    TestGame t(numberedLevels());
    TForm1& f = t.form;
    TForm2& dialog = t.game.Form2;
    f.punkte = punkte;
    startLevel(t, 1);
    f.N1Ballkaufenkostet5000Punkte1Click();

    QCOMPARE(f.baelle, baelle);
    QCOMPARE(f.punkte, left);
    QCOMPARE(q(f.Label2.Caption), QStringLiteral("%1 Bälle").arg(baelle));
    // The points display follows the purchase at once.
    QCOMPARE(q(f.Label3.Caption), shown);
    const bool bought = baelle == 3;
    QCOMPARE(t.platform.messages.size(), std::size_t{bought ? 0u : 1u});
    if (!bought) {
        QCOMPARE(q(t.platform.messages.front()), QString("Zuwenig Punkte"));
    }

    f.Timer2Timer();
    QCOMPARE(dialog.Visible, ballTaken);
    QCOMPARE(f.baelle, ballTaken ? baelle - 1 : baelle);
    QCOMPARE(f.punkte, ballTaken ? 1000 : left - 10);
    if (ballTaken) {
        QCOMPARE(q(dialog.Label1.Caption), QString("0 Punkte! ==> 1 Ball weniger!"));
    }
}

void TestGameFlow::levelPurchase_data() {
    QTest::addColumn<Situation>("situation");
    QTest::addColumn<int>("level");  // the level being played or last laid out
    QTest::addColumn<int>("punkte");
    QTest::addColumn<int>("levelnr");  // after the purchase
    QTest::addColumn<int>("next");     // the level the next start click lays out

    QTest::newRow("in play, 10000") << Situation::InPlay << 1 << 10000 << 1 << 2;
    QTest::newRow("in play, 12345") << Situation::InPlay << 3 << 12345 << 3 << 4;
    QTest::newRow("in play, 9999") << Situation::InPlay << 1 << 9999 << 1 << 0;
    QTest::newRow("paused, 10000") << Situation::Paused << 2 << 10000 << 2 << 3;
    QTest::newRow("in play at the last level") << Situation::InPlay << 7 << 10000 << 7 << 8;
    // While the start prompt shows, the bought level is the one the next start skips.
    QTest::newRow("at start-up, 10000") << Situation::StartUp << 1 << 10000 << 1 << 2;
    QTest::newRow("at start-up, 9999") << Situation::StartUp << 1 << 9999 << 0 << 1;
    QTest::newRow("after a finished level") << Situation::AfterHand << 2 << 10000 << 3 << 4;
    QTest::newRow("after a lost ball") << Situation::AfterLoss << 2 << 10000 << 2 << 3;
    QTest::newRow("after a lost ball, 9999") << Situation::AfterLoss << 2 << 9999 << 1 << 2;
    QTest::newRow("after the points ran out") << Situation::AfterRunOut << 2 << 10000 << 2 << 3;
    QTest::newRow("after a bought level") << Situation::AfterPurchase << 2 << 10000 << 3 << 4;
}

void TestGameFlow::levelPurchase() {
    QFETCH(Situation, situation);
    QFETCH(int, level);
    QFETCH(int, punkte);
    QFETCH(int, levelnr);
    QFETCH(int, next);

    TestGame t(numberedLevels());
    TForm1& f = t.form;
    enter(t, situation, level);
    const bool waiting = f.Label4.Visible;
    const bool haltBefore = f.halt;
    const int32 baelle = f.baelle;
    f.punkte = punkte;
    f.setCaption(f.Label3, "-");
    f.N1Levelkaufenkostet20000Punkte1Click();

    const bool bought = punkte >= 10000;
    QCOMPARE(f.levelnr, levelnr);
    QCOMPARE(q(f.Label1.Caption), QStringLiteral("Level %1").arg(levelnr));
    QCOMPARE(f.punkte, bought ? punkte - 10000 : punkte);
    QCOMPARE(q(f.Label3.Caption),
             bought ? QStringLiteral("%1").arg(punkte - 10000, 6, 10, QChar('0')) : QString("-"));
    QCOMPARE(f.baelle, baelle);
    QCOMPARE(f.halt, bought || haltBefore);
    QCOMPARE(f.Label4.Visible, bought || waiting);
    QCOMPARE(f.fanger.Top, bought || waiting ? 1000 : 404);
    QCOMPARE(f.Enabled, true);
    QCOMPARE(t.game.Form2.Visible, false);
    QCOMPARE(t.platform.messages.size(), std::size_t{bought ? 0u : 1u});
    if (!bought) {
        QCOMPARE(q(t.platform.messages.front()), QString("Zuwenig Punkte"));
    }

    if (f.Label4.Visible) {
        f.Label4Click();
        QCOMPARE(laidOut(f), next);
        QCOMPARE(f.levelnr, next);
    }
}

void TestGameFlow::shortOfPointsFreezes_data() {
    QTest::addColumn<Situation>("situation");
    QTest::addColumn<bool>("level");  // buying a level, else a ball

    QTest::newRow("ball, in play") << Situation::InPlay << false;
    QTest::newRow("level, in play") << Situation::InPlay << true;
    QTest::newRow("ball, paused") << Situation::Paused << false;
    QTest::newRow("level, paused") << Situation::Paused << true;
    QTest::newRow("ball, after a lost ball") << Situation::AfterLoss << false;
    QTest::newRow("level, at start-up") << Situation::StartUp << true;
}

void TestGameFlow::shortOfPointsFreezes() {
    QFETCH(Situation, situation);
    QFETCH(bool, level);

    TestGame t(numberedLevels());
    TForm1& f = t.form;
    enter(t, situation);
    // A few ticks from the floor: a ball left running inside the box would be lost there.
    t.putBall(100, 400);
    f.bewx = 0;
    f.bewy = 3000;
    f.punkte = 20;
    const bool haltBefore = f.halt;
    bool haltInBox = false;
    t.platform.whileMessageOpen = [&](const std::string&) {
        haltInBox = f.halt;
        t.ticks(10);
        for (int i = 0; i < 3; ++i) {
            f.Timer2Timer();
        }
    };
    if (level) {
        f.N1Levelkaufenkostet20000Punkte1Click();
    } else {
        f.N1Ballkaufenkostet5000Punkte1Click();
    }

    QCOMPARE(t.platform.messages.size(), std::size_t{1});
    QCOMPARE(haltInBox, true);
    QCOMPARE(f.halt, haltBefore);
    QCOMPARE(leftTop(f.ball), QPoint(100, 400));
    QCOMPARE(f.punkte, 20);
    QCOMPARE(f.baelle, situation == Situation::AfterLoss ? 1 : 2);
    QCOMPARE(t.game.Form2.Visible, false);
    QCOMPARE(t.platform.beeps, 0);
    if (situation == Situation::InPlay) {
        // The box closed, the round goes on.
        QCOMPARE(t.ticks(1), 1);
        QCOMPARE(f.ball.Top, 402);
    }
}

void TestGameFlow::pause_data() {
    QTest::addColumn<Situation>("situation");
    QTest::addColumn<bool>("acts");

    QTest::newRow("in play") << Situation::InPlay << true;
    QTest::newRow("paused") << Situation::Paused << true;
    // Outside a round a pause would set the ball running under the start prompt.
    QTest::newRow("at start-up") << Situation::StartUp << false;
    QTest::newRow("after a finished level") << Situation::AfterHand << false;
    QTest::newRow("after a bought level") << Situation::AfterPurchase << false;
    QTest::newRow("after the points ran out") << Situation::AfterRunOut << false;
    QTest::newRow("after a lost ball") << Situation::AfterLoss << false;
    QTest::newRow("dialog showing") << Situation::DialogShowing << false;
}

void TestGameFlow::pause() {
    QFETCH(Situation, situation);
    QFETCH(bool, acts);

    TestGame t(numberedLevels());
    TForm1& f = t.form;
    enter(t, situation);
    const bool haltBefore = f.halt;
    const bool markBefore = f.pauseChecked;
    f.Button1Click();

    QCOMPARE(f.halt, acts ? !haltBefore : haltBefore);
    QCOMPARE(f.pauseChecked, acts ? !markBefore : markBefore);
    QCOMPARE(f.pauseChecked, acts && f.halt);

    // Whether the ball and the countdown run now follows from the round alone.
    const bool runs = situation == Situation::Paused;
    const QPoint ball = leftTop(f.ball);
    const int32 punkte = f.punkte;
    const int32 baelle = f.baelle;
    t.ticks(5);
    f.Timer2Timer();
    QCOMPARE(leftTop(f.ball) != ball, runs);
    QCOMPARE(f.punkte != punkte, runs);
    if (!runs) {
        QCOMPARE(f.baelle, baelle);
        QCOMPARE(t.game.Form2.Visible, situation == Situation::DialogShowing);
    }
}

void TestGameFlow::pauseMark_data() {
    QTest::addColumn<int>("punkte");
    QTest::addColumn<bool>("buyLevel");  // else click the start prompt with the mark set
    QTest::addColumn<bool>("mark");
    QTest::addColumn<bool>("halt");

    QTest::newRow("a bought level clears it") << 10000 << true << false << true;
    QTest::newRow("too few points for a level keep it") << 9999 << true << true << true;
    QTest::newRow("the start click clears it") << 0 << false << false << false;
}

void TestGameFlow::pauseMark() {
    QFETCH(int, punkte);
    QFETCH(bool, buyLevel);
    QFETCH(bool, mark);
    QFETCH(bool, halt);

    TestGame t(numberedLevels());
    TForm1& f = t.form;
    if (buyLevel) {
        enter(t, Situation::Paused);
        QCOMPARE(f.pauseChecked, true);
        f.punkte = punkte;
        f.N1Levelkaufenkostet20000Punkte1Click();
    } else {
        // No round ends while paused but by a bought level; the start click clears a stray mark
        // all the same.
        f.pauseChecked = true;
        f.Label4Click();
    }

    QCOMPARE(f.pauseChecked, mark);
    QCOMPARE(f.halt, halt);
}

void TestGameFlow::dialogText_data() {
    QTest::addColumn<Cause>("cause");
    QTest::addColumn<int>("baelle");  // before the round ends
    QTest::addColumn<QString>("text");

    QTest::newRow("fall, 4 balls") << Cause::Fall << 4 << "Sie haben noch 3 Bälle! ";
    QTest::newRow("fall, 3 balls") << Cause::Fall << 3 << "Sie haben noch 2 Bälle! ";
    QTest::newRow("fall, 2 balls") << Cause::Fall << 2 << "Sie haben noch einen Ball!";
    QTest::newRow("fall, last ball") << Cause::Fall << 1 << "Game over !";
    QTest::newRow("points, 3 balls") << Cause::Points << 3 << "0 Punkte! ==> 1 Ball weniger!";
    QTest::newRow("points, 2 balls") << Cause::Points << 2 << "0 Punkte! ==> 1 Ball weniger!";
    QTest::newRow("points, last ball") << Cause::Points << 1 << "0 Punkte, keine Bälle mehr!";
}

void TestGameFlow::dialogText() {
    QFETCH(Cause, cause);
    QFETCH(int, baelle);
    QFETCH(QString, text);

    TestGame t(numberedLevels());
    TForm1& f = t.form;
    TForm2& dialog = t.game.Form2;
    dialog.setMessage("-");
    f.baelle = baelle;
    startLevel(t, 3);
    f.punkte = cause == Cause::Fall ? 1234 : 10;
    f.setCaption(f.Label5, "noch 10 Punkte!");
    endRound(t, cause);

    QCOMPARE(q(dialog.Label1.Caption), text);
    QCOMPARE(dialog.Visible, true);
    QCOMPARE(t.platform.shown[Window::Form2], true);
    QCOMPARE(f.baelle, baelle - 1);
    QCOMPARE(f.punkte, cause == Cause::Fall ? 1234 : 1000);
    QCOMPARE(f.halt, cause == Cause::Points);
    QCOMPARE(f.Timer1.Enabled, cause == Cause::Points);
    QCOMPARE(f.levelnr, 3);
    // The activation: the main window shut, its displays at their placeholders, the message
    // flying from the corner.
    QCOMPARE(f.Enabled, false);
    QCOMPARE(t.platform.windowEnabled[Window::Form1], false);
    QCOMPARE(q(f.Label1.Caption), QString("Level <>"));
    QCOMPARE(q(f.Label2.Caption), QString("<> Bälle"));
    QCOMPARE(q(f.Label3.Caption), QString());
    QCOMPARE(q(f.Label5.Caption), QString());
    QCOMPARE(q(dialog.label2Caption), QString("Bitte hier klicken"));
    QCOMPARE(dialog.Timer2.Enabled, true);
    QCOMPARE(dialog.Label1.Visible, true);
    QVERIFY(t.platform.messages.empty());
}

void TestGameFlow::roundEnd_data() {
    QTest::addColumn<Cause>("cause");
    QTest::addColumn<int>("baelle");      // before the round ends
    QTest::addColumn<bool>("closeBox");   // else the button
    QTest::addColumn<bool>("lastLevel");  // played at level 7, else 3

    QTest::newRow("fall, 3 balls") << Cause::Fall << 3 << false << false;
    QTest::newRow("fall, 2 balls") << Cause::Fall << 2 << false << false;
    QTest::newRow("fall, 2 balls, close box") << Cause::Fall << 2 << true << false;
    QTest::newRow("fall, 2 balls, level 7") << Cause::Fall << 2 << false << true;
    QTest::newRow("fall, game over") << Cause::Fall << 1 << false << false;
    QTest::newRow("fall, game over, close box") << Cause::Fall << 1 << true << false;
    QTest::newRow("points, 2 balls") << Cause::Points << 2 << false << false;
    QTest::newRow("points, 2 balls, close box") << Cause::Points << 2 << true << false;
    QTest::newRow("points, game over") << Cause::Points << 1 << false << false;
    QTest::newRow("points, game over, close box") << Cause::Points << 1 << true << false;
    QTest::newRow("points, game over, level 7") << Cause::Points << 1 << false << true;
}

void TestGameFlow::roundEnd() {
    QFETCH(Cause, cause);
    QFETCH(int, baelle);
    QFETCH(bool, closeBox);
    QFETCH(bool, lastLevel);

    TestGame t(numberedLevels());
    TForm1& f = t.form;
    TForm2& dialog = t.game.Form2;
    const int level = lastLevel ? 7 : 3;
    f.baelle = baelle;
    f.punkte = 4321;
    startLevel(t, level);
    // What the round did to the field must not outlast it.
    f.hinder1.Left = 5;
    endRound(t, cause);
    const bool gameOver = baelle == 1;
    bool haltInBox = false;
    t.platform.whileMessageOpen = [&](const std::string&) { haltInBox = f.halt; };
    if (closeBox) {
        dialog.Close();
    } else {
        dialog.Label2Click();
    }

    QCOMPARE(dialog.Visible, false);
    QCOMPARE(t.platform.shown[Window::Form2], false);
    QCOMPARE(f.Enabled, true);
    QCOMPARE(t.platform.windowEnabled[Window::Form1], true);
    QCOMPARE(f.Label4.Visible, true);
    QCOMPARE(f.fanger.Top, 1000);
    if (gameOver) {
        QCOMPARE(t.platform.messages.size(), std::size_t{1});
        QCOMPARE(q(t.platform.messages.front()), AgainFromLevel1);
        // The box runs its own event loop; play must already stand still inside it.
        QCOMPARE(haltInBox, true);
        QCOMPARE(f.levelnr, 0);
        QCOMPARE(f.punkte, 1000);
        QCOMPARE(f.baelle, 2);
        QCOMPARE(q(f.Label1.Caption), QString("Level 1"));
        QCOMPARE(q(f.Label2.Caption), QString("2 Bälle"));
        QCOMPARE(q(f.Label3.Caption), QString("001000"));
        QCOMPARE(q(f.Label5.Caption), QString());
        QCOMPARE(f.halt, true);
        QCOMPARE(leftTop(f.ball), QPoint(0, 39));
    } else {
        QVERIFY(t.platform.messages.empty());
        QCOMPARE(f.levelnr, level - 1);
        QCOMPARE(f.baelle, baelle - 1);
        QCOMPARE(f.punkte, cause == Cause::Fall ? 4321 : 1000);
        // The placeholders of the activation stand until the next start.
        QCOMPARE(q(f.Label1.Caption), QString("Level <>"));
        QCOMPARE(q(f.Label2.Caption), QString("<> Bälle"));
        QCOMPARE(q(f.Label3.Caption), QString());
    }

    f.Label4Click();
    const int expected = gameOver ? 1 : level;
    QCOMPARE(f.levelnr, expected);
    QCOMPARE(laidOut(f), expected);
    QCOMPARE(q(f.Label1.Caption), QStringLiteral("Level %1").arg(expected));
    QCOMPARE(f.baelle, gameOver ? 2 : baelle - 1);
    QCOMPARE(q(f.Label3.Caption),
             gameOver || cause == Cause::Points ? QString("001000") : QString("004321"));
    QCOMPARE(f.halt, false);
    QCOMPARE(f.Timer1.Enabled, true);
}

void TestGameFlow::levelFileGoneAtNewGame() {
    TestGame t(numberedLevels());
    TForm1& f = t.form;
    startLevel(t, 2);
    f.baelle = 1;
    dropBall(t);
    QVERIFY(QFile::remove(QString::fromStdString(t.levelFile.string())));
    t.game.Form2.Label2Click();

    QCOMPARE(t.platform.quit, true);
    QCOMPARE(q(t.platform.messages.front()),
             QString("Datei fehlt: Bitte kopieren Sie die Datei 328lvd.ini in Ihr "
                     "Windows-Verzeichnis."));
}

void TestGameFlow::hand_data() {
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("next");  // laid out by the next start click
    QTest::addColumn<int>("punkte");
    QTest::addColumn<int>("baelle");

    // From 2000 points and 3 balls.
    QTest::newRow("level 1") << 1 << 2 << 2025 << 3;
    QTest::newRow("level 6") << 6 << 7 << 2150 << 3;
    QTest::newRow("level 7 begins a new game") << 7 << 1 << 1000 << 2;
    // Bought levels lead past the last one; only the hand of level 7 itself ends the run.
    QTest::newRow("level 8") << 8 << 9 << 2200 << 3;
}

void TestGameFlow::hand() {
    QFETCH(int, level);
    QFETCH(int, next);
    QFETCH(int, punkte);
    QFETCH(int, baelle);

    TestGame t(numberedLevels());
    TForm1& f = t.form;
    f.punkte = 2000;
    f.baelle = 3;
    startLevel(t, level);
    reachHand(t);

    QCOMPARE(f.halt, true);
    QCOMPARE(f.fanger.Top, 1000);
    QCOMPARE(f.punkte, punkte);
    QCOMPARE(f.baelle, baelle);
    QCOMPARE(t.platform.messages.size(), std::size_t{level == 7 ? 3u : 1u});
    QCOMPARE(f.levelnr, level == 7 ? 0 : level);
    QCOMPARE(t.game.Form2.Visible, false);

    f.Label4Click();
    QCOMPARE(f.levelnr, next);
    QCOMPARE(laidOut(f), next);
    QCOMPARE(f.punkte, punkte);
    QCOMPARE(q(f.Label1.Caption), QStringLiteral("Level %1").arg(next));
}

void TestGameFlow::flightStep_data() {
    QTest::addColumn<QPoint>("at");  // Left, Top of the message before the step
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("flugx");
    QTest::addColumn<int>("flugy");
    QTest::addColumn<QPoint>("after");
    QTest::addColumn<int>("expectedFlugx");
    QTest::addColumn<int>("expectedFlugy");

    const QSize message(250, 22);
    QTest::newRow("first step from the corner")
        << QPoint(1, 1) << message << 3000 << 250 << QPoint(4, 2) << 3000 << 1000;
    QTest::newRow("999 moves nothing")
        << QPoint(50, 50) << message << 999 << 249 << QPoint(50, 50) << 999 << 999;
    QTest::newRow("-1001 moves one up, not two")
        << QPoint(50, 50) << message << 3000 << -1751 << QPoint(53, 49) << 3000 << -1001;
    QTest::newRow("-1999 moves one up, not two")
        << QPoint(50, 50) << message << 3000 << -2749 << QPoint(53, 49) << 3000 << -1999;
    QTest::newRow("-999 moves nothing")
        << QPoint(50, 50) << message << 3000 << -1749 << QPoint(53, 50) << 3000 << -999;
    QTest::newRow("-3999 moves three left, not four")
        << QPoint(50, 50) << message << -3999 << 250 << QPoint(47, 51) << -3999 << 1000;
    QTest::newRow("the speed grows downward while rising")
        << QPoint(50, 50) << message << 3000 << -3000 << QPoint(53, 48) << 3000 << -2250;
    QTest::newRow("bottom edge reached: turns where it stands")
        << QPoint(50, 228) << message << 3000 << 250 << QPoint(53, 229) << 3000 << -1000;
    QTest::newRow("one above the bottom edge")
        << QPoint(50, 227) << message << 3000 << 250 << QPoint(53, 228) << 3000 << 1000;
    QTest::newRow("below the bottom it turns at every step")
        << QPoint(50, 260) << message << 3000 << -1000 << QPoint(53, 260) << 3000 << 250;
    QTest::newRow("past the top edge")
        << QPoint(50, 0) << message << 3000 << -1750 << QPoint(53, -1) << 3000 << 1000;
    QTest::newRow("on the top edge")
        << QPoint(50, 1) << message << 3000 << -1750 << QPoint(53, 0) << 3000 << -1000;
    QTest::newRow("right edge reached")
        << QPoint(152, 50) << message << 3000 << 250 << QPoint(155, 51) << -3000 << 1000;
    QTest::newRow("one short of the right edge")
        << QPoint(151, 50) << message << 3000 << 250 << QPoint(154, 51) << 3000 << 1000;
    QTest::newRow("past the left edge")
        << QPoint(2, 50) << message << -3000 << 250 << QPoint(-1, 51) << 3000 << 1000;
    QTest::newRow("on the left edge")
        << QPoint(3, 50) << message << -3000 << 250 << QPoint(0, 51) << -3000 << 1000;
    QTest::newRow("both edges at once")
        << QPoint(152, 228) << message << 3000 << 250 << QPoint(155, 229) << -3000 << -1000;
}

void TestGameFlow::flightStep() {
    QFETCH(QPoint, at);
    QFETCH(QSize, size);
    QFETCH(int, flugx);
    QFETCH(int, flugy);
    QFETCH(QPoint, after);
    QFETCH(int, expectedFlugx);
    QFETCH(int, expectedFlugy);

    TestGame t(numberedLevels());
    TForm2& dialog = t.game.Form2;
    dialog.Show();
    dialog.Label1.Left = at.x();
    dialog.Label1.Top = at.y();
    dialog.Label1.Width = size.width();
    dialog.Label1.Height = size.height();
    dialog.flugx = flugx;
    dialog.flugy = flugy;
    t.form.durchgang = 100;
    dialog.Timer2Timer();

    QCOMPARE(leftTop(dialog.Label1), after);
    QCOMPARE(dialog.flugx, expectedFlugx);
    QCOMPARE(dialog.flugy, expectedFlugy);
    QCOMPARE(t.form.durchgang, 101);
    QCOMPARE(dialog.Timer2.Enabled, true);
    QCOMPARE(dialog.Timer1.Enabled, false);
}

void TestGameFlow::wholeFlight() {
    TestGame t(numberedLevels());
    TForm2& dialog = t.game.Form2;
    dialog.Show();
    dialog.setMessage("Sie haben noch einen Ball!");
    QCOMPARE(dialog.Label1.Height, 22);

    QList<int> tops;
    int reversalsInARow = 0;
    for (int step = 1; step <= 480; ++step) {
        const int32 left = dialog.Label1.Left;
        const int32 flugy = dialog.flugy;
        dialog.Timer2Timer();
        // To and fro at three pixels a step, whatever happens vertically.
        QCOMPARE(qAbs(dialog.Label1.Left - left), 3);
        reversalsInARow = (flugy < 0) != (dialog.flugy < 0) ? reversalsInARow + 1 : 0;
        QCOMPARE(dialog.Timer2.Enabled, step < 480);
        tops.append(dialog.Label1.Top);
    }
    QCOMPARE(dialog.Timer1.Enabled, true);
    QCOMPARE(t.form.durchgang, 0);
    // The bounces lose height: each apex lies lower than the one before.
    int lastApex = 0;
    int apexes = 0;
    for (qsizetype i = 1; i + 1 < tops.size(); ++i) {
        if (tops[i] < tops[i - 1] && tops[i] <= tops[i + 1]) {
            QVERIFY2(tops[i] > lastApex, qPrintable(QStringLiteral("apex at step %1").arg(i + 1)));
            lastApex = tops[i];
            ++apexes;
        }
    }
    QVERIFY(apexes >= 3);
    // At the end it turns at every step while it sinks, out of sight below the bottom edge.
    QVERIFY(reversalsInARow >= 10);
    QVERIFY(dialog.Label1.Top >= TForm2::ClientHeight);
}

void TestGameFlow::blink_data() {
    QTest::addColumn<int>("steps");
    QTest::addColumn<bool>("visible");

    QTest::newRow("1") << 1 << false;
    QTest::newRow("2") << 2 << true;
    QTest::newRow("3") << 3 << false;
}

void TestGameFlow::blink() {
    QFETCH(int, steps);
    QFETCH(bool, visible);

    TestGame t(numberedLevels());
    TForm2& dialog = t.game.Form2;
    dialog.Show();
    const QPoint at = leftTop(dialog.Label1);
    for (int i = 0; i < steps; ++i) {
        dialog.Timer1Timer();
    }
    QCOMPARE(dialog.Label1.Visible, visible);
    QCOMPARE(leftTop(dialog.Label1), at);
}

void TestGameFlow::activation_data() {
    QTest::addColumn<int>("flown");    // flight steps before the dialog is activated again
    QTest::addColumn<bool>("hidden");  // the message was blinked out of sight meanwhile

    QTest::newRow("mid-flight") << 100 << false;
    QTest::newRow("after a completed flight") << 480 << false;
    QTest::newRow("blinked out of sight") << 480 << true;
}

void TestGameFlow::activation() {
    QFETCH(int, flown);
    QFETCH(bool, hidden);

    TestGame t(numberedLevels());
    TForm1& f = t.form;
    TForm2& dialog = t.game.Form2;
    startLevel(t, 2);
    dropBall(t);
    for (int i = 0; i < flown && dialog.Timer2.Enabled; ++i) {
        dialog.Timer2Timer();
    }
    if (hidden) {
        dialog.Timer1Timer();
        QCOMPARE(dialog.Label1.Visible, false);
    }
    QVERIFY(leftTop(dialog.Label1) != QPoint(1, 1));
    f.setCaption(f.Label1, "-");
    dialog.label2Caption.clear();
    // Focus comes back from another window of the program.
    dialog.FormActivate();

    QCOMPARE(leftTop(dialog.Label1), QPoint(1, 1));
    QCOMPARE(dialog.Label1.Visible, true);
    QCOMPARE(dialog.flugx, 3000);
    QCOMPARE(dialog.flugy, 250);
    QCOMPARE(f.durchgang, 0);
    QCOMPARE(dialog.Timer2.Enabled, true);
    // A blink once on stays on.
    QCOMPARE(dialog.Timer1.Enabled, flown == 480);
    QCOMPARE(q(dialog.label2Caption), QString("Bitte hier klicken"));
    QCOMPARE(q(f.Label1.Caption), QString("Level <>"));
    QCOMPARE(f.Enabled, false);
}

void TestGameFlow::timersOutliveClose() {
    TestGame t(numberedLevels());
    TForm1& f = t.form;
    TForm2& dialog = t.game.Form2;
    startLevel(t, 1);
    f.baelle = 3;
    dropBall(t);
    for (int i = 0; i < 10; ++i) {
        dialog.Timer2Timer();
    }
    dialog.Label2Click();
    QCOMPARE(dialog.Timer2.Enabled, true);

    // The hidden flight runs to its end and leaves the blink on. It counts in the tick counter,
    // which the tick that lost the ball had already moved on by one after the activation.
    int steps = 0;
    while (dialog.Timer2.Enabled && steps < 1000) {
        dialog.Timer2Timer();
        ++steps;
    }
    QCOMPARE(steps, 480 - 1 - 10);
    QCOMPARE(dialog.Timer1.Enabled, true);

    // The next showing flies and blinks from the start.
    f.Label4Click();
    TestGame::park(f.hinder7);
    dropBall(t);
    QCOMPARE(dialog.Timer2.Enabled, true);
    QCOMPARE(dialog.Timer1.Enabled, true);
    QCOMPARE(q(dialog.Label1.Caption), QString("Sie haben noch einen Ball!"));
}

QTEST_GUILESS_MAIN(TestGameFlow)
#include "tst_gameflow.moc"
