// The ball against the bars: which face is hit, where the ball is put back, how its step turns
// and how a yellow bar wears away.
#include <QtTest>

#include "tests/testgame.h"

namespace {

enum Face { LeftFace, RightFace, TopFace, BottomFace };

// A round in play with an empty field, the ball's step 3000 to the right and 4000 upward.
void prepare(TestGame& t) {
    t.startRound();
    TestGame::park(t.form.hinder7);
    TestGame::park(t.form.fanger);
    t.form.bewx = 3000;
    t.form.bewy = -4000;
}

// Puts the ball at a pixel position with a scaled position that holds a fraction of a pixel on
// both axes, so a bounce shows whether it drops the fraction.
void putBallWithFraction(TestGame& t, int32 left, int32 top) {
    t.putBall(left, top);
    t.form.posx += 777;
    t.form.posy += 555;
}

// Where the ball stands `depth` pixels past one face of a bar, well inside the bar across the
// other axis.
QPoint ballAtFace(const Component& bar, Face face, int depth) {
    const int midLeft = bar.Left + bar.Width / 2 - 12;
    const int midTop = bar.Top + bar.Height / 2 - 12;
    switch (face) {
        case LeftFace:
            return QPoint(bar.Left - 24 + depth, midTop);
        case RightFace:
            return QPoint(bar.Left + bar.Width - depth, midTop);
        case TopFace:
            return QPoint(midLeft, bar.Top - 24 + depth);
        case BottomFace:
            return QPoint(midLeft, bar.Top + bar.Height - depth);
    }
    return {};
}

}  // namespace

class TestBars : public QObject {
    Q_OBJECT

private slots:
    void faces_data();
    void faces();
    void depth_data();
    void depth();
    void buried_data();
    void buried();
    void corners_data();
    void corners();
    void designYellowBars_data();
    void designYellowBars();
    void wearToRemoval_data();
    void wearToRemoval();
    void crossHitsDoNotWear_data();
    void crossHitsDoNotWear();
    void hiddenBarDeflects_data();
    void hiddenBarDeflects();
    void redBarSpacing_data();
    void redBarSpacing();
};

