// The level checks, one row a check: a small file that has just that fault, and the finding it
// must give. Every level besides lays its elements out cleanly and hides what it does not use.
#include <QtTest>

#include "designer/levelchecks.h"
#include "designer/wording.h"
#include "play/rules.h"

namespace {

// A level in which every element has its five keys: `shown` first, then the elements it does not
// show hidden, and the hand shown in the middle unless `shown` places it.
QString level(int number, const QString& shown) {
    QString text = QStringLiteral("[%1]\n").arg(number) + shown;
    for (const ElementId id : LevelElements) {
        const Element& element = id.element();
        const QString prefix =
            QString::fromLatin1(element.keyPrefix.data(), element.keyPrefix.size());
        if (shown.contains(prefix + QStringLiteral(".visible="))) {
            continue;
        }
        const bool hand = element.role == Role::Hand;
        text += QStringLiteral("%1=%2\n%3.top=%4\n%3.width=%5\n%3.height=%6\n%3.visible=%7\n")
                    .arg(element.bareLeftKey ? prefix : prefix + QStringLiteral(".left"))
                    .arg(hand                          ? 300
                         : id == LevelElements.front() ? 50
                                                       : 0)
                    .arg(prefix)
                    .arg(hand ? 200 : 100)
                    .arg(hand ? 49 : 30)
                    .arg(hand ? 60 : 30)
                    .arg(hand ? 1 : 0);
    }
    return text;
}

// Levels 1 to 7, level `number` with `shown` in it.
QString file(int number, const QString& shown) {
    QString text;
    for (int n = 1; n <= rules::LastLevel; ++n) {
        text += level(n, n == number ? shown : QString());
    }
    return text;
}

QString bar(const char* name, int left, int top, int width, int height) {
    return QStringLiteral("%1.left=%2\n%1.top=%3\n%1.width=%4\n%1.height=%5\n%1.visible=1\n")
        .arg(QString::fromLatin1(name))
        .arg(left)
        .arg(top)
        .arg(width)
        .arg(height);
}

QString hand(int left, int top, int width, bool visible) {
    return QStringLiteral(
               "dig11=%1\ndig11.top=%2\ndig11.width=%3\ndig11.height=60\n"
               "dig11.visible=%4\n")
        .arg(left)
        .arg(top)
        .arg(width)
        .arg(visible ? 1 : 0);
}

}  // namespace

class TestLevelChecks : public QObject {
    Q_OBJECT

private slots:
    void finds_data();
    void finds();
    void aHandThatCannotBeUsedIsOneFinding_data();
    void aHandThatCannotBeUsedIsOneFinding();
    void aBallThatStandsStillIsFound_data();
    void aBallThatStandsStillIsFound();
};

void TestLevelChecks::finds_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("error");
    QTest::addColumn<QString>("finding");  // the start of its English words

    QTest::newRow("nothing to find") << file(0, {}) << 0 << false << "";
    QTest::newRow("the game refuses the file")
        << file(0, {}).replace(QStringLiteral("hinder1.left=50"), QStringLiteral("hinder1.left=0"))
        << 1 << true << "the game refuses the file";
    QTest::newRow("a level missing")
        << file(0, {}).replace(QStringLiteral("[5]"), QStringLiteral("[Info]")) << 5 << true
        << "level 5 is missing";
    QTest::newRow("the hand hidden")
        << file(3, hand(300, 200, 49, false)) << 3 << true << "the hand is hidden";
    QTest::newRow("the hand without area")
        << file(3, hand(300, 200, 0, true)) << 3 << true << "the hand has a width or height of 0";
    QTest::newRow("the hand outside the field")
        << file(3, hand(700, 200, 49, true)) << 3 << true << "the hand lies outside the field";
    QTest::newRow("no number") << file(2, QStringLiteral("hinder5.top=12px\n")) << 2 << false
                               << "hinder5.top: \"12px\" is not a number";
    QTest::newRow("a key twice") << file(2, QStringLiteral("hinder5.top=3\n")) << 2 << false
                                 << "hinder5.top is given more than once";
    QTest::newRow("a key never read") << file(2, QStringLiteral("dig10.left=3\n")) << 2 << false
                                      << "the game never reads dig10.left";
    QTest::newRow("an element not in its section")
        << file(2, {}).replace(QStringLiteral("dig4.left=0\ndig4.top=100\ndig4.width=30\n"
                                              "dig4.height=30\ndig4.visible=0\n"),
                               QString())
        << 2 << false << "dig4 (penny) is not in the section";
    QTest::newRow("a shown element without its size")
        << file(2, {}).replace(QStringLiteral("dig4.height=30\ndig4.visible=0"),
                               QStringLiteral("dig4.visible=1"))
        << 2 << false << "dig4 (penny) is shown, but dig4.height is missing";
    QTest::newRow("a section twice") << file(0, {}) + QStringLiteral("[4]\n") << 4 << false
                                     << "section [4] is given more than once";
    QTest::newRow("partly outside the field")
        << file(2, bar("hinder6", 600, 100, 91, 30)) << 2 << false
        << "hinder6 (yellow bar) lies partly or wholly outside the field";
    QTest::newRow("in the header strip") << file(2, bar("hinder6", 100, 20, 91, 30)) << 2 << false
                                         << "hinder6 (yellow bar) reaches into the header strip";
    QTest::newRow("in the paddle's row")
        << file(2, bar("hinder6", 100, 390, 91, 30)) << 2 << false
        << "hinder6 (yellow bar) reaches down into the paddle's row";
    QTest::newRow("shown without area") << file(2, bar("hinder6", 100, 200, 0, 30)) << 2 << false
                                        << "hinder6 (yellow bar) is shown but has no area";
    QTest::newRow("a penny without area")
        << file(2, bar("dig3", 100, 200, 0, 40)) << 2 << false
        << "dig3 (penny) is shown but has no area (0 × 40): it cannot be seen";
    QTest::newRow("a yellow bar of odd thickness")
        << file(2, bar("hinder9", 100, 100, 29, 200)) << 2 << false
        << "hinder9 (yellow bar) is 29 pixels thick";
    QTest::newRow("a bar thicker than its picture")
        << file(2, bar("hinder6", 100, 100, 90, 40)) << 2 << false
        << "hinder6 (yellow bar) is larger than its picture (box, picture: 90 × 40, 640 × 32)";
    QTest::newRow("a hand larger than its picture")
        << file(2, hand(300, 100, 70, true)) << 2 << false
        << "dig11 (hand) is larger than its picture (box, picture: 70 × 60, 49 × 60)";
    QTest::newRow("where the red bar starts")
        << file(2, bar("hinder9", rules::RedBarStartLeft + rules::RedBarWidth - 1, 100, 30,
                       rules::RedBarStartTop - 99))
        << 2 << false << "hinder9 (yellow bar) lies where the red bar starts";
    QTest::newRow("just beside where the red bar starts")
        << file(2, bar("hinder9", rules::RedBarStartLeft + rules::RedBarWidth, 100, 30,
                       rules::RedBarStartTop - 98))
        << 2 << false << "";
    QTest::newRow("overlapping") << file(2, bar("hinder6", 280, 220, 91, 30)) << 2 << false
                                 << "dig11 (hand) overlaps hinder6 (yellow bar)";
}

