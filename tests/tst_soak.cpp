// Long, repeatable random play, over the shipped levels and over random level files: the pointer
// mostly under the ball, drags of the red bar, menu commands, the countdown in its rhythm, and
// the round-end dialog closed whenever it shows. What must always hold is checked after every
// event.
#include <QTemporaryDir>
#include <QtTest>
#include <fstream>
#include <random>

#include "headless/headlessgame.h"
#include "play/levelelements.h"

namespace {

enum Rhythm { TicksPerCountdown = 31, QuitOdds = 200000 };

// Values a level file may hold, the edges of 32 bits among them.
const std::int64_t Extremes[] = {
    0, -1, 1, -1000, 5000, 2147483647, -2147483647, -2147483648LL, 65536, -65536};

// A level file with every key of levels 1 to 8 set at random: mostly sensible positions, now
// and then an extreme value or a key left out.
std::string randomLevelFile(std::mt19937& random) {
    static const char* const Keys[] = {".left", ".top", ".width", ".height", ".visible"};
    std::uniform_int_distribution<int> percent(0, 99);
    std::string text;
    for (int level = 1; level <= 8; ++level) {
        text += "[" + std::to_string(level) + "]\n";
        for (const ElementId id : LevelElements) {
            const std::string element(id.name());
            for (const char* key : Keys) {
                const int roll = percent(random);
                const bool checked = level == 1 && element == "hinder1" && key[1] == 'l';
                if (roll < 5 && !checked) {
                    continue;
                }
                // Sizes like the shipped bars and pennies, so that rounds last a while.
                const bool size = key[1] == 'w' || key[1] == 'h';
                std::int64_t value = roll < 8 ? Extremes[random() % std::size(Extremes)]
                                              : std::int64_t(random() % (size ? 120 : 640));
                if (std::string_view(key) == ".visible") {
                    value = roll < 70;
                }
                // The start-up check wants hinder1's left in level 1.
                if (checked) {
                    value = 1 + random() % 600;
                }
                text += std::string(element) + key + "=" + std::to_string(value) + "\n";
            }
        }
    }
    return text;
}

// The player: follows the ball with the pointer, sometimes grabs the red bar, sometimes wanders
// off the field or chooses a menu command.
class RandomPlayer {
public:
    RandomPlayer(Game& game, std::uint32_t randomStart) : game(game), random(randomStart) {}

    InputEvent next() {
        const TForm1& form = game.Form1;
        if (game.Form2.Visible) {
            return dialogEvent();
        }
        if (form.Label4.Visible) {
            return pointer(InputEvent::Click, 300, 200);
        }
        // Quitting now and then starts the program afresh; mostly the game goes on.
        if (random() % QuitOdds == 0) {
            return {InputEvent::Quit};
        }
        // Mostly a few ticks, each run of them after a pointer move under the ball.
        steered = !steered;
        const int roll = percent(random);
        if (roll < 85 && steered) {
            return pointer(InputEvent::Move, form.ball.Left + 15 + int(random() % 40) - 20, 406);
        }
        if (roll < 85) {
            return {InputEvent::Tick, 0, 0, MouseButton::Left, 1 + int(random() % 4)};
        }
        if (roll < 93) {
            return drag();
        }
        if (roll < 97) {
            return pointer(InputEvent::Move, int(random() % 900) - 150, int(random() % 700) - 150);
        }
        const InputEvent::Kind menus[] = {InputEvent::Pause, InputEvent::BuyBall,
                                          InputEvent::BuyLevel, InputEvent::Info};
        const InputEvent::Kind menu = menus[random() % std::size(menus)];
        return {menu};
    }

    // The timer events that fire while a message box is open.
    bool boxEvent(InputEvent& event) {
        if (percent(random) < 30) {
            return false;
        }
        event = {percent(random) < 80 ? InputEvent::Tick : InputEvent::Countdown, 0, 0,
                 MouseButton::Left, 1 + int(random() % 8)};
        return true;
    }

private:
    InputEvent pointer(InputEvent::Kind kind, int32 x, int32 y) { return {kind, x, y}; }

    InputEvent dialogEvent() {
        const int roll = percent(random);
        if (roll < 70) {
            return {roll < 60 ? InputEvent::Flight : InputEvent::Blink, 0, 0, MouseButton::Left,
                    1 + int(random() % 50)};
        }
        return {roll < 85 ? InputEvent::DialogButton : InputEvent::DialogCloseBox};
    }

