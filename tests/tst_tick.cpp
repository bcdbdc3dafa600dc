// The frame tick: the ball's flight, the walls, the ceiling, the lost ball and the order in which
// the elements react.
#include <QtTest>

#include "tests/testgame.h"

namespace {

// A round in play with nothing in the ball's way: no level elements, the red bar and the paddle
// off the field.
void emptyField(TestGame& t) {
    t.startRound();
    TestGame::park(t.form.hinder7);
    TestGame::park(t.form.fanger);
}

}  // namespace

class TestTick : public QObject {
    Q_OBJECT

private slots:
    void freeFall_data();
    void freeFall();
    void paddleBounce_data();
    void paddleBounce();
    void speedLimits_data();
    void speedLimits();
    void walls_data();
    void walls();
    void ceiling_data();
    void ceiling();
    void ballLoss_data();
    void ballLoss();
    void paddleUnderLostBall();
    void pennyAndHand_data();
    void pennyAndHand();
    void twoBarsInTableOrder();
    void halt_data();
    void halt();
};

void TestTick::freeFall_data() {
    QTest::addColumn<int>("ticks");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("posy");
    QTest::addColumn<int>("bewy");
    QTest::addColumn<int>("schwung");

    // From posy 59000, bewy 1000: each tick adds bewy to posy, then 2000 to bewy; above 19500 the
    // excess goes to schwung.
    QTest::newRow("1") << 1 << 40 << 60000 << 3000 << 0;
    QTest::newRow("2") << 2 << 42 << 63000 << 5000 << 0;
    QTest::newRow("3") << 3 << 45 << 68000 << 7000 << 0;
    QTest::newRow("4") << 4 << 50 << 75000 << 9000 << 0;
    QTest::newRow("5") << 5 << 56 << 84000 << 11000 << 0;
    QTest::newRow("6") << 6 << 63 << 95000 << 13000 << 0;
    QTest::newRow("7") << 7 << 72 << 108000 << 15000 << 0;
    QTest::newRow("8") << 8 << 82 << 123000 << 17000 << 0;
    QTest::newRow("9") << 9 << 93 << 140000 << 19000 << 0;
    QTest::newRow("10") << 10 << 106 << 159000 << 19500 << 1500;
    QTest::newRow("11") << 11 << 119 << 178500 << 19500 << 3500;
    QTest::newRow("12") << 12 << 132 << 198000 << 19500 << 5500;
    QTest::newRow("13") << 13 << 145 << 217500 << 19500 << 7500;
    QTest::newRow("14") << 14 << 158 << 237000 << 19500 << 9500;
    QTest::newRow("15") << 15 << 171 << 256500 << 19500 << 11500;
    QTest::newRow("16") << 16 << 184 << 276000 << 19500 << 13500;
    QTest::newRow("17") << 17 << 197 << 295500 << 19500 << 15500;
    QTest::newRow("18") << 18 << 210 << 315000 << 19500 << 17500;
    QTest::newRow("19") << 19 << 223 << 334500 << 19500 << 19500;
    QTest::newRow("20") << 20 << 236 << 354000 << 19500 << 21500;
    QTest::newRow("21") << 21 << 249 << 373500 << 19500 << 23500;
    QTest::newRow("22") << 22 << 262 << 393000 << 19500 << 25500;
    QTest::newRow("23") << 23 << 275 << 412500 << 19500 << 27500;
    QTest::newRow("24") << 24 << 288 << 432000 << 19500 << 29500;
    QTest::newRow("25") << 25 << 301 << 451500 << 19500 << 31500;
    QTest::newRow("26") << 26 << 314 << 471000 << 19500 << 33500;
    QTest::newRow("27") << 27 << 327 << 490500 << 19500 << 35500;
    QTest::newRow("28") << 28 << 340 << 510000 << 19500 << 37500;
    QTest::newRow("29") << 29 << 353 << 529500 << 19500 << 39500;
    QTest::newRow("30") << 30 << 366 << 549000 << 19500 << 41500;
    QTest::newRow("31") << 31 << 379 << 568500 << 19500 << 43500;
    QTest::newRow("32") << 32 << 392 << 588000 << 19500 << 45500;
    QTest::newRow("33") << 33 << 405 << 607500 << 19500 << 47500;
    QTest::newRow("34 lost") << 34 << 418 << 627000 << 19500 << 49500;
}

