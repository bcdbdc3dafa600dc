// The benchmark's own arithmetic, its autopilot's steering and a short run of the benchmark
// program itself: a bench that measures the wrong thing, or a pilot that loses the ball, would
// make every figure it quotes worthless. How fast the game runs is the bench's to say, so nothing
// here depends on the clock.
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QtTest>

#include "headless/headlessgame.h"
#include "tools/bench/firstwindow/secondchance.h"
#include "tools/bench/runfigures.h"
#include "tools/bench/samples.h"
#include "tools/bench/steering.h"

using Samples::percentile;
using Samples::tickFigures;

class TestBench : public QObject {
    Q_OBJECT

private slots:
    void percentiles_data();
    void percentiles();
    void summary();
    void ticks_data();
    void ticks();
    void pilotKeepsTheBall();
    void reportHasEveryFigure();
    void firstWindowReportHasEveryDesktop();
    void aStartWithoutAWindowGetsOneMore_data();
    void aStartWithoutAWindowGetsOneMore();
};

void TestBench::percentiles_data() {
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<double>("fraction");
    QTest::addColumn<double>("expected");
    QList<double> hundred;
    for (int i = 100; i >= 1; --i) {
        hundred << i;
    }
    QTest::newRow("none") << QList<double>{} << 0.99 << 0.0;
    QTest::newRow("one value is every percentile") << QList<double>{7} << 0.99 << 7.0;
    QTest::newRow("median of an odd count") << QList<double>{5, 1, 3} << 0.5 << 3.0;
    QTest::newRow("median of an even count is the lower middle")
        << QList<double>{4, 1, 3, 2} << 0.5 << 2.0;
    QTest::newRow("p99 of 100 is the 99th") << hundred << 0.99 << 99.0;
    QTest::newRow("p99 of 10 is the largest") << hundred.mid(90) << 0.99 << 10.0;
    QTest::newRow("p0 is the smallest") << QList<double>{3, 9, 1} << 0.0 << 1.0;
}

void TestBench::percentiles() {
    QFETCH(QList<double>, values);
    QFETCH(double, fraction);
    QFETCH(double, expected);
    QCOMPARE(percentile(std::vector<double>(values.begin(), values.end()), fraction), expected);
}

void TestBench::summary() {
    const Samples::Summary s = Samples::summarize({2, 4, 4, 4, 5, 5, 7, 9});
    QCOMPARE(s.count, 8);
    QCOMPARE(s.mean, 5.0);
    QCOMPARE(s.sd, 2.0);
    QCOMPARE(s.median, 4.0);
    QCOMPARE(s.p99, 9.0);
    QCOMPARE(Samples::summarize({}).count, 0);
}

void TestBench::ticks_data() {
    QTest::addColumn<QList<double>>("starts");
    QTest::addColumn<double>("mean");
    QTest::addColumn<double>("p99Deviation");
    QTest::addColumn<int>("missed");
    QTest::newRow("no interval yet") << QList<double>{5} << 0.0 << 0.0 << 0;
    QTest::newRow("steady") << QList<double>{0, 16, 32, 48} << 16.0 << 0.0 << 0;
    QTest::newRow("early and late by one") << QList<double>{0, 15, 32, 47} << 47.0 / 3 << 1.0 << 0;
    QTest::newRow("one late tick swallows two periods")
        << QList<double>{0, 16, 64, 80} << 80.0 / 3 << 32.0 << 2;
    QTest::newRow("a bit late is no miss") << QList<double>{0, 23} << 23.0 << 7.0 << 0;
    QTest::newRow("half a period late is one") << QList<double>{0, 24} << 24.0 << 8.0 << 1;
}

void TestBench::ticks() {
    QFETCH(QList<double>, starts);
    QFETCH(double, mean);
    QFETCH(double, p99Deviation);
    QFETCH(int, missed);
    const Samples::TickFigures f = tickFigures({starts.begin(), starts.end()}, 16);
    QCOMPARE(f.interval.count, int(starts.size()) - 1);
    QCOMPARE(f.interval.mean, mean);
    QCOMPARE(f.p99Deviation, p99Deviation);
    QCOMPARE(f.missed, missed);
}

// The pilot's steering on a clock of the test's own: the pointer goes to the ball's column after
// every frame, and the ball stays in play through a budget of frames on the shipped levels.
void TestBench::pilotKeepsTheBall() {
    enum { Frames = 3000 };
    HeadlessGame headless(std::filesystem::path(LEVEL_FILE));
    const Game& game = headless.game;
    TForm1& form = headless.game.Form1;
    int roundsStarted = 0;
    for (int frame = 0; frame < Frames && !game.Form2.Visible; ++frame) {
        if (form.Label4.Visible) {
            ++roundsStarted;
            form.Label4Click();
        }
        form.Timer1Timer();
        const int32 x = form.ball.Left + form.ball.Width / 2;
        form.Mouse.move(x, steeringRow(form, x));
    }
    QVERIFY(roundsStarted >= 1);
    QVERIFY2(!game.Form2.Visible, "the pilot lost the ball");
    QCOMPARE(form.baelle, 2);
}

