// The solver on small levels made for it: one the paddle alone cannot finish but the red bar can,
// and one nobody can but in level 23, whose drag carries the ball through the flat grey bars. Every
// plan it finds must hold as a person's proof, and the same search must find the same plan again.
// Then the parts a proof stands on: the watch for a ball going through a bar, the rules of a
// person's hand, the jittered replays and the difficulty word.
#include <QtTest>

#include "designer/handfaults.h"
#include "designer/planpolish.h"
#include "designer/planreplay.h"
#include "designer/proof.h"
#include "designer/wording.h"
#include "headless/recordingplatform.h"
#include "play/elements.h"
#include "play/game.h"

namespace {

// Level `number` with everything hidden but what a row shows; hinder1 of level 1 keeps a left for
// the start-up check.
QString level(const QString& shown, int number = 1) {
    QString text = QStringLiteral("[1]\n");
    if (number != 1 || !shown.contains(QStringLiteral("hinder1.left"))) {
        text += QStringLiteral("hinder1.left=560\n");
    }
    if (number != 1) {
        text += QStringLiteral("[%1]\n").arg(number);
    }
    for (const ElementId id : LevelElements) {
        const QString element = QString::fromLatin1(id.name().data(), qsizetype(id.name().size()));
        if (id.role() != Role::Hand && !shown.contains(element + QLatin1Char('.'))) {
            text += element + QStringLiteral(".visible=0\n");
        }
    }
    return text + shown;
}

TForm1::LevelFileOpener openerOf(const QString& levelFile) {
    const std::string text = levelFile.toStdString();
    return [text] { return ProfileFile::fromText(text); };
}

// A grey wall from below the ceiling down to the paddle's row, the hand behind it.
const QString Wall =
    level(QStringLiteral("hinder3.left=300\nhinder3.top=80\nhinder3.width=30\nhinder3.height=300\n"
                         "dig11=450\ndig11.top=300\ndig11.width=49\ndig11.height=60\n"));
// The hand shut in by four grey bars.
const QString BoxBars = QStringLiteral(
    "hinder1.top=300\nhinder1.width=130\nhinder1.height=30\nhinder1.left=410\n"
    "hinder2.left=410\nhinder2.top=120\nhinder2.width=130\nhinder2.height=30\n"
    "hinder3.left=410\nhinder3.top=150\nhinder3.width=30\nhinder3.height=150\n"
    "hinder4.left=510\nhinder4.top=150\nhinder4.width=30\nhinder4.height=150\n"
    "dig11=450\ndig11.top=170\ndig11.width=49\ndig11.height=60\n");

std::vector<InputEvent> eventsOf(const QString& lines) {
    std::vector<InputEvent> events;
    for (const QString& line : lines.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const std::optional<InputEvent> event = parseEvent(line.toStdString());
        if (!event) {
            return {};
        }
        events.push_back(*event);
    }
    return events;
}

}  // namespace

class TestSolver : public QObject {
    Q_OBJECT

private slots:
    void solves_data();
    void solves();
    void watchesPassages_data();
    void watchesPassages();
    void handFaults_data();
    void handFaults();
    void jitterKeepsTheTimers();
    void polishingMakesAWaySurer();
    void triesThePacesInTurn_data();
    void triesThePacesInTurn();
    void harderNeverReadsEasier();
};

enum Found { Nothing, AWay, AProof };

void TestSolver::solves_data() {
    QTest::addColumn<QString>("levelFile");
    QTest::addColumn<int>("number");
    QTest::addColumn<bool>("redBar");
    QTest::addColumn<int>("found");

    QTest::newRow("a wall: the paddle alone") << Wall << 1 << false << int(Nothing);
    QTest::newRow("a wall: with the red bar") << Wall << 1 << true << int(AProof);
    QTest::newRow("the hand shut in") << level(BoxBars) << 1 << true << int(Nothing);
    // Carrying the ball through a bar asks for a steadier hand than a person's: the search looks
    // without copies played by a less steady one.
    QTest::newRow("the hand shut in, level 23") << level(BoxBars, 23) << 23 << true << int(AWay);
}