    // A press on the red bar, a few moves and a release, one event at a time.
    InputEvent drag() {
        const Component& bar = game.Form1.hinder7;
        if (!game.Form1.ziehen) {
            // Mostly the left button; now and then one that does not capture.
            const int roll = percent(random);
            const MouseButton button = roll < 5    ? MouseButton::Right
                                       : roll < 10 ? MouseButton::Middle
                                                   : MouseButton::Left;
            return {InputEvent::Press, bar.Left + bar.Width / 2, bar.Top + bar.Height / 2, button};
        }
        if (percent(random) < 25) {
            return {InputEvent::Release, bar.Left, bar.Top};
        }
        return pointer(InputEvent::Move, int(random() % 760) - 60, int(random() % 560) - 60);
    }

    Game& game;
    bool steered = false;
    std::mt19937 random;
    std::uniform_int_distribution<int> percent{0, 99};
};

struct SoakResult {
    long ticks = 0;
    long rounds = 0;
    int32 highestLevel = 0;
    std::string breach;
};

// Plays programs one after another over the level file until the ticks are used up.
SoakResult soak(const std::string& levelFile, std::uint32_t randomStart, long tickBudget) {
    SoakResult result;
    for (std::uint32_t run = 0; result.ticks < tickBudget && result.breach.empty(); ++run) {
        HeadlessGame headless([&levelFile] { return ProfileFile(levelFile); },
                              HeadlessGame::Begin::BeforeStartUp);
        const Game& game = headless.game;
        RandomPlayer player(headless.game, randomStart + run);
        headless.player.setBoxEvents(
            [&player](InputEvent& event) { return player.boxEvent(event); });
        headless.startUp();
        if (headless.platform.quit) {
            result.breach = "the level file was refused at start-up";
            break;
        }
        long sinceCountdown = 0;
        while (result.ticks < tickBudget) {
            InputEvent event = player.next();
            // Only ticks that move the ball or the message count towards the budget.
            const bool moving = event.kind == InputEvent::Tick
                                    ? game.Form1.Timer1.Enabled && !game.Form1.halt
                                    : event.kind == InputEvent::Flight && game.Form2.Timer2.Enabled;
            if (moving) {
                result.ticks += event.count;
                sinceCountdown += event.count;
            }
            result.rounds += event.kind == InputEvent::Click && game.Form1.Label4.Visible;
            if (!headless.play(event)) {
                break;
            }
            if (sinceCountdown >= TicksPerCountdown &&
                !headless.play({InputEvent::Countdown, 0, 0, MouseButton::Left,
                                sinceCountdown / TicksPerCountdown})) {
                break;
            }
            sinceCountdown %= TicksPerCountdown;
            result.highestLevel = std::max(result.highestLevel, game.Form1.levelnr);
        }
        result.breach = headless.player.breach();
    }
    return result;
}

}  // namespace

class TestSoak : public QObject {
    Q_OBJECT

private slots:
    void playsLongWithoutBreakingARule_data();
    void playsLongWithoutBreakingARule();
};

void TestSoak::playsLongWithoutBreakingARule_data() {
    QTest::addColumn<bool>("shippedLevels");
    QTest::addColumn<uint>("randomStart");
    QTest::addColumn<int>("files");

    QTest::newRow("shipped levels") << true << 1u << 1;
    QTest::newRow("random level files") << false << 2u << 25;
}

void TestSoak::playsLongWithoutBreakingARule() {
    QFETCH(bool, shippedLevels);
    QFETCH(uint, randomStart);
    QFETCH(int, files);

    enum { TicksPerRow = 1000000 };
    QTemporaryDir dir;
    std::mt19937 random(randomStart);
    SoakResult total;
    for (int file = 0; file < files; ++file) {
        std::string path = QStringLiteral(LEVEL_FILE).toStdString();
        if (!shippedLevels) {
            path = dir.filePath(QStringLiteral("%1.ini").arg(file)).toStdString();
            std::ofstream(path) << randomLevelFile(random);
        }
        const SoakResult result = soak(path, randomStart * 1000 + file, TicksPerRow / files);
        QVERIFY2(result.breach.empty(), result.breach.c_str());
        total.ticks += result.ticks;
        total.rounds += result.rounds;
        total.highestLevel = std::max(total.highestLevel, result.highestLevel);
    }
    qInfo("%ld ticks, %ld rounds, highest level %d", total.ticks, total.rounds,
          int(total.highestLevel));
    // The player must really have played: many rounds, and past the first level.
    QVERIFY(total.ticks >= TicksPerRow);
    QVERIFY(total.rounds > 100);
    QVERIFY(total.highestLevel >= 2);
}

QTEST_GUILESS_MAIN(TestSoak)
#include "tst_soak.moc"