void TestTick::freeFall() {
    QFETCH(int, ticks);
    QFETCH(int, top);
    QFETCH(int, posy);
    QFETCH(int, bewy);
    QFETCH(int, schwung);

    TestGame t;
    emptyField(t);
    TForm1& f = t.form;
    QCOMPARE(t.ticks(ticks), ticks);

    QCOMPARE(f.ball.Left, 2 * ticks);
    QCOMPARE(f.posx, 1 + 3000 * ticks);
    QCOMPARE(f.bewx, 3000);
    QCOMPARE(f.ball.Top, top);
    QCOMPARE(f.posy, posy);
    QCOMPARE(f.bewy, bewy);
    QCOMPARE(f.schwung, schwung);
    const bool lost = ticks == 34;
    QCOMPARE(f.Timer1.Enabled, !lost);
    QCOMPARE(f.baelle, lost ? 1 : 2);
    QCOMPARE(t.game.Form2.Visible, lost);
}

void TestTick::paddleBounce_data() {
    QTest::addColumn<int>("ticks");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("posy");
    QTest::addColumn<int>("bewy");
    QTest::addColumn<int>("schwung");

    QTest::newRow("31 just above") << 31 << 379 << 568500 << 19500 << 43500;
    QTest::newRow("32 bounce") << 32 << 376 << 564000 << -19500 << 45500;
    QTest::newRow("33 too fast to pay") << 33 << 363 << 544500 << -17500 << 45500;
    QTest::newRow("34 first pay-out") << 34 << 351 << 527000 << -18500 << 27273;
    QTest::newRow("35 at -16500") << 35 << 339 << 508500 << -16500 << 27273;
    QTest::newRow("36 pays again") << 36 << 328 << 492000 << -17227 << 24794;
}

void TestTick::paddleBounce() {
    QFETCH(int, ticks);
    QFETCH(int, top);
    QFETCH(int, posy);
    QFETCH(int, bewy);
    QFETCH(int, schwung);

    TestGame t;
    emptyField(t);
    TForm1& f = t.form;
    TestGame::put(f.fanger, -100, 404, 832, 30);
    QCOMPARE(t.ticks(ticks), ticks);

    QCOMPARE(f.ball.Top, top);
    QCOMPARE(f.posy, posy);
    QCOMPARE(f.bewy, bewy);
    QCOMPARE(f.schwung, schwung);
    QCOMPARE(f.bewx, 3000);
    QCOMPARE(f.ball.Left, 2 * ticks);
    QCOMPARE(f.Timer1.Enabled, true);
    QCOMPARE(f.baelle, 2);
}

void TestTick::speedLimits_data() {
    QTest::addColumn<int>("bewy");
    QTest::addColumn<int>("schwung");
    QTest::addColumn<int>("expectedBewy");
    QTest::addColumn<int>("expectedSchwung");

    // bewy as it stands before the tick, so the tick's pull of 2000 brings it to the limit.
    QTest::newRow("19500 not capped") << 17500 << 0 << 19500 << 0;
    QTest::newRow("19501 capped") << 17501 << 0 << 19500 << 1;
    QTest::newRow("-19500 not capped") << -21500 << 0 << -19500 << 0;
    QTest::newRow("-19501 capped") << -21501 << 0 << -19500 << 1;
    QTest::newRow("16500 pays nothing") << 14500 << 10000 << 16500 << 10000;
    QTest::newRow("16499 pays") << 14499 << 10000 << 15499 << 9091;
    QTest::newRow("-16500 pays nothing") << -18500 << 10000 << -16500 << 10000;
    QTest::newRow("-16499 pays") << -18499 << 10000 << -17499 << 9091;
    QTest::newRow("bank cut to 30000") << 0 << 50000 << -1000 << 27273;
    QTest::newRow("bank of 30000 kept") << 0 << 30000 << -1000 << 27273;
    QTest::newRow("bank below 10 pays nothing") << 0 << 9 << 2000 << 9;
    QTest::newRow("rising ball rises faster") << -10000 << 20000 << -10000 << 18182;
}

void TestTick::speedLimits() {
    QFETCH(int, bewy);
    QFETCH(int, schwung);
    QFETCH(int, expectedBewy);
    QFETCH(int, expectedSchwung);

    TestGame t;
    emptyField(t);
    TForm1& f = t.form;
    t.putBall(300, 200);
    f.bewx = 0;
    f.bewy = bewy;
    f.schwung = schwung;
    QCOMPARE(t.ticks(1), 1);

    QCOMPARE(f.posy, 300000 + bewy);
    QCOMPARE(f.bewy, expectedBewy);
    QCOMPARE(f.schwung, expectedSchwung);
}

