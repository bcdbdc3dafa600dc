// Mouse control: the paddle that follows the pointer, the red bar that is dragged, and how mouse
// events reach the components.
#include <QtTest>

#include "tests/testgame.h"

namespace {

// The middle of the red bar where a round puts it (266, 202, 100 x 30).
constexpr int BarMiddleX = 316;
constexpr int BarMiddleY = 217;

}  // namespace

class TestMouse : public QObject {
    Q_OBJECT

private slots:
    void paddleFollows_data();
    void paddleFollows();
    void dragLimits_data();
    void dragLimits();
    void pressAndRelease_data();
    void pressAndRelease();
    void rightButtonDrag();
    void level23_data();
    void level23();
    void dragOntoBall_data();
    void dragOntoBall();
    void captionStays_data();
    void captionStays();
    void capture_data();
    void capture();
    void disablingEndsCapture();
    void inputDroppedWhileDisabled_data();
    void inputDroppedWhileDisabled();
    void startClick_data();
    void startClick();
};

void TestMouse::paddleFollows_data() {
    QTest::addColumn<bool>("waiting");  // the start prompt covers the field
    QTest::addColumn<QPoint>("pointer");
    QTest::addColumn<int>("paddle");    // its Left after the move; it starts at 200
    QTest::addColumn<int>("repaints");  // immediate repaints of the paddle

    QTest::newRow("field at x 200") << false << QPoint(200, 300) << 95 << 1;
    QTest::newRow("field at x 105") << false << QPoint(105, 300) << 0 << 1;
    QTest::newRow("field at x 106") << false << QPoint(106, 300) << 1 << 1;
    QTest::newRow("field far left") << false << QPoint(0, 300) << 0 << 1;
    QTest::newRow("field at x 526") << false << QPoint(526, 300) << 421 << 1;
    QTest::newRow("field at x 527") << false << QPoint(527, 300) << 421 << 1;
    QTest::newRow("field far right") << false << QPoint(631, 300) << 421 << 1;
    QTest::newRow("over the paddle above the band") << false << QPoint(300, 405) << 195 << 1;
    QTest::newRow("just above the band") << false << QPoint(500, 409) << 395 << 1;
    QTest::newRow("band, top row") << false << QPoint(500, 410) << 200 << 0;
    QTest::newRow("band, bottom row") << false << QPoint(300, 433) << 200 << 0;
    QTest::newRow("hand") << false << QPoint(420, 120) << 200 << 0;
    QTest::newRow("level display") << false << QPoint(50, 15) << 200 << 0;
    QTest::newRow("points display") << false << QPoint(520, 15) << 200 << 0;
    QTest::newRow("header strip") << false << QPoint(460, 20) << 355 << 1;
    QTest::newRow("ball") << false << QPoint(310, 310) << 205 << 1;
    QTest::newRow("grey bar") << false << QPoint(150, 160) << 45 << 1;
    QTest::newRow("red bar, not dragged") << false << QPoint(300, 210) << 195 << 0;
    QTest::newRow("start prompt") << true << QPoint(300, 200) << 195 << 0;
    QTest::newRow("start prompt far right") << true << QPoint(631, 200) << 421 << 0;
    QTest::newRow("start prompt over the band") << true << QPoint(300, 420) << 195 << 0;
}

void TestMouse::paddleFollows() {
    QFETCH(bool, waiting);
    QFETCH(QPoint, pointer);
    QFETCH(int, paddle);
    QFETCH(int, repaints);

    TestGame t;
    TForm1& f = t.form;
    if (!waiting) {
        t.startRound();
        TestGame::put(f.dig11, 400, 100, 49, 60);
        TestGame::put(f.hinder1, 100, 150, 201, 30);
        t.putBall(300, 300);
    }
    f.fanger.Left = 200;
    const int32 top = f.fanger.Top;
    const int before = t.platform.repaints;

    f.Mouse.move(pointer.x(), pointer.y());

    QCOMPARE(f.fanger.Left, paddle);
    QCOMPARE(f.fanger.Top, top);
    QCOMPARE(t.platform.repaints - before, repaints);
    QCOMPARE(leftTop(f.hinder7), waiting ? QPoint(280, 360) : QPoint(266, 202));
}