void TestSolver::solves() {
    QFETCH(QString, levelFile);
    QFETCH(int, number);
    QFETCH(bool, redBar);
    QFETCH(int, found);

    const TForm1::LevelFileOpener opener = openerOf(levelFile);
    SolverLimits limits;
    limits.searchTicks = 2'500'000;
    limits.polishTicks = 500'000;
    limits.redBar = redBar;
    limits.shadows = found == AWay ? 0 : limits.shadows;
    // The wall's way at the first pace is not sure enough within so small a search; the second
    // pace's is. Where no pace can give a proof, one pace is enough to look at.
    limits.paces = found == AProof ? 2 : 1;
    const LevelProof proof = proveLevel(opener, number, limits);
    QCOMPARE(proof.playthrough.solved, found != Nothing);
    QCOMPARE(proof.proved(), found == AProof);
    QVERIFY(proof.playthrough.searchTicks <=
            limits.paces * (limits.searchTicks + limits.polishTicks + 200'000));
    if (found == Nothing) {
        return;
    }
    if (found == AProof) {
        QVERIFY(proof.figures.margin >= HandProfile{}.needed);
        QVERIFY(!proof.difficulty.empty());
        // How sure the search says its way is, is what replays of that very way count.
        long ticks = 0;
        QCOMPARE(proof.playthrough.sure,
                 jitteredFinishes(opener, number, proof.playthrough.events, limits.hand, CheckDraw,
                                  CheckReplays, ticks));
        return;
    }
    QVERIFY2(!proof.proved(), describe(proof, Language::English).c_str());
    // The same search finds the same plan again; seen where it is cheapest, at one pace.
    QCOMPARE(proveLevel(opener, number, limits).script, proof.script);
}

void TestSolver::watchesPassages_data() {
    QTest::addColumn<QString>("bar");
    QTest::addColumn<int>("number");
    QTest::addColumn<QList<QPoint>>("ball");  // its top-left corner after each event
    QTest::addColumn<bool>("passed");

    // The bar stands at 200, 200, 100 wide and 30 high.
    const QList<QPoint> through{{230, 170}, {230, 190}, {230, 232}};
    QTest::newRow("bounced back") << "Hinder3" << 1
                                  << QList<QPoint>{{230, 170}, {230, 180}, {230, 170}} << false;
    QTest::newRow("through from above") << "Hinder3" << 1 << through << true;
    QTest::newRow("through from below")
        << "Hinder3" << 1 << QList<QPoint>{{230, 232}, {230, 215}, {230, 170}} << true;
    QTest::newRow("through from the left")
        << "Hinder3" << 1 << QList<QPoint>{{170, 205}, {190, 205}, {302, 205}} << true;
    QTest::newRow("out the far face")
        << "Hinder3" << 1 << QList<QPoint>{{190, 170}, {302, 205}} << true;
    QTest::newRow("off the near face")
        << "Hinder3" << 1 << QList<QPoint>{{310, 205}, {302, 205}, {306, 205}} << false;
    QTest::newRow("round its end")
        << "Hinder3" << 1 << QList<QPoint>{{230, 170}, {302, 170}, {302, 232}, {280, 232}} << false;
    QTest::newRow("buried in it") << "Hinder3" << 1 << QList<QPoint>{{230, 170}, {230, 200}}
                                  << true;
    QTest::newRow("a face still catches it")
        << "Hinder3" << 1 << QList<QPoint>{{230, 170}, {230, 190}} << false;
    QTest::newRow("level 23's drag carries it through hinder1")
        << "hinder1" << 23 << through << false;
    QTest::newRow("level 23's drag carries it through Hinder2")
        << "Hinder2" << 23 << through << false;
    QTest::newRow("but not through the others in level 23") << "Hinder3" << 23 << through << true;
}

void TestSolver::watchesPassages() {
    QFETCH(QString, bar);
    QFETCH(int, number);
    QFETCH(QList<QPoint>, ball);
    QFETCH(bool, passed);

    RecordingPlatform platform;
    Game game(platform, openerOf(level({})));
    TForm1& form = game.Form1;
    form.Label4.Visible = false;
    form.levelnr = number;
    for (const Element& element : Elements) {
        if (barKindOf(element.role)) {
            Component& component = form.*element.member;
            component.Left = -1000;
            if (QLatin1String(element.name) == bar) {
                component.Left = 200;
                component.Top = 200;
                component.Width = 100;
                component.Height = 30;
            }
        }
    }
    PassWatch watch;
    for (const QPoint& at : ball) {
        form.ball.Left = at.x();
        form.ball.Top = at.y();
        watch.observe(form);
    }
    QCOMPARE(bool(watch.found()), passed);
    if (passed) {
        QCOMPARE(QString::fromStdString(watch.found()->bar), bar);
    }
}

void TestSolver::handFaults_data() {
    QTest::addColumn<QString>("plan");
    QTest::addColumn<bool>("faulty");

    const HandProfile hand;
    const QString start = QStringLiteral("move 100 100\ntick\nclick 100 100\ntick\n");
    const auto grab = [&](int hold, int gap) {
        return start + QStringLiteral(
                           "press 100 100\ntick %1\nrelease 100 100\ntick %2\n"
                           "press 100 100\ntick %1\nrelease 100 100\n")
                           .arg(hold)
                           .arg(gap);
    };
    QTest::newRow("as fast as a hand goes")
        << start + QStringLiteral("move %1 %1\n").arg(100 + hand.maxStep) << false;
    QTest::newRow("faster") << start + QStringLiteral("move %1 100\n").arg(101 + hand.maxStep)
                            << true;
    QTest::newRow("two moves before a tick") << start + "move 101 100\nmove 102 100\n" << true;
    QTest::newRow("grabs as long and as far apart as a hand needs")
        << grab(hand.minHold, hand.minGap) << false;
    QTest::newRow("a grab too short") << grab(hand.minHold - 1, hand.minGap) << true;
    QTest::newRow("grabs too close") << grab(hand.minHold, hand.minGap - 1) << true;
    QTest::newRow("the right button") << start + "press 100 100 right\n" << true;
    QTest::newRow("a second start click") << start + "click 100 100\n" << true;
    QTest::newRow("a menu") << start + "menu Pause\n" << true;
    QTest::newRow("the countdown on time")
        << QStringLiteral("tick %1\ncountdown\ntick %1\n").arg(hand.countdownEvery) << false;
    QTest::newRow("the countdown left out")
        << QStringLiteral("tick %1\n").arg(hand.countdownEvery + 1) << true;
}

void TestSolver::handFaults() {
    QFETCH(QString, plan);
    QFETCH(bool, faulty);

    const std::vector<InputEvent> events = eventsOf(plan);
    QVERIFY(!events.empty());
    const std::vector<std::string> faults = ::handFaults(events, HandProfile{});
    QVERIFY2(faults.empty() != faulty, faults.empty() ? "no fault" : faults.front().c_str());
}

// Every pointer action lands near where and when it was planned, the timers fire where they did,
// and the same draw gives the same replay again.
void TestSolver::jitterKeepsTheTimers() {
    const HandProfile hand;
    QString lines;
    for (int i = 0; i < 40; ++i) {
        lines += QStringLiteral("move %1 200\ntick\n").arg(100 + i);
        lines += i % 31 == 30 ? QStringLiteral("countdown\n") : QString();
    }
    const std::vector<InputEvent> plan = eventsOf(lines);
    const auto timeline = [](const std::vector<InputEvent>& events) {
        std::vector<std::pair<long, InputEvent>> out;
        long ticks = 0;
        for (const InputEvent& event : events) {
            ticks += event.kind == InputEvent::Tick ? event.count : 0;
            if (event.kind != InputEvent::Tick) {
                out.emplace_back(ticks, event);
            }
        }
        return std::pair{ticks, out};
    };
    const auto [ticks, planned] = timeline(plan);
    int moved = 0;
    for (unsigned draw = 1; draw <= 5; ++draw) {
        const std::vector<InputEvent> replay = jittered(plan, hand, draw);
        QCOMPARE(describe(jittered(plan, hand, draw).back()), describe(replay.back()));
        const auto [replayTicks, landed] = timeline(replay);
        QCOMPARE(replayTicks, ticks);
        QCOMPARE(landed.size(), planned.size());
        for (std::size_t i = 0; i < planned.size(); ++i) {
            const auto& [at, event] = landed[i];
            const auto& [plannedAt, plannedEvent] = planned[i];
            QCOMPARE(event.kind, plannedEvent.kind);
            const long late = at - plannedAt;
            QVERIFY(event.kind == InputEvent::Countdown ? late == 0
                                                        : late >= 0 && late <= hand.jitterTicks);
            QVERIFY(std::abs(event.x - plannedEvent.x) <= hand.jitterPixels);
            QVERIFY(std::abs(event.y - plannedEvent.y) <= hand.jitterPixels);
            moved += event.x != plannedEvent.x || late != 0;
        }
    }
    QVERIFY(moved > 0);
}

// A way found for a steady hand, polished for a shakier one: still a way that hand plays to the
// hand, and surer on replays that chose none of its changes, as many as it says.
void TestSolver::polishingMakesAWaySurer() {
    const TForm1::LevelFileOpener opener = openerOf(Wall);
    SolverLimits limits;
    limits.searchTicks = 2'500'000;
    limits.polishTicks = 0;
    const Playthrough found = solveLevel(opener, 1, limits);
    QVERIFY(found.solved);
    HandProfile shaky;
    shaky.jitterPixels = 2 * shaky.jitterPixels;
    long ticks = 0;
    const int before =
        jitteredFinishes(opener, 1, found.events, shaky, CheckDraw, CheckReplays, ticks);
    const PolishedPlan polished = polishPlan(opener, 1, found.events, shaky, 1'000'000);
    QVERIFY(::handFaults(polished.events, shaky).empty());
    QVERIFY(replayPlan(opener, 1, polished.events).reached);
    QCOMPARE(polished.sure,
             jitteredFinishes(opener, 1, polished.events, shaky, CheckDraw, CheckReplays, ticks));
    QVERIFY2(polished.sure > before,
             qPrintable(QStringLiteral("%1 -> %2").arg(before).arg(polished.sure)));
}

void TestSolver::triesThePacesInTurn_data() {
    QTest::addColumn<double>("stopAt");
    QTest::addColumn<int>("leastSearches");
    QTest::addColumn<int>("mostSearches");

    // The first pace alone, then the other two at once.
    QTest::newRow("no pace finds a proof") << 2.0 << 3 << 4;
    QTest::newRow("stopped at once") << 0.0 << 0 << 1;
    QTest::newRow("stopped among the later paces") << 0.5 << 1 << 3;
}

// Where no pace finds a proof, every pace is searched, the progress rising through them all; where
// the caller says stop, every pace stops.
void TestSolver::triesThePacesInTurn() {
    QFETCH(double, stopAt);
    QFETCH(int, leastSearches);
    QFETCH(int, mostSearches);

    SolverLimits limits;
    limits.searchTicks = 100'000;
    limits.polishTicks = 0;
    limits.paces = 3;
    std::vector<double> told;
    const LevelProof proof =
        proveLevel(openerOf(level(BoxBars)), 1, limits, [&told, stopAt](double used) {
            told.push_back(used);
            return used < stopAt;
        });
    QCOMPARE(proof.verdict, LevelProof::NotFound);
    QVERIFY(proof.playthrough.searchTicks >= leastSearches * limits.searchTicks);
    QVERIFY(proof.playthrough.searchTicks < mostSearches * limits.searchTicks);
    QVERIFY(std::ranges::is_sorted(told));
    QVERIFY(told.back() <= 1.0);
}

void TestSolver::harderNeverReadsEasier() {
    const QStringList words{"leicht", "mittel", "schwer", "sehr schwer"};
    const auto rank = [&](const LevelFigures& figures) {
        return words.indexOf(QString::fromStdString(difficultyWord(figures)));
    };
    QSet<int> seen;
    for (int grabs = 0; grabs <= 12; grabs += 2) {
        for (double seconds = 2; seconds <= 40; seconds += 6) {
            for (int margin = 10; margin >= 8; --margin) {
                const LevelFigures figures{seconds, grabs, margin, 10};
                const int here = rank(figures);
                QVERIFY(here >= 0);
                seen.insert(here);
                QVERIFY(rank({seconds, grabs + 2, margin, 10}) >= here);
                QVERIFY(rank({seconds + 6, grabs, margin, 10}) >= here);
                QVERIFY(rank({seconds, grabs, margin - 1, 10}) >= here);
            }
        }
    }
    QCOMPARE(seen.size(), words.size());
}

QTEST_GUILESS_MAIN(TestSolver)
#include "tst_solver.moc"