void TestTick::walls_data() {
    QTest::addColumn<int>("posx");
    QTest::addColumn<int>("bewx");
    QTest::addColumn<int>("expectedPosx");
    QTest::addColumn<int>("expectedBewx");
    QTest::addColumn<int>("expectedLeft");

    QTest::newRow("becomes 894000") << 891000 << 3000 << 894000 << -3000 << 596;
    QTest::newRow("becomes 893999") << 890999 << 3000 << 893999 << 3000 << 595;
    QTest::newRow("past the right wall") << 893000 << 6000 << 894000 << -6000 << 599;
    QTest::newRow("becomes 0") << 3000 << -3000 << 0 << -3000 << 0;
    QTest::newRow("becomes -1") << 2999 << -3000 << 0 << 3000 << 0;
    QTest::newRow("becomes -3000") << 3000 << -6000 << 0 << 6000 << -2;
}

void TestTick::walls() {
    QFETCH(int, posx);
    QFETCH(int, bewx);
    QFETCH(int, expectedPosx);
    QFETCH(int, expectedBewx);
    QFETCH(int, expectedLeft);

    TestGame t;
    emptyField(t);
    TForm1& f = t.form;
    t.putBall(0, 200);
    f.posx = posx;
    f.bewx = bewx;
    QCOMPARE(t.ticks(1), 1);

    QCOMPARE(f.posx, expectedPosx);
    QCOMPARE(f.bewx, expectedBewx);
    // The picture keeps the position of the move until the next tick.
    QCOMPARE(f.ball.Left, expectedLeft);
}

void TestTick::ceiling_data() {
    QTest::addColumn<int>("bewy");
    QTest::addColumn<int>("expectedTop");
    QTest::addColumn<int>("expectedPosy");
    QTest::addColumn<int>("expectedBewy");

    // From posy 60000 (Top 40).
    QTest::newRow("Top 39 not turned") << -1500 << 39 << 58500 << 500;
    QTest::newRow("Top 38 turned") << -3000 << 38 << 59000 << 1000;
    QTest::newRow("just below 39 turned") << -1501 << 38 << 60499 << -499;
    QTest::newRow("far above turned") << -19500 << 27 << 42500 << 17500;
}

void TestTick::ceiling() {
    QFETCH(int, bewy);
    QFETCH(int, expectedTop);
    QFETCH(int, expectedPosy);
    QFETCH(int, expectedBewy);

    TestGame t;
    emptyField(t);
    TForm1& f = t.form;
    t.putBall(300, 40);
    f.bewx = 0;
    f.bewy = bewy;
    QCOMPARE(t.ticks(1), 1);

    QCOMPARE(f.ball.Top, expectedTop);
    QCOMPARE(f.posy, expectedPosy);
    QCOMPARE(f.bewy, expectedBewy);
}

void TestTick::ballLoss_data() {
    QTest::addColumn<int>("baelle");
    QTest::addColumn<int>("bewy");
    QTest::addColumn<bool>("lost");
    QTest::addColumn<QString>("text");

    // From Top 409; the loss line is 434 - 24 = 410.
    QTest::newRow("3 balls left") << 3 << 1500 << true << "Sie haben noch 2 Bälle! ";
    QTest::newRow("2 balls left") << 2 << 1500 << true << "Sie haben noch einen Ball!";
    QTest::newRow("last ball") << 1 << 1500 << true << "Game over !";
    QTest::newRow("Top 409 stays in play") << 2 << 1499 << false << "";
}

void TestTick::ballLoss() {
    QFETCH(int, baelle);
    QFETCH(int, bewy);
    QFETCH(bool, lost);
    QFETCH(QString, text);

    TestGame t;
    emptyField(t);
    TForm1& f = t.form;
    TForm2& dialog = t.game.Form2;
    f.baelle = baelle;
    t.putBall(300, 409);
    f.bewx = 0;
    f.bewy = bewy;
    dialog.setMessage("-");
    QCOMPARE(t.ticks(1), 1);

    QCOMPARE(f.ball.Top, lost ? 410 : 409);
    QCOMPARE(f.Timer1.Enabled, !lost);
    QCOMPARE(f.baelle, lost ? baelle - 1 : baelle);
    QCOMPARE(dialog.Visible, lost);
    QCOMPARE(dialog.Timer2.Enabled, lost);
    QCOMPARE(q(dialog.Label1.Caption), lost ? text : QString("-"));
    QCOMPARE(f.Enabled, !lost);
    QCOMPARE(t.platform.shown[Window::Form2], lost);
    // Nothing modal: the loss opens no message box.
    QVERIFY(t.platform.messages.empty());
    // The ball is not reset: it stays where it crossed the line, and no tick follows.
    if (lost) {
        QCOMPARE(t.ticks(3), 0);
        QCOMPARE(f.ball.Top, 410);
        QCOMPARE(f.posy, 615000);
    }
}