void TestMouse::dragLimits_data() {
    QTest::addColumn<QPoint>("pointer");
    QTest::addColumn<QPoint>("bar");
    QTest::addColumn<int>("paddle");

    QTest::newRow("free") << QPoint(400, 300) << QPoint(350, 285) << 295;
    QTest::newRow("up against the top") << QPoint(BarMiddleX, 0) << QPoint(266, 40) << 211;
    QTest::newRow("one below the top") << QPoint(BarMiddleX, 56) << QPoint(266, 41) << 211;
    QTest::newRow("down against the paddle band")
        << QPoint(BarMiddleX, 433) << QPoint(266, 374) << 211;
    QTest::newRow("one above the band") << QPoint(BarMiddleX, 388) << QPoint(266, 373) << 211;
    QTest::newRow("left edge") << QPoint(0, BarMiddleY) << QPoint(0, 202) << -55;
    QTest::newRow("right edge") << QPoint(631, BarMiddleY) << QPoint(532, 202) << 477;
}

void TestMouse::dragLimits() {
    QFETCH(QPoint, pointer);
    QFETCH(QPoint, bar);
    QFETCH(int, paddle);

    TestGame t;
    t.startRound();
    TForm1& f = t.form;
    f.Mouse.press(BarMiddleX, BarMiddleY, MouseButton::Left);
    f.Mouse.move(pointer.x(), pointer.y());

    QCOMPARE(leftTop(f.hinder7), bar);
    QCOMPARE(f.fanger.Left, paddle);
    QCOMPARE(f.fanger.Top, 404);
    QCOMPARE(f.ziehen, true);
}

void TestMouse::pressAndRelease_data() {
    QTest::addColumn<MouseButton>("button");

    QTest::newRow("left button") << MouseButton::Left;
    QTest::newRow("right button") << MouseButton::Right;
    QTest::newRow("middle button") << MouseButton::Middle;
}

void TestMouse::pressAndRelease() {
    QFETCH(MouseButton, button);

    TestGame t;
    t.startRound();
    TForm1& f = t.form;
    f.fanger.Left = 123;
    f.Mouse.press(BarMiddleX, BarMiddleY, button);
    QCOMPARE(f.ziehen, true);
    f.Mouse.release(BarMiddleX, BarMiddleY, button);

    QCOMPARE(f.ziehen, false);
    QCOMPARE(leftTop(f.hinder7), QPoint(266, 202));
    QCOMPARE(f.fanger.Left, 123);
}

void TestMouse::rightButtonDrag() {
    TestGame t;
    t.startRound();
    TForm1& f = t.form;
    f.Mouse.press(BarMiddleX, BarMiddleY, MouseButton::Right);
    QCOMPARE(f.ziehen, true);
    QVERIFY(f.Mouse.capture() == nullptr);

    // Off the bar the moves reach the field, not the bar.
    f.Mouse.move(100, 300);
    QCOMPARE(leftTop(f.hinder7), QPoint(266, 202));
    QCOMPARE(f.fanger.Left, 0);
    f.Mouse.release(100, 300, MouseButton::Right);
    QCOMPARE(f.ziehen, true);

    // Back over the bar with no button held, it is still dragged.
    f.Mouse.move(330, 220);
    QCOMPARE(leftTop(f.hinder7), QPoint(280, 205));
    f.Mouse.move(340, 225);
    QCOMPARE(leftTop(f.hinder7), QPoint(290, 210));

    // Until a button is released over it.
    f.Mouse.release(340, 225, MouseButton::Left);
    QCOMPARE(f.ziehen, false);
    f.Mouse.move(350, 230);
    QCOMPARE(leftTop(f.hinder7), QPoint(290, 210));
    QCOMPARE(f.fanger.Left, 245);
}

void TestMouse::level23_data() {
    QTest::addColumn<int>("levelnr");
    QTest::addColumn<bool>("hinder1");  // else Hinder2
    QTest::addColumn<bool>("handledByDrag");

    QTest::newRow("level 22, hinder1") << 22 << true << true;
    QTest::newRow("level 22, Hinder2") << 22 << false << true;
    QTest::newRow("level 23, hinder1") << 23 << true << false;
    QTest::newRow("level 23, Hinder2") << 23 << false << false;
    QTest::newRow("level 24, hinder1") << 24 << true << true;
}

