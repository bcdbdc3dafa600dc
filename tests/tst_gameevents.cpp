// What the rules report as it happens: one row a way a round can go, the events it must report, in
// order, with the level, the points and the element they are about.
#include <QtTest>
#include <functional>

#include "play/rules.h"
#include "tests/testgame.h"

namespace {

using Play = std::function<void(TestGame&)>;

// The ball at rest in mid-field, `element` put where it is touched at the next tick.
Play touch(Component TForm1::*element, int32 width, int32 height) {
    return [=](TestGame& t) {
        t.putBall(300, 200);
        t.form.bewx = 0;
        t.form.bewy = 0;
        TestGame::put(t.form.*element, 300, 210, width, height);
        t.ticks(1);
    };
}

QString said(const std::vector<GameEvent>& events) {
    QStringList out;
    for (const GameEvent& e : events) {
        out << QStringLiteral("%1 level %2 points %3 balls %4 %5")
                   .arg(e.kind)
                   .arg(e.level)
                   .arg(e.points)
                   .arg(e.balls)
                   .arg(QString::fromLatin1(e.component.data(), qsizetype(e.component.size())));
    }
    return out.join(QStringLiteral("; "));
}

}  // namespace

Q_DECLARE_METATYPE(Play)

class TestGameEvents : public QObject {
    Q_OBJECT

private slots:
    void reports_data();
    void reports();
};

void TestGameEvents::reports_data() {
    QTest::addColumn<int>("balls");
    QTest::addColumn<Play>("play");
    QTest::addColumn<QString>("events");

    const auto line = [](GameEvent e) { return said({e}); };
    QTest::newRow("a penny") << 2 << touch(&TForm1::dig3, 39, 40)
                             << line({GameEvent::PennyTaken, 1, rules::PennyPoints, 2, "dig3"});
    QTest::newRow("the hand") << 2 << touch(&TForm1::dig11, 49, 60)
                              << line({GameEvent::HandReached, 1, rules::bonusFor(1), 2});
    QTest::newRow("a yellow bar's last hit") << 2 << touch(&TForm1::hinder5, 91, 2)
                                             << line({GameEvent::BarWornAway, 1, 0, 2, "hinder5"});
    QTest::newRow("a bar hit with thickness left") << 2 << touch(&TForm1::hinder5, 91, 30) << "";
    const Play fall = [](TestGame& t) {
        t.form.fanger.Top = TForm1::ParkedPaddleTop;
        t.ticks(100);
    };
    QTest::newRow("a ball lost") << 2 << fall << line({GameEvent::BallLost, 1, 0, 1});
    QTest::newRow("the last ball lost")
        << 1 << fall
        << line({GameEvent::BallLost, 1, 0, 0}) + "; " + line({GameEvent::GameOver, 1, 0, 0});
    const Play runOut = [](TestGame& t) {
        t.form.punkte = 10;
        t.form.Timer2Timer();
    };
    QTest::newRow("the points run out") << 2 << runOut << line({GameEvent::PointsRanOut, 1, 0, 1});
    QTest::newRow("the points run out with the last ball")
        << 1 << runOut
        << line({GameEvent::PointsRanOut, 1, 0, 0}) + "; " + line({GameEvent::GameOver, 1, 0, 0});
}

void TestGameEvents::reports() {
    QFETCH(int, balls);
    QFETCH(Play, play);
    QFETCH(QString, events);

    TestGame t;
    t.form.baelle = balls;
    t.startRound();
    QCOMPARE(said(t.platform.events), said({{GameEvent::LevelLaidOut, 1, 0, balls}}));
    t.platform.events.clear();
    play(t);
    QCOMPARE(said(t.platform.events), events);
}

QTEST_GUILESS_MAIN(TestGameEvents)
#include "tst_gameevents.moc"