void TestBars::faces_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("face");
    QTest::addColumn<QPoint>("ball");
    QTest::addColumn<int>("bewx");
    QTest::addColumn<int>("bewy");
    QTest::addColumn<QRect>("bar");

    // The bar stands at 300, 200, 100 x 30; the ball reaches 5 px past one face. Before the hit
    // the step is 3000, -4000.
    const QRect same(300, 200, 100, 30);
    QTest::newRow("grey far, left")
        << int(bkGreyFar) << int(LeftFace) << QPoint(273, 203) << -3000 << -4000 << same;
    QTest::newRow("grey far, right")
        << int(bkGreyFar) << int(RightFace) << QPoint(403, 203) << -3000 << -4000 << same;
    QTest::newRow("grey far, top")
        << int(bkGreyFar) << int(TopFace) << QPoint(338, 173) << 3000 << 4000 << same;
    QTest::newRow("grey far, bottom")
        << int(bkGreyFar) << int(BottomFace) << QPoint(338, 233) << 3000 << 4000 << same;

    QTest::newRow("grey, left") << int(bkGrey) << int(LeftFace) << QPoint(275, 203) << -3000
                                << -4000 << same;
    QTest::newRow("grey, right") << int(bkGrey) << int(RightFace) << QPoint(401, 203) << -3000
                                 << -4000 << same;
    QTest::newRow("grey, top") << int(bkGrey) << int(TopFace) << QPoint(338, 175) << 3000 << 4000
                               << same;
    QTest::newRow("grey, bottom") << int(bkGrey) << int(BottomFace) << QPoint(338, 231) << 3000
                                  << 4000 << same;

    QTest::newRow("yellow flat, left")
        << int(bkYellowFlat) << int(LeftFace) << QPoint(275, 203) << -3000 << -4000 << same;
    QTest::newRow("yellow flat, right")
        << int(bkYellowFlat) << int(RightFace) << QPoint(401, 203) << -3000 << -4000 << same;
    QTest::newRow("yellow flat, top") << int(bkYellowFlat) << int(TopFace) << QPoint(338, 175)
                                      << 3000 << 4000 << QRect(300, 202, 100, 28);
    QTest::newRow("yellow flat, bottom") << int(bkYellowFlat) << int(BottomFace) << QPoint(338, 231)
                                         << 3000 << 4000 << QRect(300, 200, 100, 28);

    QTest::newRow("yellow upright, left")
        << int(bkYellowUpright) << int(LeftFace) << QPoint(275, 203) << -3000 << -4000
        << QRect(302, 200, 98, 30);
    QTest::newRow("yellow upright, right")
        << int(bkYellowUpright) << int(RightFace) << QPoint(401, 203) << -3000 << -4000
        << QRect(300, 200, 98, 30);
    QTest::newRow("yellow upright, top")
        << int(bkYellowUpright) << int(TopFace) << QPoint(338, 175) << 3000 << 4000 << same;
    QTest::newRow("yellow upright, bottom")
        << int(bkYellowUpright) << int(BottomFace) << QPoint(338, 231) << 3000 << 4000 << same;

    QTest::newRow("green, left") << int(bkGreen) << int(LeftFace) << QPoint(275, 203) << -3000
                                 << 4000 << same;
    QTest::newRow("green, right") << int(bkGreen) << int(RightFace) << QPoint(401, 203) << -3000
                                  << 4000 << same;
    QTest::newRow("green, top") << int(bkGreen) << int(TopFace) << QPoint(338, 175) << -3000 << 4000
                                << same;
    QTest::newRow("green, bottom")
        << int(bkGreen) << int(BottomFace) << QPoint(338, 231) << -3000 << 4000 << same;

    QTest::newRow("red, left") << int(bkRed) << int(LeftFace) << QPoint(273, 203) << -3000 << -4000
                               << same;
    QTest::newRow("red, right") << int(bkRed) << int(RightFace) << QPoint(403, 203) << -3000
                                << -4000 << same;
    QTest::newRow("red, top") << int(bkRed) << int(TopFace) << QPoint(338, 174) << 3000 << 4000
                              << same;
    QTest::newRow("red, bottom") << int(bkRed) << int(BottomFace) << QPoint(338, 232) << 3000
                                 << 4000 << same;

    QTest::newRow("red dragged, left")
        << int(bkRedDragged) << int(LeftFace) << QPoint(276, 203) << -3000 << -4000 << same;
    QTest::newRow("red dragged, right")
        << int(bkRedDragged) << int(RightFace) << QPoint(400, 203) << -3000 << -4000 << same;
    QTest::newRow("red dragged, top")
        << int(bkRedDragged) << int(TopFace) << QPoint(338, 175) << 3000 << 4000 << same;
    QTest::newRow("red dragged, bottom")
        << int(bkRedDragged) << int(BottomFace) << QPoint(338, 231) << 3000 << 4000 << same;
}

void TestBars::faces() {
    QFETCH(int, kind);
    QFETCH(int, face);
    QFETCH(QPoint, ball);
    QFETCH(int, bewx);
    QFETCH(int, bewy);
    QFETCH(QRect, bar);

    TestGame t;
    prepare(t);
    TForm1& f = t.form;
    Component& b = f.hinder1;
    TestGame::put(b, 300, 200, 100, 30);
    const QPoint start = ballAtFace(b, Face(face), 5);
    putBallWithFraction(t, start.x(), start.y());
    const int32 posx = f.posx;
    const int32 posy = f.posy;
    QVERIFY(f.BallTouches(b));

    f.CheckBar(b, BarKind(kind));

    QCOMPARE(QPoint(f.ball.Left, f.ball.Top), ball);
    // Only the axis that was hit is set again, to a whole pixel.
    const bool across = face == LeftFace || face == RightFace;
    QCOMPARE(f.posx, across ? ball.x() * 1500 : posx);
    QCOMPARE(f.posy, across ? posy : ball.y() * 1500);
    QCOMPARE(f.bewx, bewx);
    QCOMPARE(f.bewy, bewy);
    QCOMPARE(rect(b), bar);
}