void TestMouse::level23() {
    QFETCH(int, levelnr);
    QFETCH(bool, hinder1);
    QFETCH(bool, handledByDrag);

    TestGame t;
    t.startRound();
    TForm1& f = t.form;
    f.levelnr = levelnr;
    Component& bar = hinder1 ? f.hinder1 : f.Hinder2;
    // The ball reaches 5 px into the bar's top face.
    TestGame::put(bar, 50, 319, 201, 30);
    t.putBall(100, 300);
    f.bewx = 3000;
    f.bewy = 1500;

    f.Mouse.press(BarMiddleX, BarMiddleY, MouseButton::Left);
    f.Mouse.move(BarMiddleX, BarMiddleY);
    QCOMPARE(f.ziehen, true);

    if (handledByDrag) {
        QCOMPARE(f.ball.Top, 292);
        QCOMPARE(f.posy, 292 * 1500);
        QCOMPARE(f.bewy, -1500);
        return;
    }
    QCOMPARE(f.ball.Top, 300);
    QCOMPARE(f.posy, 300 * 1500);
    QCOMPARE(f.bewy, 1500);
    // The tick still turns the ball: moved to Top 301, 6 px into the face.
    QCOMPARE(t.ticks(1), 1);
    QCOMPARE(f.ball.Top, 292);
    QCOMPARE(f.posy, 292 * 1500);
    QCOMPARE(f.bewy, -3500);
}

void TestMouse::dragOntoBall_data() {
    QTest::addColumn<bool>("tick");   // the next tick finds the bar, else the next drag step
    QTest::addColumn<QPoint>("bar");  // where the first drag step puts the red bar
    QTest::addColumn<QPoint>("ball");
    QTest::addColumn<int>("bewx");
    QTest::addColumn<int>("bewy");

    // The ball stands at 100, 300 with the step 3000, 1500 (3500 once the tick has pulled it).
    QTest::newRow("drag, left face 14")
        << false << QPoint(110, 297) << QPoint(86, 300) << -3000 << 1500;
    QTest::newRow("drag, right face 14")
        << false << QPoint(14, 297) << QPoint(114, 300) << -3000 << 1500;
    QTest::newRow("drag, top face 14")
        << false << QPoint(62, 310) << QPoint(100, 285) << 3000 << -1500;
    QTest::newRow("drag, bottom face 14")
        << false << QPoint(62, 284) << QPoint(100, 315) << 3000 << -1500;
    QTest::newRow("drag, left face 15")
        << false << QPoint(109, 297) << QPoint(100, 300) << 3000 << 1500;
    QTest::newRow("drag, buried") << false << QPoint(62, 297) << QPoint(100, 300) << 3000 << 1500;
    QTest::newRow("tick, left face 14")
        << true << QPoint(110, 297) << QPoint(83, 300) << -3000 << 3500;
    QTest::newRow("tick, right face 14")
        << true << QPoint(14, 297) << QPoint(117, 300) << -3000 << 3500;
    QTest::newRow("tick, top face 14")
        << true << QPoint(62, 310) << QPoint(100, 284) << 3000 << -3500;
    QTest::newRow("tick, bottom face 14")
        << true << QPoint(62, 284) << QPoint(100, 316) << 3000 << -3500;
    QTest::newRow("tick, buried") << true << QPoint(62, 297) << QPoint(100, 300) << 3000 << 3500;
}

void TestMouse::dragOntoBall() {
    QFETCH(bool, tick);
    QFETCH(QPoint, bar);
    QFETCH(QPoint, ball);
    QFETCH(int, bewx);
    QFETCH(int, bewy);

    TestGame t;
    t.startRound();
    TForm1& f = t.form;
    t.putBall(100, 300);
    f.bewx = 3000;
    f.bewy = 1500;

    // The pointer that centres the bar there.
    const QPoint pointer = bar + QPoint(50, 15);
    f.Mouse.press(BarMiddleX, BarMiddleY, MouseButton::Left);
    f.Mouse.move(pointer.x(), pointer.y());
    // The step tested before it moved the bar: the ball has not been touched yet.
    QCOMPARE(leftTop(f.hinder7), bar);
    QCOMPARE(leftTop(f.ball), QPoint(100, 300));
    QCOMPARE(f.bewx, 3000);

    if (tick) {
        // Scaled so that the tick's own move lands on the same pixel.
        f.posx = 100 * 1500 - 3000;
        f.posy = 300 * 1500 - 1500;
        QCOMPARE(t.ticks(1), 1);
    } else {
        f.Mouse.move(pointer.x(), pointer.y());
        QCOMPARE(leftTop(f.hinder7), bar);
    }

    QCOMPARE(leftTop(f.ball), ball);
    QCOMPARE(f.bewx, bewx);
    QCOMPARE(f.bewy, bewy);
    if (bewx < 0) {
        QCOMPARE(f.posx, ball.x() * 1500);
    }
    if (bewy < 0) {
        QCOMPARE(f.posy, ball.y() * 1500);
    }
}

