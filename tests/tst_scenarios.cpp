// Whole scenarios played by the scenario runner, compared line by line with the expected JSON,
// and a whole game on the shipped levels, checked dump by dump.
#include <QtTest>

namespace {

const QString Bonus1 =
    QStringLiteral("Super! Gleich gehts weiter mit dem nächsten Level! 25 Bonus!");
const QString TooFew = QStringLiteral("Zuwenig Punkte");
const QString Again = QStringLiteral(
    "Sie können jetzt noch einmal mit Level 1 beginnen, wenn Sie wollen. Viel Spaß!");

// The elements a level lays out; the ball, the paddle and the red bar are placed by the game.
bool laidOutByLevel(const QString& name) {
    return name.startsWith(QLatin1String("dig")) ||
           (name.startsWith(QLatin1String("hinder"), Qt::CaseInsensitive) &&
            name != QLatin1String("hinder7"));
}

QJsonObject levelLayout(const QJsonObject& state) {
    QJsonObject layout;
    const QJsonObject elements = state[QLatin1String("elements")].toObject();
    for (auto it = elements.begin(); it != elements.end(); ++it) {
        if (laidOutByLevel(it.key())) {
            layout.insert(it.key(), it.value());
        }
    }
    return layout;
}

}  // namespace

class TestScenarios : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void wholeGameWritesNothing();
    void run_data();
    void run();
    void wholeGame_data();
    void wholeGame();
    void wholeGameLayouts();

private:
    // The dumps of tests/scenarios/whole-game.sim, the first at index 1.
    QList<QJsonObject> game;
};

void TestScenarios::initTestCase() {
    const QDir dir(QStringLiteral(SCENARIO_DIR));
    QProcess sim;
    sim.start(QStringLiteral(QUIRLON_SIM), {dir.filePath(QStringLiteral("../../levels/328lvd.ini")),
                                            dir.filePath(QStringLiteral("whole-game.sim"))});
    QVERIFY2(sim.waitForFinished(30000), "the runner did not finish");
    QCOMPARE(QString::fromUtf8(sim.readAllStandardError()), QString());
    QCOMPARE(sim.exitCode(), 0);
    game.append(QJsonObject());
    for (const QByteArray& line : sim.readAllStandardOutput().split('\n')) {
        if (line.isEmpty()) {
            continue;
        }
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(line, &error);
        QVERIFY2(document.isObject(), qPrintable(error.errorString()));
        game.append(document.object());
    }
}

void TestScenarios::run_data() {
    QTest::addColumn<QString>("name");

    QTest::newRow("free fall") << "freefall";
    QTest::newRow("paddle bounce") << "paddle-bounce";
    QTest::newRow("drag") << "drag";
}

void TestScenarios::run() {
    QFETCH(QString, name);

    const QDir dir(QStringLiteral(SCENARIO_DIR));
    QFile expectedFile(dir.filePath(name + ".expected"));
    QVERIFY2(expectedFile.open(QIODevice::ReadOnly), qPrintable(expectedFile.fileName()));
    const QStringList expected =
        QString::fromUtf8(expectedFile.readAll()).split('\n', Qt::SkipEmptyParts);

    QProcess sim;
    sim.start(QStringLiteral(QUIRLON_SIM),
              {dir.filePath(QStringLiteral("basic.ini")), dir.filePath(name + ".sim")});
    QVERIFY2(sim.waitForFinished(30000), "the runner did not finish");
    QCOMPARE(sim.exitStatus(), QProcess::NormalExit);
    QCOMPARE(QString::fromUtf8(sim.readAllStandardError()), QString());
    QCOMPARE(sim.exitCode(), 0);
    const QStringList actual =
        QString::fromUtf8(sim.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);

    for (qsizetype i = 0; i < qMin(actual.size(), expected.size()); ++i) {
        if (actual[i] == expected[i]) {
            continue;
        }
        // The lines are long: show where they part.
        qsizetype at = 0;
        while (at < actual[i].size() && at < expected[i].size() &&
               actual[i][at] == expected[i][at]) {
            ++at;
        }
        const qsizetype from = qMax<qsizetype>(0, at - 40);
        QFAIL(qPrintable(
            QStringLiteral("line %1 differs at column %2:\n   actual: ...%3\n expected: ...%4")
                .arg(i + 1)
                .arg(at + 1)
                .arg(actual[i].mid(from, 100), expected[i].mid(from, 100))));
    }
    QCOMPARE(actual.size(), expected.size());
}

