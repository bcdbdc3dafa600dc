// Pennies and the hand: what a touch pays, the messages at the end of a level, the end of the run
// after the last level, and a lost ball that can no longer finish a level.
#include <QtTest>
#include <array>

#include "tests/testgame.h"

namespace {

QString superText(int bonus) {
    return QStringLiteral("Super! Gleich gehts weiter mit dem nächsten Level! %1 Bonus!")
        .arg(bonus);
}

const QString AllLevelsText =
    QStringLiteral("Gratuliere! Sie haben alle Level von Quirlon geschafft!");
const QString AgainText = QStringLiteral(
    "Sie können jetzt noch einmal mit Level 1 beginnen, falls Sie wollen, ansonsten klicken Sie "
    "bitte auf Datei/Beenden zum Beenden.");
const QString MissingFileText = QStringLiteral(
    "Datei fehlt: Bitte kopieren Sie die Datei 328lvd.ini in Ihr Windows-Verzeichnis.");

constexpr std::array<Component TForm1::*, 10> Pennies = {
    &TForm1::dig1, &TForm1::dig2, &TForm1::dig3, &TForm1::dig4, &TForm1::dig5,
    &TForm1::dig6, &TForm1::dig7, &TForm1::dig8, &TForm1::dig9, &TForm1::dig10,
};

Component& penny(TForm1& f, int number) {
    return f.*Pennies[number - 1];
}

// A round in play on an empty field: no level elements, the red bar and the paddle off the field,
// the ball standing still at 300, 200 (the tick's pull only acts from the next move on).
void readyField(TestGame& t) {
    t.startRound();
    TestGame::park(t.form.hinder7);
    TestGame::park(t.form.fanger);
    t.putBall(300, 200);
    t.form.bewx = 0;
    t.form.bewy = 0;
}

// The hand under the ball as readyField leaves it.
void handUnderBall(TForm1& f) {
    TestGame::put(f.dig11, 290, 180, 49, 60);
}

// Sets the level being played and shows it, as a level load would.
void playLevel(TForm1& f, int level, int baelle, int punkte) {
    f.levelnr = level;
    f.baelle = baelle;
    f.punkte = punkte;
    f.ShowLevel();
    f.ShowBalls();
    f.ShowPoints();
}

}  // namespace

class TestPennies : public QObject {
    Q_OBJECT

private slots:
    void pennyTouch_data();
    void pennyTouch();
    void pointsShownAfterEachPenny_data();
    void pointsShownAfterEachPenny();
    void collectedOnlyOnce();
    void pennyBeforeHand_data();
    void pennyBeforeHand();
    void hand_data();
    void hand();
    void stillWhileBoxesOpen_data();
    void stillWhileBoxesOpen();
    void handInLosingTick_data();
    void handInLosingTick();
};

void TestPennies::pennyTouch_data() {
    QTest::addColumn<QList<int>>("numbers");  // the pennies put at `where`
    QTest::addColumn<QRect>("where");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("collected");

    // The ball covers 300..324 x 200..224.
    const QRect over(290, 190, 39, 40);
    for (int n = 1; n <= 10; ++n) {
        QTest::addRow("dig%d", n) << QList<int>{n} << over << true << true;
    }
    QTest::newRow("two pennies") << QList<int>{1, 2} << over << true << true;
    QTest::newRow("last two pennies") << QList<int>{9, 10} << over << true << true;
    QTest::newRow("all ten") << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10} << over << true << true;
    QTest::newRow("edge right of the ball")
        << QList<int>{4} << QRect(324, 190, 39, 40) << true << true;
    QTest::newRow("edge left of the ball")
        << QList<int>{4} << QRect(261, 190, 39, 40) << true << true;
    QTest::newRow("edge below the ball")
        << QList<int>{4} << QRect(290, 224, 39, 40) << true << true;
    QTest::newRow("edge above the ball")
        << QList<int>{4} << QRect(290, 160, 39, 40) << true << true;
    QTest::newRow("corner to corner") << QList<int>{4} << QRect(324, 224, 39, 40) << true << true;
    QTest::newRow("a pixel to the right")
        << QList<int>{4} << QRect(325, 190, 39, 40) << true << false;
    QTest::newRow("a pixel to the left")
        << QList<int>{4} << QRect(260, 190, 39, 40) << true << false;
    QTest::newRow("a pixel below") << QList<int>{4} << QRect(290, 225, 39, 40) << true << false;
    QTest::newRow("a pixel above") << QList<int>{4} << QRect(290, 159, 39, 40) << true << false;
    QTest::newRow("hidden penny") << QList<int>{6} << over << false << true;
    QTest::newRow("hidden, a pixel away")
        << QList<int>{6} << QRect(325, 190, 39, 40) << false << false;
}