// A second of play at each ratio: the program runs, and its last line holds every figure of
// both runs, each a number where a number belongs, measured at the ratio it claims.
void TestBench::reportHasEveryFigure() {
    QProcess bench;
    bench.start(QStringLiteral(QUIRLON_BENCH), {QStringLiteral("--seconds"), QStringLiteral("1")});
    QVERIFY(bench.waitForFinished(120000));
    QCOMPARE(bench.exitCode(), 0);
    const QByteArray lastLine = bench.readAllStandardOutput().trimmed().split('\n').last();
    const QJsonObject report = QJsonDocument::fromJson(lastLine).object();
    QVERIFY(report["targets_held"].isBool());
    const QJsonArray runs = report["runs"].toArray();
    QCOMPARE(runs.size(), 2);
    const QStringList figures = RunFigures().toJson().keys();
    for (int i = 0; i < runs.size(); ++i) {
        const QJsonObject run = runs[i].toObject();
        QCOMPARE(run.keys(), figures);
        QCOMPARE(run["device_pixel_ratio"].toDouble(), double(i + 1));
        for (const QString& figure : figures) {
            const QJsonValue value = run[figure];
            const QJsonObject summary = value.toObject();
            const QList<QJsonValue> numbers =
                value.isObject() ? QList<QJsonValue>(summary.begin(), summary.end())
                                 : QList<QJsonValue>{value};
            for (const QJsonValue& number : numbers) {
                QVERIFY2(number.isDouble() && number.toDouble() >= 0, qPrintable(figure));
            }
        }
    }
}

// One round on each desktop: each is measured, the game and the bare window each a number with
// their ratio beside them, or skipped with the reason; nothing here asks how fast.
void TestBench::firstWindowReportHasEveryDesktop() {
    QProcess bench;
    bench.start(QStringLiteral(QUIRLON_FIRSTWINDOW),
                {QStringLiteral("--rounds"), QStringLiteral("1")});
    QVERIFY(bench.waitForFinished(120000));
    QCOMPARE(bench.exitCode(), 0);
    const QByteArray lastLine = bench.readAllStandardOutput().trimmed().split('\n').last();
    const QJsonObject report = QJsonDocument::fromJson(lastLine).object();
    QVERIFY(report["targets_held"].isBool());
    const QJsonArray desktops = report["first_window"].toArray();
    QCOMPARE(desktops.size(), 2);
    for (const QJsonValue& entry : desktops) {
        const QJsonObject desktop = entry.toObject();
        QVERIFY(!desktop["desktop"].toString().isEmpty());
        if (desktop.contains(QStringLiteral("skipped"))) {
            QVERIFY(!desktop["skipped"].toString().isEmpty());
            continue;
        }
        QCOMPARE(desktop["rounds"].toInt(), 1);
        const double game = desktop["game_ms"].toDouble();
        const double bare = desktop["bare_ms"].toDouble();
        QVERIFY2(game > 0 && bare > 0, qPrintable(desktop["desktop"].toString()));
        QCOMPARE(desktop["ratio"].toDouble(), game / bare);
    }
}

void TestBench::aStartWithoutAWindowGetsOneMore_data() {
    QTest::addColumn<QList<double>>("starts");  // the window's time at each start, -1: none
    QTest::addColumn<double>("taken");          // -1: none
    QTest::addColumn<int>("misses");

    QTest::newRow("shown at once") << QList<double>{40, 50} << 40.0 << 0;
    QTest::newRow("shown the second time") << QList<double>{-1, 50} << 50.0 << 1;
    QTest::newRow("shown neither time") << QList<double>{-1, -1, 60} << -1.0 << 1;
}

void TestBench::aStartWithoutAWindowGetsOneMore() {
    QFETCH(QList<double>, starts);
    QFETCH(double, taken);
    QFETCH(int, misses);
    int started = 0, missed = 0;
    const std::optional<double> shown = withSecondChance(
        [&]() -> std::optional<double> {
            const double ms = starts.value(started++, -1);
            return ms < 0 ? std::nullopt : std::optional(ms);
        },
        [&] { ++missed; });
    QCOMPARE(shown.value_or(-1), taken);
    QCOMPARE(missed, misses);
    QCOMPARE(started, misses + 1);
}

QTEST_GUILESS_MAIN(TestBench)
#include "tst_bench.moc"
