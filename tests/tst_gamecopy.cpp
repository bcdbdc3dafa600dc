// A game that takes over another's state plays on exactly as the original does: the same events
// afterwards give the same state, whatever the moment it was taken over at.
#include <QtTest>
#include <functional>

#include "headless/eventplayer.h"
#include "headless/statedump.h"
#include "tests/testgame.h"

namespace {

using Events = std::vector<InputEvent>;

// Level 1 with two bars, a penny in the first fall and a far hand.
const QString Level = QStringLiteral(
    "[1]\nhinder1.left=80\nhinder1.top=250\nhinder1.width=201\nhinder1.height=30\n"
    "hinder5.left=300\nhinder5.top=300\nhinder5.width=200\nhinder5.height=30\n"
    "dig1.left=40\ndig1.top=120\ndig1.width=39\ndig1.height=40\n"
    "dig11=560\ndig11.top=60\ndig11.width=49\ndig11.height=60\n");

InputEvent at(InputEvent::Kind kind, int32 x, int32 y) {
    return {kind, x, y};
}

InputEvent times(InputEvent::Kind kind, long count) {
    return {kind, 0, 0, MouseButton::Left, count};
}

}  // namespace

Q_DECLARE_METATYPE(Events)

class TestGameCopy : public QObject {
    Q_OBJECT

private slots:
    void playsOnAlike_data();
    void playsOnAlike();
};

void TestGameCopy::playsOnAlike_data() {
    QTest::addColumn<Events>("before");
    QTest::addColumn<Events>("after");

    const InputEvent start = at(InputEvent::Click, 300, 200);
    QTest::newRow("the red bar held, then dragged off it")
        << Events{start, times(InputEvent::Tick, 5), at(InputEvent::Press, 316, 217)}
        << Events{at(InputEvent::Move, 100, 330), times(InputEvent::Tick, 40),
                  at(InputEvent::Move, 500, 100), at(InputEvent::Release, 500, 100)};
    QTest::newRow("a penny taken, the paddle moved away")
        << Events{start, at(InputEvent::Move, 110, 300), times(InputEvent::Tick, 90)}
        << Events{times(InputEvent::Tick, 60), times(InputEvent::Countdown, 3),
                  at(InputEvent::Move, 200, 300), times(InputEvent::Tick, 60)};
    QTest::newRow("the round-end dialog's message in flight")
        << Events{start, at(InputEvent::Move, 600, 300), times(InputEvent::Tick, 40),
                  times(InputEvent::Flight, 100)}
        << Events{times(InputEvent::Flight, 400),
                  times(InputEvent::Blink, 3),
                  {InputEvent::DialogButton},
                  start,
                  times(InputEvent::Tick, 10)};
}

void TestGameCopy::playsOnAlike() {
    QFETCH(Events, before);
    QFETCH(Events, after);

    TestGame original(Level);
    for (const InputEvent& event : before) {
        QVERIFY(original.headless.play(event));
    }
    QVERIFY(original.platform.messages.empty());
    HeadlessGame twin([&original] { return ProfileFile(original.levelFile); },
                      HeadlessGame::Begin::BeforeStartUp);
    twin.platform = original.platform;
    twin.game.copyStateFrom(original.game);
    QCOMPARE(dumpState(twin.game, twin.platform), dumpState(original.game, original.platform));

    for (const InputEvent& event : after) {
        original.headless.play(event);
        twin.play(event);
        QCOMPARE(dumpState(twin.game, twin.platform), dumpState(original.game, original.platform));
    }
}

QTEST_GUILESS_MAIN(TestGameCopy)
#include "tst_gamecopy.moc"