void TestScenarios::wholeGame_data() {
    QTest::addColumn<int>("dump");
    QTest::addColumn<int>("levelnr");
    QTest::addColumn<int>("baelle");
    QTest::addColumn<int>("punkte");
    QTest::addColumn<QString>("state");    // halt, Timer1, main window enabled, start prompt, pause
    QTest::addColumn<QStringList>("hud");  // Label1, Label2, Label3, Label5
    QTest::addColumn<QString>("dialog");   // the round-end dialog's message while it shows
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("beeps");

    const QStringList placeholders = {"Level <>", "<> Bälle", "", ""};
    const QStringList none;
    const QStringList bonus = {Bonus1};
    const QStringList tooFew = {Bonus1, TooFew, TooFew};
    const QStringList again = {Bonus1, TooFew, TooFew, Again};
    const QString hidden;

    // Each row names its state by the flags that are set: h halt, t Timer1, e enabled, s start
    // prompt, p the Pause item's check mark.
    QTest::newRow("1 start-up, a pause ignored")
        << 1 << 0 << 2 << 1000 << "h t e s" << QStringList{"Level <>", "<> Bälle", "000000", ""}
        << hidden << none << 0;
    QTest::newRow("2 level 1 in play")
        << 2 << 1 << 2 << 1000 << "t e" << QStringList{"Level 1", "2 Bälle", "001000", ""} << hidden
        << none << 0;
    // Four pennies, seven countdown steps and the bonus of 25.
    QTest::newRow("3 at the hand of level 1")
        << 3 << 1 << 2 << 1955 << "h t e s" << QStringList{"Level 1", "2 Bälle", "001955", ""}
        << hidden << bonus << 0;
    QTest::newRow("4 level 2 in play, purchases refused")
        << 4 << 2 << 2 << 1955 << "t e" << QStringList{"Level 2", "2 Bälle", "001955", ""} << hidden
        << tooFew << 0;
    QTest::newRow("5 ball lost, one penny taken")
        << 5 << 2 << 1 << 2205 << "" << placeholders << "Sie haben noch einen Ball!" << tooFew << 0;
    QTest::newRow("6 the menu shut while the dialog shows")
        << 6 << 2 << 1 << 2205 << "" << placeholders << "Sie haben noch einen Ball!" << tooFew << 0;
    QTest::newRow("7 waiting for level 2 again")
        << 7 << 1 << 1 << 2205 << "e s" << placeholders << hidden << tooFew << 0;
    QTest::newRow("8 level 2 again")
        << 8 << 2 << 1 << 2205 << "t e" << QStringList{"Level 2", "1 Ball", "002205", ""} << hidden
        << tooFew << 0;
    QTest::newRow("9 paused, nothing counted")
        << 9 << 2 << 1 << 2205 << "h t e p" << QStringList{"Level 2", "1 Ball", "002205", ""}
        << hidden << tooFew << 0;
    QTest::newRow("10 505, no warning")
        << 10 << 2 << 1 << 505 << "t e" << QStringList{"Level 2", "1 Ball", "000505", ""} << hidden
        << tooFew << 0;
    QTest::newRow("11 495, the first warning")
        << 11 << 2 << 1 << 495 << "t e"
        << QStringList{"Level 2", "1 Ball", "000495", "noch 495 Punkte!"} << hidden << tooFew << 1;
    // 49 more warned steps to 5, then one to -5 that takes the ball; each of them beeped.
    QTest::newRow("12 points ran out with the last ball")
        << 12 << 2 << 0 << 1000 << "h t" << placeholders << "0 Punkte, keine Bälle mehr!" << tooFew
        << 51;
    QTest::newRow("13 a new game waits")
        << 13 << 0 << 2 << 1000 << "h t e s" << QStringList{"Level 1", "2 Bälle", "001000", ""}
        << hidden << again << 51;
    QTest::newRow("14 level 1 of the new game")
        << 14 << 1 << 2 << 1000 << "t e" << QStringList{"Level 1", "2 Bälle", "001000", ""}
        << hidden << again << 51;
}