void TestBars::depth_data() {
    QTest::addColumn<int>("face");
    QTest::addColumn<int>("depth");
    QTest::addColumn<QPoint>("ball");  // after the check; (0, 0) for no hit

    QTest::newRow("left edge only") << int(LeftFace) << 0 << QPoint(275, 203);
    QTest::newRow("left 14") << int(LeftFace) << 14 << QPoint(275, 203);
    QTest::newRow("left 15") << int(LeftFace) << 15 << QPoint();
    QTest::newRow("right edge only") << int(RightFace) << 0 << QPoint(401, 203);
    QTest::newRow("right 14") << int(RightFace) << 14 << QPoint(401, 203);
    QTest::newRow("right 15") << int(RightFace) << 15 << QPoint();
    QTest::newRow("top edge only") << int(TopFace) << 0 << QPoint(338, 175);
    QTest::newRow("top 14") << int(TopFace) << 14 << QPoint(338, 175);
    QTest::newRow("top 15") << int(TopFace) << 15 << QPoint();
    QTest::newRow("bottom edge only") << int(BottomFace) << 0 << QPoint(338, 231);
    QTest::newRow("bottom 14") << int(BottomFace) << 14 << QPoint(338, 231);
    QTest::newRow("bottom 15") << int(BottomFace) << 15 << QPoint();
}

void TestBars::depth() {
    QFETCH(int, face);
    QFETCH(int, depth);
    QFETCH(QPoint, ball);

    TestGame t;
    prepare(t);
    TForm1& f = t.form;
    Component& b = f.Hinder3;
    TestGame::put(b, 300, 200, 100, 30);
    const QPoint start = ballAtFace(b, Face(face), depth);
    t.putBall(start.x(), start.y());
    QVERIFY(f.BallTouches(b));

    f.CheckBar(b, bkGrey);

    const bool hit = !ball.isNull();
    const bool across = face == LeftFace || face == RightFace;
    QCOMPARE(QPoint(f.ball.Left, f.ball.Top), hit ? ball : start);
    QCOMPARE(f.bewx, hit && across ? -3000 : 3000);
    QCOMPARE(f.bewy, hit && !across ? 4000 : -4000);
}

void TestBars::buried_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QRect>("bar");

    // A big bar with the ball in its middle; a 6 x 6 bar in the middle of the ball, so that the
    // ball reaches exactly 15 px past each of its faces.
    const QRect big(300, 200, 100, 100);
    const QRect tiny(309, 209, 6, 6);
    for (BarKind kind :
         {bkGreyFar, bkGrey, bkYellowFlat, bkYellowUpright, bkGreen, bkRed, bkRedDragged}) {
        QTest::addRow("kind %d, deep inside a bar", int(kind)) << int(kind) << big;
        QTest::addRow("kind %d, 15 px past every face", int(kind)) << int(kind) << tiny;
    }
}

void TestBars::buried() {
    QFETCH(int, kind);
    QFETCH(QRect, bar);

    TestGame t;
    prepare(t);
    TForm1& f = t.form;
    Component& b = f.hinder6;
    TestGame::put(b, bar.x(), bar.y(), bar.width(), bar.height());
    const bool big = bar.width() > 24;
    putBallWithFraction(t, big ? 338 : 300, big ? 238 : 200);
    const int32 posx = f.posx;
    const int32 posy = f.posy;
    const QPoint ball(f.ball.Left, f.ball.Top);
    QVERIFY(f.BallTouches(b));

    f.CheckBar(b, BarKind(kind));

    QCOMPARE(QPoint(f.ball.Left, f.ball.Top), ball);
    QCOMPARE(f.posx, posx);
    QCOMPARE(f.posy, posy);
    QCOMPARE(f.bewx, 3000);
    QCOMPARE(f.bewy, -4000);
    QCOMPARE(rect(b), bar);
}