void TestPennies::pennyTouch() {
    QFETCH(QList<int>, numbers);
    QFETCH(QRect, where);
    QFETCH(bool, visible);
    QFETCH(bool, collected);

    TestGame t;
    readyField(t);
    TForm1& f = t.form;
    for (int n : numbers) {
        TestGame::put(penny(f, n), where.left(), where.top(), where.width(), where.height());
        penny(f, n).Visible = visible;
    }
    QCOMPARE(t.ticks(1), 1);

    const int paid = collected ? 250 * int(numbers.size()) : 0;
    QCOMPARE(f.punkte, 1000 + paid);
    QCOMPARE(q(f.Label3.Caption), QString::number(1000 + paid).rightJustified(6, '0'));
    for (int n : numbers) {
        const Component& p = penny(f, n);
        const QRect expected =
            collected ? QRect(-1000, -100, where.width(), where.height()) : where;
        QCOMPARE(rect(p), expected);
        QCOMPARE(p.Visible, visible);
    }
    // The ball flies on as if nothing were there, silently.
    QCOMPARE(f.ball.Left, 300);
    QCOMPARE(f.ball.Top, 200);
    QCOMPARE(f.posx, 450000);
    QCOMPARE(f.posy, 300000);
    QCOMPARE(f.bewx, 0);
    QCOMPARE(f.bewy, 2000);
    QVERIFY(t.platform.messages.empty());
    QCOMPARE(t.platform.beeps, 0);
    QCOMPARE(f.halt, false);
}

void TestPennies::pointsShownAfterEachPenny_data() {
    QTest::addColumn<int>("punkte");
    QTest::addColumn<int>("expectedPunkte");
    QTest::addColumn<QString>("shown");

    // A million or more leaves the display as it was. So when the second penny crosses that mark,
    // only a display refresh right after the first penny can have put its sum there.
    QTest::newRow("both shown") << 1000 << 1500 << "001500";
    QTest::newRow("second crosses a million") << 999600 << 1000100 << "999850";
}

void TestPennies::pointsShownAfterEachPenny() {
    QFETCH(int, punkte);
    QFETCH(int, expectedPunkte);
    QFETCH(QString, shown);

    TestGame t;
    readyField(t);
    TForm1& f = t.form;
    TestGame::put(f.dig3, 290, 190, 39, 40);
    TestGame::put(f.dig7, 300, 200, 39, 40);
    f.punkte = punkte;
    f.setCaption(f.Label3, "before");
    QCOMPARE(t.ticks(1), 1);

    QCOMPARE(f.punkte, expectedPunkte);
    QCOMPARE(q(f.Label3.Caption), shown);
    QCOMPARE(f.dig3.Left, -1000);
    QCOMPARE(f.dig7.Left, -1000);
}

void TestPennies::collectedOnlyOnce() {
    TestGame t;
    readyField(t);
    TForm1& f = t.form;
    TestGame::put(f.dig5, 290, 190, 39, 40);
    f.dig5.Visible = false;
    QCOMPARE(t.ticks(1), 1);
    QCOMPARE(f.punkte, 1250);

    // Back over the place where the penny lay, tick after tick.
    for (int i = 0; i < 5; ++i) {
        t.putBall(300, 200);
        f.bewx = 0;
        f.bewy = 0;
        QCOMPARE(t.ticks(1), 1);
    }
    QCOMPARE(f.punkte, 1250);
    QCOMPARE(rect(f.dig5), QRect(-1000, -100, 39, 40));
    QCOMPARE(f.dig5.Visible, false);
}

void TestPennies::pennyBeforeHand_data() {
    QTest::addColumn<QList<int>>("numbers");
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("shownInBox");  // the points display while the first box is open
    QTest::addColumn<int>("pointsInBox");
    QTest::addColumn<int>("punkte");  // after the tick
    QTest::addColumn<QString>("shown");

    QTest::newRow("dig1 and the hand")
        << QList<int>{1} << 1 << "001250" << 1275 << 1275 << "001275";
    QTest::newRow("dig10 and the hand")
        << QList<int>{10} << 3 << "001250" << 1325 << 1325 << "001325";
    QTest::newRow("two pennies and the hand")
        << QList<int>{2, 9} << 6 << "001500" << 1650 << 1650 << "001650";
    QTest::newRow("penny and the hand of the last level")
        << QList<int>{4} << 7 << "001250" << 1425 << 1000 << "001000";
}