void TestTick::paddleUnderLostBall() {
    TestGame t;
    emptyField(t);
    TForm1& f = t.form;
    TestGame::put(f.fanger, 250, 404, 211, 30);
    t.putBall(300, 409);
    f.bewx = 0;
    f.bewy = 1500;
    QCOMPARE(t.ticks(1), 1);

    QCOMPARE(f.ball.Top, 376);
    QCOMPARE(f.posy, 564000);
    QCOMPARE(f.bewy, -3500);
    QCOMPARE(f.baelle, 1);
    QCOMPARE(f.Timer1.Enabled, false);
    QCOMPARE(t.game.Form2.Visible, true);
    QCOMPARE(t.ticks(5), 0);
    QCOMPARE(f.ball.Top, 376);
}

void TestTick::pennyAndHand_data() {
    QTest::addColumn<bool>("lost");

    QTest::newRow("ball in the field") << false;
    QTest::newRow("ball lost") << true;
}

void TestTick::pennyAndHand() {
    QFETCH(bool, lost);

    TestGame t;
    emptyField(t);
    TForm1& f = t.form;
    const int32 top = lost ? 409 : 200;
    t.putBall(300, top);
    f.bewx = 0;
    f.bewy = lost ? 1500 : 0;
    const int32 topAfterMove = lost ? 410 : 200;
    TestGame::put(f.dig1, 290, topAfterMove - 10, 39, 40);
    TestGame::put(f.dig11, 310, topAfterMove - 20, 49, 60);
    int32 pennyLeftAtHand = 0;
    t.platform.whileMessageOpen = [&](const std::string&) {
        if (pennyLeftAtHand == 0) {
            pennyLeftAtHand = f.dig1.Left;
        }
    };
    QCOMPARE(t.ticks(1), 1);

    // The penny counts either way.
    QCOMPARE(f.dig1.Left, -1000);
    QCOMPARE(f.dig1.Top, -100);
    QCOMPARE(f.punkte, lost ? 1250 : 1250 + 25);
    if (lost) {
        QVERIFY(t.platform.messages.empty());
        QCOMPARE(f.halt, false);
        QCOMPARE(f.Label4.Visible, false);
    } else {
        QCOMPARE(t.platform.messages.size(), std::size_t{1});
        QCOMPARE(q(t.platform.messages.front()),
                 QString("Super! Gleich gehts weiter mit dem nächsten Level! 25 Bonus!"));
        QCOMPARE(pennyLeftAtHand, -1000);
        QCOMPARE(f.halt, true);
        QCOMPARE(f.Label4.Visible, true);
    }
}

void TestTick::twoBarsInTableOrder() {
    TestGame t;
    emptyField(t);
    TForm1& f = t.form;
    // The ball lies 5 px into hinder1's top face and 15 px into hinder5's, which is no hit. Only
    // after hinder1 (earlier in the order) has put it 3 px above itself does it reach 7 px into
    // hinder5, which then turns it again and wears.
    TestGame::put(f.hinder1, 250, 300, 201, 30);
    TestGame::put(f.hinder5, 250, 290, 201, 30);
    t.putBall(300, 281);
    f.bewx = 0;
    f.bewy = 0;
    QCOMPARE(t.ticks(1), 1);

    QCOMPARE(f.ball.Top, 265);
    QCOMPARE(f.posy, 265 * 1500);
    QCOMPARE(f.bewy, 2000);
    QCOMPARE(f.hinder5.Top, 292);
    QCOMPARE(f.hinder5.Height, 28);
    QCOMPARE(f.hinder1.Top, 300);
    QCOMPARE(f.hinder1.Height, 30);
}

void TestTick::halt_data() {
    QTest::addColumn<bool>("halted");

    QTest::newRow("halted") << true;
    QTest::newRow("running") << false;
}

void TestTick::halt() {
    QFETCH(bool, halted);

    TestGame t;
    emptyField(t);
    TForm1& f = t.form;
    t.putBall(300, 200);
    f.halt = halted;
    f.durchgang = 10;
    const int repaints = t.platform.repaints;
    QCOMPARE(t.ticks(5), 5);

    QCOMPARE(t.platform.repaints, repaints + 5);
    QCOMPARE(f.durchgang, halted ? 10 : 15);
    QCOMPARE(f.posx == 300 * 1500, halted);
    QCOMPARE(f.posy == 200 * 1500, halted);
    QCOMPARE(f.bewy == 1000, halted);
    QCOMPARE(f.ball.Left == 300, halted);
    QCOMPARE(f.ball.Top == 200, halted);
}

QTEST_GUILESS_MAIN(TestTick)
#include "tst_tick.moc"