void TestMouse::captionStays_data() {
    QTest::addColumn<bool>("hinder1");  // else Hinder2

    QTest::newRow("under the red bar and hinder1") << true;
    QTest::newRow("under the red bar and Hinder2") << false;
}

void TestMouse::captionStays() {
    QFETCH(bool, hinder1);

    TestGame t;
    t.startRound();
    TForm1& f = t.form;
    t.putBall(300, 200);
    Component& bar = hinder1 ? f.hinder1 : f.Hinder2;
    TestGame::put(bar, 250, 190, 201, 30);
    QVERIFY(f.BallTouches(f.hinder7));
    QVERIFY(f.BallTouches(bar));

    f.Mouse.press(350, 225, MouseButton::Left);
    f.Mouse.move(360, 230);
    // The drag step ran: the bar followed the pointer.
    QCOMPARE(leftTop(f.hinder7), QPoint(310, 215));
    QCOMPARE(q(f.Caption), QString("Quirlon 95"));
}

void TestMouse::capture_data() {
    QTest::addColumn<MouseButton>("button");  // held from a press on the bar
    QTest::addColumn<QPoint>("pointer");      // where it moves and is released, off the bar
    QTest::addColumn<QPoint>("bar");
    QTest::addColumn<int>("paddle");  // it stood at 123
    QTest::addColumn<bool>("ziehen");

    const QPoint field(10, 400), menuBar(346, -10), beside(636, 217);
    // Captured, the bar gets the moves wherever they are and runs a drag step.
    QTest::newRow("left, field") << MouseButton::Left << field << QPoint(0, 374) << -55 << false;
    QTest::newRow("left, menu bar")
        << MouseButton::Left << menuBar << QPoint(296, 40) << 241 << false;
    QTest::newRow("left, beside") << MouseButton::Left << beside << QPoint(532, 202) << 477
                                  << false;
    // Not captured, the move goes to the field under the pointer and the release too; off the
    // field neither reaches the window.
    QTest::newRow("right, field") << MouseButton::Right << field << QPoint(266, 202) << 0 << true;
    QTest::newRow("middle, field") << MouseButton::Middle << field << QPoint(266, 202) << 0 << true;
    QTest::newRow("right, menu bar")
        << MouseButton::Right << menuBar << QPoint(266, 202) << 123 << true;
    QTest::newRow("right, beside")
        << MouseButton::Right << beside << QPoint(266, 202) << 123 << true;
    QTest::newRow("middle, beside")
        << MouseButton::Middle << beside << QPoint(266, 202) << 123 << true;
}

void TestMouse::capture() {
    QFETCH(MouseButton, button);
    QFETCH(QPoint, pointer);
    QFETCH(QPoint, bar);
    QFETCH(int, paddle);
    QFETCH(bool, ziehen);

    TestGame t;
    t.startRound();
    TForm1& f = t.form;
    f.fanger.Left = 123;
    f.Mouse.press(BarMiddleX, BarMiddleY, button);
    QVERIFY(f.Mouse.capture() == (button == MouseButton::Left ? &f.hinder7 : nullptr));

    f.Mouse.move(pointer.x(), pointer.y());
    QCOMPARE(leftTop(f.hinder7), bar);
    QCOMPARE(f.fanger.Left, paddle);

    f.Mouse.release(pointer.x(), pointer.y(), button);
    QCOMPARE(f.ziehen, ziehen);
    QVERIFY(f.Mouse.capture() == nullptr);
}