void TestPennies::pennyBeforeHand() {
    QFETCH(QList<int>, numbers);
    QFETCH(int, level);
    QFETCH(QString, shownInBox);
    QFETCH(int, pointsInBox);
    QFETCH(int, punkte);
    QFETCH(QString, shown);

    TestGame t;
    readyField(t);
    TForm1& f = t.form;
    playLevel(f, level, 2, 1000);
    handUnderBall(f);
    for (int n : numbers) {
        TestGame::put(penny(f, n), 290, 190, 39, 40);
    }
    std::optional<QString> displayInBox;
    std::optional<int> pointsAtBox;
    bool penniesGoneAtBox = false;
    t.platform.whileMessageOpen = [&](const std::string&) {
        if (displayInBox) {
            return;
        }
        displayInBox = q(f.Label3.Caption);
        pointsAtBox = f.punkte;
        penniesGoneAtBox = true;
        for (int n : numbers) {
            penniesGoneAtBox = penniesGoneAtBox && penny(f, n).Left == -1000;
        }
    };
    QCOMPARE(t.ticks(1), 1);

    QVERIFY(displayInBox.has_value());
    QCOMPARE(*displayInBox, shownInBox);
    QCOMPARE(*pointsAtBox, pointsInBox);
    QVERIFY(penniesGoneAtBox);
    QCOMPARE(f.punkte, punkte);
    QCOMPARE(q(f.Label3.Caption), shown);
    QCOMPARE(t.messages().value(0), superText(25 * level));
}

void TestPennies::hand_data() {
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("fileGone");  // the level file removed while the level was played
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QList<int>>("pointsInBoxes");
    QTest::addColumn<int>("punkte");
    QTest::addColumn<int>("baelle");
    QTest::addColumn<int>("levelnr");
    QTest::addColumn<QStringList>("hud");  // level, balls, points

    // Every row starts from 4321 points and 3 balls.
    const auto level = [](int n, int bonus, const char* points) {
        QTest::addRow("level %d", n)
            << n << false << QStringList{superText(bonus)} << QList<int>{4321 + bonus}
            << 4321 + bonus << 3 << n << QStringList{QString("Level %1").arg(n), "3 Bälle", points};
    };
    level(1, 25, "004346");
    level(2, 50, "004371");
    level(3, 75, "004396");
    level(6, 150, "004471");
    // Past the last level only by buying; the run ends at exactly the last level, not beyond.
    level(8, 200, "004521");
    level(9, 225, "004546");
    level(40, 1000, "005321");
    QTest::newRow("level 7 ends the run")
        << 7 << false << QStringList{superText(175), AllLevelsText, AgainText}
        << QList<int>{4496, 4496, 4496} << 1000 << 2 << 0
        << QStringList{"Level 0", "2 Bälle", "001000"};
    QTest::newRow("level 7 with the level file gone")
        << 7 << true << QStringList{superText(175), AllLevelsText, MissingFileText, AgainText}
        << QList<int>{4496, 4496, 4496, 4496} << 1000 << 2 << 0
        << QStringList{"Level 0", "2 Bälle", "001000"};
}

