// The solver on small levels made for it: one the paddle alone cannot finish but the red bar can,
// and one nobody can but in level 23, whose drag carries the ball through the flat grey bars. Every
// playthrough it finds must be proved by the runner, and the same search must find the same
// playthrough again.
#include <QtTest>

#include "designer/proof.h"
#include "designer/wording.h"

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

}  // namespace

class TestSolver : public QObject {
    Q_OBJECT

private slots:
    void solves_data();
    void solves();
};

void TestSolver::solves_data() {
    QTest::addColumn<QString>("levelFile");
    QTest::addColumn<int>("number");
    QTest::addColumn<bool>("redBar");
    QTest::addColumn<bool>("solved");

    QTest::newRow("a wall: the paddle alone") << Wall << 1 << false << false;
    QTest::newRow("a wall: with the red bar") << Wall << 1 << true << true;
    QTest::newRow("the hand shut in") << level(BoxBars) << 1 << true << false;
    QTest::newRow("the hand shut in, level 23") << level(BoxBars, 23) << 23 << true << true;
}

void TestSolver::solves() {
    QFETCH(QString, levelFile);
    QFETCH(int, number);
    QFETCH(bool, redBar);
    QFETCH(bool, solved);

    const std::string text = levelFile.toStdString();
    const TForm1::LevelFileOpener opener = [text] { return ProfileFile::fromText(text); };
    SolverLimits limits;
    limits.searchTicks = 600'000;
    limits.redBar = redBar;
    const Playthrough found = solveLevel(opener, number, limits);
    QCOMPARE(found.solved, solved);
    QVERIFY(found.searchTicks <= limits.searchTicks + 2000);
    if (!solved) {
        return;
    }
    const std::string script = playthroughScript(number, found);
    const LevelProof proof = checkScript(opener, number, script);
    QVERIFY2(proof.proved(), describe(proof, Language::English).c_str());
    QCOMPARE(proveLevel(opener, number, limits).script, script);
}

QTEST_GUILESS_MAIN(TestSolver)
#include "tst_solver.moc"