void TestBars::corners_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QPoint>("ball");
    QTest::addColumn<int>("bewx");
    QTest::addColumn<int>("bewy");

    // 5 px past the left face and 5 px past the top face at once.
    QTest::newRow("grey") << int(bkGrey) << QPoint(275, 175) << -3000 << 4000;
    QTest::newRow("grey far") << int(bkGreyFar) << QPoint(273, 173) << -3000 << 4000;
    QTest::newRow("green: the step ends as it began")
        << int(bkGreen) << QPoint(275, 175) << 3000 << -4000;
}

void TestBars::corners() {
    QFETCH(int, kind);
    QFETCH(QPoint, ball);
    QFETCH(int, bewx);
    QFETCH(int, bewy);

    TestGame t;
    prepare(t);
    TForm1& f = t.form;
    Component& b = f.hinder8;
    TestGame::put(b, 300, 200, 100, 30);
    putBallWithFraction(t, 281, 181);
    QVERIFY(f.BallTouches(b));

    f.CheckBar(b, BarKind(kind));

    QCOMPARE(QPoint(f.ball.Left, f.ball.Top), ball);
    QCOMPARE(f.posx, ball.x() * 1500);
    QCOMPARE(f.posy, ball.y() * 1500);
    QCOMPARE(f.bewx, bewx);
    QCOMPARE(f.bewy, bewy);
    QCOMPARE(rect(b), QRect(300, 200, 100, 30));
}

void TestBars::designYellowBars_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QRect>("bar");
    QTest::addColumn<QPoint>("ballBefore");
    QTest::addColumn<QPoint>("ballAfter");
    QTest::addColumn<QRect>("barAfter");

    QTest::newRow("flat at Top 380, top face")
        << int(bkYellowFlat) << QRect(370, 380, 91, 30) << QPoint(400, 360) << QPoint(400, 355)
        << QRect(370, 382, 91, 28);
    QTest::newRow("flat at Top 380, bottom face")
        << int(bkYellowFlat) << QRect(370, 380, 91, 30) << QPoint(400, 400) << QPoint(400, 411)
        << QRect(370, 380, 91, 28);
    // Placed by the width before the wear: 50 + 30 + 1, then the bar narrows to 28.
    QTest::newRow("upright, right face")
        << int(bkYellowUpright) << QRect(50, 40, 30, 311) << QPoint(77, 150) << QPoint(81, 150)
        << QRect(50, 40, 28, 311);
    QTest::newRow("upright, left face")
        << int(bkYellowUpright) << QRect(50, 40, 30, 311) << QPoint(30, 150) << QPoint(25, 150)
        << QRect(52, 40, 28, 311);
}

void TestBars::designYellowBars() {
    QFETCH(int, kind);
    QFETCH(QRect, bar);
    QFETCH(QPoint, ballBefore);
    QFETCH(QPoint, ballAfter);
    QFETCH(QRect, barAfter);

    TestGame t;
    prepare(t);
    TForm1& f = t.form;
    Component& b = kind == bkYellowFlat ? f.hinder5 : f.hinder9;
    TestGame::put(b, bar.x(), bar.y(), bar.width(), bar.height());
    putBallWithFraction(t, ballBefore.x(), ballBefore.y());
    QVERIFY(f.BallTouches(b));

    f.CheckBar(b, BarKind(kind));

    QCOMPARE(QPoint(f.ball.Left, f.ball.Top), ballAfter);
    if (kind == bkYellowFlat) {
        QCOMPARE(f.posy, ballAfter.y() * 1500);
    } else {
        QCOMPARE(f.posx, ballAfter.x() * 1500);
    }
    QCOMPARE(rect(b), barAfter);
}