void TestScenarios::wholeGame() {
    QFETCH(int, dump);
    QFETCH(int, levelnr);
    QFETCH(int, baelle);
    QFETCH(int, punkte);
    QFETCH(QString, state);
    QFETCH(QStringList, hud);
    QFETCH(QString, dialog);
    QFETCH(QStringList, messages);
    QFETCH(int, beeps);

    QVERIFY(dump < game.size());
    const QJsonObject s = game[dump];
    const QJsonObject labels = s["labels"].toObject();
    const QJsonObject form2 = s["form2"].toObject();
    const QStringList flags = state.split(' ', Qt::SkipEmptyParts);
    QCOMPARE(s["levelnr"].toInt(), levelnr);
    QCOMPARE(s["baelle"].toInt(), baelle);
    QCOMPARE(s["punkte"].toInt(), punkte);
    QCOMPARE(s["halt"].toBool(), flags.contains("h"));
    QCOMPARE(s["timer1"].toBool(), flags.contains("t"));
    QCOMPARE(s["enabled"].toBool(), flags.contains("e"));
    QCOMPARE(labels["Label4"].toBool(), flags.contains("s"));
    QCOMPARE(s["pause_checked"].toBool(), flags.contains("p"));
    QCOMPARE(QStringList({labels["Label1"].toString(), labels["Label2"].toString(),
                          labels["Label3"].toString(), labels["Label5"].toString()}),
             hud);
    QCOMPARE(form2["visible"].toBool(), !dialog.isEmpty());
    if (!dialog.isEmpty()) {
        QCOMPARE(form2["text"].toString(), dialog);
    }
    QCOMPARE(s["messages"].toVariant().toStringList(), messages);
    QCOMPARE(s["beeps"].toInt(), beeps);
    QCOMPARE(s["quit"].toBool(), false);
}

void TestScenarios::wholeGameLayouts() {
    QCOMPARE(game.size(), 16);
    auto element = [this](int dump, const char* name) {
        return game[dump]["elements"].toObject()[QLatin1String(name)].toArray().toVariantList();
    };

    // The lost round took a penny; the level laid out again has it back, and all else as before.
    QCOMPARE(element(5, "dig1"), QVariantList({-1000, -100, 39, 40, true}));
    QVERIFY(element(4, "dig1") != element(5, "dig1"));
    QCOMPARE(levelLayout(game[8]), levelLayout(game[4]));
    // The new game lays level 1 out as the first game found it, not as it left it.
    QVERIFY(levelLayout(game[3]) != levelLayout(game[2]));
    QCOMPARE(levelLayout(game[14]), levelLayout(game[2]));
    // Each start puts the ball at its start, the red bar in the middle.
    for (int dump : {2, 4, 8, 14}) {
        QCOMPARE(element(dump, "ball"), QVariantList({0, 39, 24, 24, true}));
        QCOMPARE(element(dump, "hinder7"), QVariantList({266, 202, 100, 30, true}));
    }
    // The blink came on with the end of the flight and outlives the dialog.
    QCOMPARE(game[13]["form2"].toObject()["blink"].toBool(), true);
    QCOMPARE(game[13]["form2"].toObject()["flight"].toBool(), false);
    // "Beenden" ends the run: the last dump is that of level 1 in play, untouched by the ticks
    // after it, and the game asked to end.
    QCOMPARE(game[15]["quit"].toBool(), true);
    QJsonObject last = game[15];
    last["quit"] = false;
    QCOMPARE(last, game[14]);
}

// A whole game leaves the level file as it was, to the byte and to its modification time, and
// writes no file of its own: not beside the level file, not in the home or data folders.
void TestScenarios::wholeGameWritesNothing() {
    QTemporaryDir root;
    const QDir dir(root.path());
    QVERIFY(dir.mkpath(QStringLiteral("levels")) && dir.mkpath(QStringLiteral("home")));
    const QString levelFile = dir.filePath(QStringLiteral("levels/328lvd.ini"));
    QVERIFY(QFile::copy(QStringLiteral(SCENARIO_DIR "/../../levels/328lvd.ini"), levelFile));
    QFile file(levelFile);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    file.close();
    // Older than the run, so a write during it would show in the time.
    const QDateTime stamp = QDateTime::currentDateTime().addSecs(-3600);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(stamp, QFileDevice::FileModificationTime));
    file.close();

    QProcess sim;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), dir.filePath(QStringLiteral("home")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("home")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("home")));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), dir.filePath(QStringLiteral("home")));
    sim.setProcessEnvironment(environment);
    sim.setWorkingDirectory(dir.filePath(QStringLiteral("levels")));
    sim.start(QStringLiteral(QUIRLON_SIM),
              {levelFile, QStringLiteral(SCENARIO_DIR "/whole-game.sim")});
    QVERIFY2(sim.waitForFinished(30000), "the runner did not finish");
    QCOMPARE(sim.exitCode(), 0);

    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), bytes);
    QCOMPARE(QFileInfo(levelFile).lastModified(), stamp);
    QCOMPARE(QDir(dir.filePath(QStringLiteral("levels")))
                 .entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
             QStringList{QStringLiteral("328lvd.ini")});
    QVERIFY(QDir(dir.filePath(QStringLiteral("home"))).isEmpty());
}

QTEST_GUILESS_MAIN(TestScenarios)
#include "tst_scenarios.moc"