void TestLevelChecks::finds() {
    QFETCH(QString, text);
    QFETCH(int, level);
    QFETCH(bool, error);
    QFETCH(QString, finding);

    const std::vector<Finding> findings = checkFile(LevelDocument(text.toStdString()));
    QStringList all;
    for (const Finding& f : findings) {
        all << QStringLiteral("%1: %2").arg(f.level).arg(
            QString::fromStdString(describe(f, Language::English)));
    }
    if (finding.isEmpty()) {
        QVERIFY2(findings.empty(), qPrintable(all.join(QLatin1Char('\n'))));
        return;
    }
    const auto found = std::find_if(findings.begin(), findings.end(), [&](const Finding& f) {
        return f.level == level &&
               QString::fromStdString(describe(f, Language::English)).startsWith(finding);
    });
    QVERIFY2(found != findings.end(), qPrintable(all.join(QLatin1Char('\n'))));
    QCOMPARE(found->severity == Finding::Error, error);
    const std::string german = describe(*found, Language::German);
    QVERIFY(!german.empty() && german != describe(*found, Language::English));
}

void TestLevelChecks::aHandThatCannotBeUsedIsOneFinding_data() {
    QTest::addColumn<QString>("hand");

    QTest::newRow("outside the field") << hand(700, 200, 49, true);
    QTest::newRow("without area, in the header") << hand(300, 10, 0, true);
}

void TestLevelChecks::aHandThatCannotBeUsedIsOneFinding() {
    QFETCH(QString, hand);

    int count = 0;
    for (const Finding& f : checkFile(LevelDocument(file(3, hand).toStdString()))) {
        count += f.element && f.element->role() == Role::Hand ? 1 : 0;
    }
    QCOMPARE(count, 1);
}

void TestLevelChecks::aBallThatStandsStillIsFound_data() {
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QPoint>("stands");  // -1,-1: nowhere

    // The ball caught at the green bar's upper left corner, sent back each tick to where it was.
    const QString corner = bar("hinder8", 380, 330, 211, 30) + bar("hinder1", 80, 250, 251, 30);
    QTest::newRow("at a green bar's corner")
        << corner + hand(500, 100, 49, true) << QPoint(355, 305);
    QTest::newRow("a grey bar there instead")
        << QString(corner).replace(QStringLiteral("hinder8"), QStringLiteral("hinder2")) +
               hand(500, 100, 49, true)
        << QPoint(-1, -1);
    QTest::newRow("the hand in the ball's way")
        << corner + hand(40, 100, 49, true) << QPoint(-1, -1);
}

void TestLevelChecks::aBallThatStandsStillIsFound() {
    QFETCH(QString, shown);
    QFETCH(QPoint, stands);

    const std::string text = file(1, shown).toStdString();
    const std::optional<Standstill> found = probeStandstill(text, 1);
    QCOMPARE(found ? QPoint(found->left, found->top) : QPoint(-1, -1), stands);
    if (found) {
        const Finding finding = standstillFinding(1, *found);
        QCOMPARE(finding.value, std::string("355,305"));
    }
}

QTEST_GUILESS_MAIN(TestLevelChecks)
#include "tst_levelchecks.moc"