void TestMouse::disablingEndsCapture() {
    TestGame t;
    t.startRound();
    TForm1& f = t.form;
    f.Mouse.press(BarMiddleX, BarMiddleY, MouseButton::Left);
    QVERIFY(f.Mouse.capture() == &f.hinder7);

    f.setEnabled(false);
    QVERIFY(f.Mouse.capture() == nullptr);
    QCOMPARE(f.ziehen, true);
    f.fanger.Left = 123;
    t.game.Input.move(BarMiddleX, 100);
    QCOMPARE(leftTop(f.hinder7), QPoint(266, 202));
    QCOMPARE(f.fanger.Left, 123);

    f.setEnabled(true);
    // Off the bar the move now goes to the field: the paddle follows, the bar stays.
    f.Mouse.move(10, 400);
    QCOMPARE(leftTop(f.hinder7), QPoint(266, 202));
    QCOMPARE(f.fanger.Left, 0);
    // Over the bar it is still dragged.
    f.Mouse.move(330, 220);
    QCOMPARE(leftTop(f.hinder7), QPoint(280, 205));
}

void TestMouse::inputDroppedWhileDisabled_data() {
    QTest::addColumn<QString>("event");

    QTest::newRow("move over the start prompt") << "move";
    QTest::newRow("click on the start prompt") << "click";
    QTest::newRow("press on the red bar") << "press";
}

void TestMouse::inputDroppedWhileDisabled() {
    QFETCH(QString, event);

    TestGame t;
    TForm1& f = t.form;
    if (event == "press") {
        t.startRound();
    }
    f.fanger.Left = 123;
    f.setEnabled(false);

    InputGate& gate = t.game.Input;
    if (event == "move") {
        gate.move(300, 200);
    } else if (event == "click") {
        gate.press(300, 200, MouseButton::Left);
        gate.release(300, 200, MouseButton::Left);
    } else {
        gate.press(BarMiddleX, BarMiddleY, MouseButton::Left);
    }

    QCOMPARE(f.fanger.Left, 123);
    QCOMPARE(f.ziehen, false);
    QVERIFY(f.Mouse.capture() == nullptr);
    QCOMPARE(f.Label4.Visible, event != "press");
    QCOMPARE(f.levelnr, event == "press" ? 1 : 0);
}

void TestMouse::startClick_data() {
    QTest::addColumn<bool>("right");
    QTest::addColumn<QPoint>("releaseAt");
    QTest::addColumn<bool>("starts");

    QTest::newRow("left click") << false << QPoint(300, 200) << true;
    QTest::newRow("left click at the prompt's corner") << false << QPoint(0, 38) << true;
    QTest::newRow("last column") << false << QPoint(631, 200) << true;
    QTest::newRow("one past the right edge") << false << QPoint(632, 200) << false;
    QTest::newRow("released over the header") << false << QPoint(300, 20) << false;
    QTest::newRow("right click") << true << QPoint(300, 200) << false;
}

void TestMouse::startClick() {
    QFETCH(bool, right);
    QFETCH(QPoint, releaseAt);
    QFETCH(bool, starts);

    TestGame t;
    TForm1& f = t.form;
    const MouseButton button = right ? MouseButton::Right : MouseButton::Left;
    const QPoint pressAt = releaseAt.y() < 38 ? QPoint(300, 200) : releaseAt;
    f.Mouse.press(pressAt.x(), pressAt.y(), button);
    f.Mouse.release(releaseAt.x(), releaseAt.y(), button);

    QCOMPARE(f.Label4.Visible, !starts);
    QCOMPARE(f.levelnr, starts ? 1 : 0);
    QCOMPARE(f.halt, !starts);
    QCOMPARE(f.fanger.Top, starts ? 404 : 1000);
    if (starts) {
        QCOMPARE(f.Timer1.Enabled, true);
        QCOMPARE(leftTop(f.hinder7), QPoint(266, 202));
        QCOMPARE(leftTop(f.ball), QPoint(0, 39));
        QCOMPARE(q(f.Label1.Caption), QString("Level 1"));
        QCOMPARE(q(f.Label2.Caption), QString("2 Bälle"));
        // The level file laid out the field.
        QCOMPARE(f.hinder1.Left, 80);
    }
}

QTEST_GUILESS_MAIN(TestMouse)
#include "tst_mouse.moc"