void TestBars::wearToRemoval_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QList<int>>("faces");  // hit in turn, over and over
    QTest::addColumn<int>("thickness");
    QTest::addColumn<int>("hits");  // the hit that puts the bar aside

    const QList<int> top{TopFace}, bottom{BottomFace}, topBottom{TopFace, BottomFace};
    const QList<int> left{LeftFace}, right{RightFace}, leftRight{LeftFace, RightFace};
    QTest::newRow("flat 30, top") << int(bkYellowFlat) << top << 30 << 15;
    QTest::newRow("flat 30, bottom") << int(bkYellowFlat) << bottom << 30 << 15;
    QTest::newRow("flat 30, both in turn") << int(bkYellowFlat) << topBottom << 30 << 15;
    QTest::newRow("upright 30, left") << int(bkYellowUpright) << left << 30 << 15;
    QTest::newRow("upright 30, right") << int(bkYellowUpright) << right << 30 << 15;
    QTest::newRow("upright 30, both in turn") << int(bkYellowUpright) << leftRight << 30 << 15;
    QTest::newRow("flat 31, top") << int(bkYellowFlat) << top << 31 << 16;
    QTest::newRow("flat 31, bottom") << int(bkYellowFlat) << bottom << 31 << 16;
    QTest::newRow("upright 31, right") << int(bkYellowUpright) << right << 31 << 16;
    QTest::newRow("upright 31, left") << int(bkYellowUpright) << left << 31 << 16;
    QTest::newRow("flat 1, bottom") << int(bkYellowFlat) << bottom << 1 << 1;
    QTest::newRow("upright 2, left") << int(bkYellowUpright) << left << 2 << 1;
}

void TestBars::wearToRemoval() {
    QFETCH(int, kind);
    QFETCH(QList<int>, faces);
    QFETCH(int, thickness);
    QFETCH(int, hits);

    TestGame t;
    prepare(t);
    TForm1& f = t.form;
    const bool flat = kind == bkYellowFlat;
    Component& b = flat ? f.hinder6 : f.hinder10;
    if (flat) {
        TestGame::put(b, 370, 380, 91, thickness);
    } else {
        TestGame::put(b, 50, 40, thickness, 311);
    }
    // The leading face (top or left) moves by 2 at each of its hits.
    int32 leading = flat ? 380 : 50;

    for (int hit = 1; hit <= hits; ++hit) {
        const Face face = Face(faces[(hit - 1) % faces.size()]);
        const QPoint at = ballAtFace(b, face, 1);
        t.putBall(at.x(), at.y());
        QVERIFY(f.BallTouches(b));
        const QRect before = rect(b);
        const int32 step = flat ? f.bewy : f.bewx;
        f.CheckBar(b, BarKind(kind));

        // One face only: the ball goes 1 px off it, placed by the bar's size before the wear,
        // and the step across it turns once, also on the hit that puts the bar aside.
        switch (face) {
            case TopFace:
                QCOMPARE(f.ball.Top, before.y() - 25);
                break;
            case BottomFace:
                QCOMPARE(f.ball.Top, before.y() + before.height() + 1);
                break;
            case LeftFace:
                QCOMPARE(f.ball.Left, before.x() - 25);
                break;
            case RightFace:
                QCOMPARE(f.ball.Left, before.x() + before.width() + 1);
                break;
        }
        QCOMPARE(flat ? f.bewy : f.bewx, -step);
        const int32 worn = flat ? b.Height : b.Width;
        QCOMPARE(worn, thickness - 2 * hit);
        if (face == TopFace || face == LeftFace) {
            leading += 2;
        }
        const int32 position = flat ? b.Top : b.Left;
        QCOMPARE(position, hit < hits ? leading : -5);
    }
    // The other axis and the picture's flag are left as they were.
    if (flat) {
        QCOMPARE(b.Left, 370);
        QCOMPARE(b.Width, 91);
    } else {
        QCOMPARE(b.Top, 40);
        QCOMPARE(b.Height, 311);
    }
    QCOMPARE(b.Visible, true);
}