void TestPennies::hand() {
    QFETCH(int, level);
    QFETCH(bool, fileGone);
    QFETCH(QStringList, texts);
    QFETCH(QList<int>, pointsInBoxes);
    QFETCH(int, punkte);
    QFETCH(int, baelle);
    QFETCH(int, levelnr);
    QFETCH(QStringList, hud);

    TestGame t;
    readyField(t);
    TForm1& f = t.form;
    playLevel(f, level, 3, 4321);
    handUnderBall(f);
    TestGame::put(f.hinder7, 20, 300, 100, 30);
    if (fileGone) {
        QVERIFY(std::filesystem::remove(t.levelFile));
    }
    QList<int> pointsAtBoxes;
    QList<int> levelAtBoxes;
    t.platform.whileMessageOpen = [&](const std::string&) {
        pointsAtBoxes << f.punkte;
        levelAtBoxes << f.levelnr;
    };
    QCOMPARE(t.ticks(1), 1);

    QCOMPARE(t.messages(), texts);
    QCOMPARE(pointsAtBoxes, pointsInBoxes);
    QCOMPARE(levelAtBoxes, QList<int>(texts.size(), level));
    QCOMPARE(t.platform.quit, fileGone);
    QCOMPARE(f.punkte, punkte);
    QCOMPARE(f.baelle, baelle);
    QCOMPARE(f.levelnr, levelnr);
    QCOMPARE((QStringList{q(f.Label1.Caption), q(f.Label2.Caption), q(f.Label3.Caption)}), hud);
    // Play stands still behind the start prompt, the paddle out of the field.
    QCOMPARE(f.halt, true);
    QCOMPARE(f.Label4.Visible, true);
    QCOMPARE(f.fanger.Top, 1000);
    QCOMPARE(f.Timer1.Enabled, true);
    QCOMPARE(t.game.Form2.Visible, false);
    // The red bar stays; the ball stays at the hand unless the run is over and it is back at its
    // start.
    QCOMPARE(rect(f.hinder7), QRect(20, 300, 100, 30));
    const bool runOver = level == 7;
    QCOMPARE(f.ball.Left, runOver ? 0 : 300);
    QCOMPARE(f.ball.Top, runOver ? 39 : 200);
    QCOMPARE(f.posy, runOver ? 59000 : 300000);
    QCOMPARE(t.platform.beeps, 0);
}

void TestPennies::stillWhileBoxesOpen_data() {
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("boxes");

    QTest::newRow("level 1") << 1 << 1;
    QTest::newRow("level 7") << 7 << 3;
    QTest::newRow("level 8") << 8 << 1;
}

void TestPennies::stillWhileBoxesOpen() {
    QFETCH(int, level);
    QFETCH(int, boxes);

    TestGame t;
    readyField(t);
    TForm1& f = t.form;
    playLevel(f, level, 2, 1000);
    handUnderBall(f);
    // Moving sideways, so that any tick that is not held still moves it.
    f.bewx = 3000;

    struct Snapshot {
        int32 left, top, posx, posy, bewx, bewy, durchgang, punkte;
        bool operator==(const Snapshot&) const = default;
    };
    const auto snapshot = [&f] {
        return Snapshot{f.ball.Left, f.ball.Top, f.posx,      f.posy,
                        f.bewx,      f.bewy,     f.durchgang, f.punkte};
    };
    int opened = 0;
    int depth = 0;
    int stillBoxes = 0;
    int ticksInBoxes = 0;
    t.platform.whileMessageOpen = [&](const std::string&) {
        ++opened;
        // A box opened from within a box means a tick reached the hand again; going deeper would
        // never end.
        if (++depth == 1) {
            const Snapshot before = snapshot();
            const int repaints = t.platform.repaints;
            ticksInBoxes += t.ticks(50);
            for (int i = 0; i < 3; ++i) {
                f.Timer2Timer();
            }
            if (snapshot() == before && t.platform.repaints == repaints + 50) {
                ++stillBoxes;
            }
        }
        --depth;
    };
    QCOMPARE(t.ticks(1), 1);

    QCOMPARE(opened, boxes);
    QCOMPARE(ticksInBoxes, 50 * boxes);
    QCOMPARE(stillBoxes, boxes);
    QCOMPARE(int(t.platform.messages.size()), boxes);
    QCOMPARE(t.platform.beeps, 0);
}

