// Level files that players edit and share: huge, oddly ended, pointing nowhere, gone in the
// middle of a game, or full of values at the edges of 32 bits. None may crash or hang the game.
#include <sys/resource.h>

#include <QtTest>

#include "tests/testgame.h"

namespace {

const std::string MissingFileText =
    "Datei fehlt: Bitte kopieren Sie die Datei 328lvd.ini in Ihr Windows-Verzeichnis.";

void write(const TestGame& t, const QByteArray& contents) {
    QFile file(QString::fromStdString(t.levelFile.string()));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(contents), contents.size());
}

// Peak resident memory of this process so far, in bytes.
qint64 peakMemory() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return qint64(usage.ru_maxrss) * 1024;
}

}  // namespace

class TestHostileFiles : public QObject {
    Q_OBJECT

private slots:
    void oddFiles_data();
    void oddFiles();
    void hugeFileIsReadInBoundedMemory();
    void fileDeletedBetweenTwoStarts();
    void edgeValuesPlay_data();
    void edgeValuesPlay();
};

void TestHostileFiles::oddFiles_data() {
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<bool>("danglingLink");
    QTest::addColumn<int>("hinder1Left");  // as level 1 lays it out; -1: the file is refused

    QTest::newRow("mixed line ends")
        << QByteArray("[2]\r\nhinder1.left=5\n\r[1]\rhinder1.top=7\r\nhinder1.left=80\n") << false
        << 80;
    QByteArray sections;
    for (int i = 2; i <= 100001; ++i) {
        sections += "[" + QByteArray::number(i) + "]\nhinder1.left=" + QByteArray::number(i) + "\n";
    }
    QTest::newRow("100 000 sections, level 1 last") << sections + "[1]\nhinder1.left=80\n"
                                                    << false << 80;
    QTest::newRow("100 000 sections without level 1") << sections << false << -1;
    QTest::newRow("dangling symbolic link") << QByteArray() << true << -1;
}

void TestHostileFiles::oddFiles() {
    QFETCH(QByteArray, contents);
    QFETCH(bool, danglingLink);
    QFETCH(int, hinder1Left);

    TestGame t(std::nullopt, false);
    if (danglingLink) {
        QVERIFY(QFile::link(QDir(t.dir.path()).filePath(QStringLiteral("gone.ini")),
                            QString::fromStdString(t.levelFile.string())));
    } else {
        write(t, contents);
    }
    t.startUp();
    const bool refused = hinder1Left < 0;
    QCOMPARE(t.platform.quit, refused);
    QCOMPARE(t.platform.messages,
             refused ? std::vector<std::string>{MissingFileText} : std::vector<std::string>{});
    if (!refused) {
        t.form.Label4Click();
        QCOMPARE(t.form.hinder1.Left, hinder1Left);
    }
}

// How fast this goes is measured by make bench.
void TestHostileFiles::hugeFileIsReadInBoundedMemory() {
    enum { Size = 64 << 20 };
    TestGame t(std::nullopt, false);
    QByteArray contents;
    contents.reserve(Size + 64);
    const QByteArray filler = "; " + QByteArray(1000, 'x') + "\n[filler]\nkey=value\n";
    while (contents.size() < Size) {
        contents += filler;
    }
    contents += "[1]\nhinder1.left=80\n";
    write(t, contents);
    contents.clear();
    contents.squeeze();

    const qint64 memoryBefore = peakMemory();
    // The check at start-up and the start click each read the file.
    t.startUp();
    t.form.Label4Click();
    QCOMPARE(t.form.hinder1.Left, 80);
    const qint64 grown = peakMemory() - memoryBefore;
    QVERIFY2(grown < 2 * qint64(Size), qPrintable(QStringLiteral("%1 MiB").arg(grown >> 20)));
}

void TestHostileFiles::fileDeletedBetweenTwoStarts() {
    TestGame t;
    t.form.Label4Click();
    QCOMPARE(t.form.levelnr, 1);
    QVERIFY(QFile::remove(QString::fromStdString(t.levelFile.string())));
    // The round goes on with what it laid out; the next start finds the file gone.
    QCOMPARE(t.ticks(50), 50);
    t.form.CheckHand();
    QVERIFY(t.form.Label4.Visible);
    t.platform.messages.clear();
    t.form.Label4Click();
    QCOMPARE(t.platform.messages, std::vector<std::string>{MissingFileText});
    QVERIFY(t.platform.quit);
}

void TestHostileFiles::edgeValuesPlay_data() {
    QTest::addColumn<QByteArray>("value");

    for (const char* value : {"2147483647", "-2147483647", "-2147483648", "0", "-1", "-100",
                              "0x7fffffff", "0x80000000", "99999999999"}) {
        QTest::newRow(value) << QByteArray(value);
    }
}

// Every element of level 1 at the value, as position and as size, then real play over it: the
// ball, the paddle, drags of the red bar and the countdown. Under the sanitizers any overflow
// or out-of-range conversion on the way ends the test.
void TestHostileFiles::edgeValuesPlay() {
    QFETCH(QByteArray, value);

    QByteArray level = "[1]\nhinder1.left=80\n";
    for (const ElementId id : LevelElements) {
        const QByteArray element(id.name().data(), qsizetype(id.name().size()));
        for (const char* key : {".left", ".top", ".width", ".height"}) {
            if (element + key != "hinder1.left") {
                level += element + key + "=" + value + "\n";
            }
        }
    }
    TestGame t(QString::fromLatin1(level));
    QVERIFY(!t.platform.quit);
    t.form.Label4Click();
    for (int round = 0; round < 20 && !t.platform.quit; ++round) {
        t.ticks(40);
        t.form.Mouse.move(100 + round * 20, 300);
        const Component& bar = t.form.hinder7;
        t.form.Mouse.press(bar.Left + bar.Width / 2, bar.Top + bar.Height / 2, MouseButton::Left);
        t.form.Mouse.move(round * 30, 100 + round * 10);
        t.form.Mouse.release(round * 30, 100 + round * 10, MouseButton::Left);
        t.form.Timer2Timer();
        if (t.game.Form2.Visible) {
            t.game.Form2.Label2Click();
        }
        if (t.form.Label4.Visible) {
            t.form.Label4Click();
        }
    }
    QVERIFY(t.form.levelnr >= 0);
    QVERIFY(t.form.baelle >= 0);
    QCOMPARE(t.form.teiler, 1500);
}

QTEST_GUILESS_MAIN(TestHostileFiles)
#include "tst_hostilefiles.moc"