void TestBars::crossHitsDoNotWear_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("face");

    QTest::newRow("flat, left") << int(bkYellowFlat) << int(LeftFace);
    QTest::newRow("flat, right") << int(bkYellowFlat) << int(RightFace);
    QTest::newRow("upright, top") << int(bkYellowUpright) << int(TopFace);
    QTest::newRow("upright, bottom") << int(bkYellowUpright) << int(BottomFace);
}

void TestBars::crossHitsDoNotWear() {
    QFETCH(int, kind);
    QFETCH(int, face);

    TestGame t;
    prepare(t);
    TForm1& f = t.form;
    Component& b = f.hinder5;
    const QRect bar = kind == bkYellowFlat ? QRect(370, 200, 91, 30) : QRect(300, 100, 30, 311);
    TestGame::put(b, bar.x(), bar.y(), bar.width(), bar.height());

    for (int hit = 1; hit <= 20; ++hit) {
        const QPoint at = ballAtFace(b, Face(face), 1);
        t.putBall(at.x(), at.y());
        QVERIFY(f.BallTouches(b));
        const int32 bewx = f.bewx;
        const int32 bewy = f.bewy;
        f.CheckBar(b, BarKind(kind));
        // Every one of them is a hit.
        const bool across = face == LeftFace || face == RightFace;
        QCOMPARE(f.bewx, across ? -bewx : bewx);
        QCOMPARE(f.bewy, across ? bewy : -bewy);
    }
    QCOMPARE(rect(b), bar);
}

void TestBars::hiddenBarDeflects_data() {
    QTest::addColumn<bool>("visible");

    QTest::newRow("shown") << true;
    QTest::newRow("hidden") << false;
}

void TestBars::hiddenBarDeflects() {
    QFETCH(bool, visible);

    TestGame t;
    prepare(t);
    TForm1& f = t.form;
    TestGame::put(f.Hinder3, 400, 100, 30, 341);
    f.Hinder3.Visible = visible;
    // The tick's move brings the ball to Left 380, 4 px into the left face.
    t.putBall(378, 200);
    f.bewy = 0;
    QCOMPARE(t.ticks(1), 1);

    QCOMPARE(f.ball.Left, 375);
    QCOMPARE(f.posx, 375 * 1500);
    QCOMPARE(f.bewx, -3000);
}

void TestBars::redBarSpacing_data() {
    QTest::addColumn<bool>("dragged");
    QTest::addColumn<int>("gap");

    QTest::newRow("found by the tick") << false << 3;
    QTest::newRow("found by a drag step") << true << 0;
}

void TestBars::redBarSpacing() {
    QFETCH(bool, dragged);
    QFETCH(int, gap);

    TestGame t;
    prepare(t);
    TForm1& f = t.form;
    TestGame::put(f.hinder7, 300, 200, 100, 30);
    f.bewy = 0;
    if (dragged) {
        t.putBall(281, 203);
        // Press and move on the bar's middle: the drag step runs, and the bar stays put.
        f.Mouse.press(350, 215, MouseButton::Left);
        f.Mouse.move(350, 215);
        QCOMPARE(f.ziehen, true);
    } else {
        // The tick's move brings the ball to Left 281.
        t.putBall(279, 203);
        QCOMPARE(t.ticks(1), 1);
    }

    QCOMPARE(rect(f.hinder7), QRect(300, 200, 100, 30));
    QCOMPARE(f.ball.Left + 24, 300 - gap);
    QCOMPARE(f.posx, f.ball.Left * 1500);
    QCOMPARE(f.bewx, -3000);
}

QTEST_GUILESS_MAIN(TestBars)
#include "tst_bars.moc"