void TestPennies::handInLosingTick_data() {
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("baelle");
    QTest::addColumn<bool>("lost");
    QTest::addColumn<bool>("withPenny");
    QTest::addColumn<bool>("withPaddle");
    QTest::addColumn<int>("punkte");         // right after the tick
    QTest::addColumn<QStringList>("texts");  // the boxes the tick opened
    QTest::addColumn<int>("ballTop");
    QTest::addColumn<int>("levelnr");  // once the round is over (the dialog closed, if any)
    QTest::addColumn<int>("next");     // the level the next start click lays out

    // Held against the ball while it is in the field, the hand ends the level.
    QTest::newRow("in the field, level 1")
        << 1 << 2 << false << false << false << 1025 << QStringList{superText(25)} << 200 << 1 << 2;
    QTest::newRow("in the field, level 7")
        << 7 << 2 << false << false << false << 1000
        << QStringList{superText(175), AllLevelsText, AgainText} << 39 << 0 << 1;
    QTest::newRow("in the field, with a penny")
        << 3 << 2 << false << true << false << 1325 << QStringList{superText(75)} << 200 << 3 << 4;
    // In the tick that loses the ball the hand does nothing; the round-end dialog decides.
    QTest::newRow("losing, level 1")
        << 1 << 2 << true << false << false << 1000 << QStringList{} << 410 << 0 << 1;
    QTest::newRow("losing, level 3")
        << 3 << 3 << true << false << false << 1000 << QStringList{} << 410 << 2 << 3;
    QTest::newRow("losing, level 7")
        << 7 << 2 << true << false << false << 1000 << QStringList{} << 410 << 6 << 7;
    QTest::newRow("losing, penny still pays")
        << 3 << 2 << true << true << false << 1250 << QStringList{} << 410 << 2 << 3;
    QTest::newRow("losing, paddle still bounces")
        << 3 << 2 << true << false << true << 1000 << QStringList{} << 376 << 2 << 3;
    QTest::newRow("losing at level 7, paddle and penny")
        << 7 << 2 << true << true << true << 1250 << QStringList{} << 376 << 6 << 7;
    QTest::newRow("losing the last ball at level 7")
        << 7 << 1 << true << false << false << 1000 << QStringList{} << 410 << 0 << 1;
}

void TestPennies::handInLosingTick() {
    QFETCH(int, level);
    QFETCH(int, baelle);
    QFETCH(bool, lost);
    QFETCH(bool, withPenny);
    QFETCH(bool, withPaddle);
    QFETCH(int, punkte);
    QFETCH(QStringList, texts);
    QFETCH(int, ballTop);
    QFETCH(int, levelnr);
    QFETCH(int, next);

    TestGame t;
    readyField(t);
    TForm1& f = t.form;
    playLevel(f, level, baelle, 1000);
    if (lost) {
        // From Top 409 a step of 1500 crosses the loss line at 410. Hand and penny reach over the
        // lost ball and over where the paddle puts it back (376).
        t.putBall(300, 409);
        f.bewy = 1500;
        TestGame::put(f.dig11, 290, 380, 49, 60);
        if (withPenny) {
            TestGame::put(f.dig1, 290, 390, 39, 40);
        }
    } else {
        handUnderBall(f);
        if (withPenny) {
            TestGame::put(f.dig1, 290, 190, 39, 40);
        }
    }
    if (withPaddle) {
        TestGame::put(f.fanger, 250, 404, 211, 30);
    }
    QCOMPARE(t.ticks(1), 1);

    QCOMPARE(t.messages(), texts);
    QCOMPARE(f.punkte, punkte);
    QCOMPARE(f.ball.Top, ballTop);
    if (withPenny) {
        QCOMPARE(rect(f.dig1), QRect(-1000, -100, 39, 40));
    }
    if (withPaddle) {
        QCOMPARE(f.posy, 564000);
        QCOMPARE(f.bewy, -3500);
    }
    QCOMPARE(f.Timer1.Enabled, !lost);
    QCOMPARE(t.game.Form2.Visible, lost);
    QCOMPARE(f.baelle, lost ? baelle - 1 : (level == 7 ? 2 : baelle));
    // A lost ball leaves play running for the dialog; a finished level holds it behind the prompt.
    QCOMPARE(f.halt, !lost);
    QCOMPARE(f.Label4.Visible, !lost);

    if (lost) {
        t.game.Form2.Label2Click();
        QCOMPARE(t.game.Form2.Visible, false);
    }
    QCOMPARE(f.levelnr, levelnr);
    QCOMPARE(f.Label4.Visible, true);
    // Waiting for the start, the level display holds whatever the round's end left in it.
    const QString waiting = q(f.Label1.Caption);
    QCOMPARE(t.ticks(20), lost ? 0 : 20);
    f.Timer2Timer();
    QCOMPARE(q(f.Label1.Caption), waiting);
    QCOMPARE(f.levelnr, levelnr);

    f.Label4Click();
    QCOMPARE(f.levelnr, next);
    QCOMPARE(q(f.sektion), QString::number(next));
    QCOMPARE(q(f.Label1.Caption), QString("Level %1").arg(next));
}

QTEST_GUILESS_MAIN(TestPennies)
#include "tst_pennies.moc"
