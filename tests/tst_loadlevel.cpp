// Laying out a level from the level file: which key feeds which element, the defaults, the
// parking of hidden elements, the labels, and files that are broken or cannot be read.
#include <unistd.h>

#include <QtTest>
#include <array>
#include <random>

#include "tests/testgame.h"

namespace {

const QString MissingFileText = QStringLiteral(
    "Datei fehlt: Bitte kopieren Sie die Datei 328lvd.ini in Ihr Windows-Verzeichnis.");

// An element a level lays out, by the name the level file knows it by.
Component* findElement(TForm1& f, const QString& prefix) {
    const std::optional<ElementId> id = levelElementNamed(prefix.toStdString());
    return id ? &(f.*id->member()) : nullptr;
}

void writeLevelFile(const TestGame& t, const QByteArray& contents) {
    QFile file(QString::fromStdString(t.levelFile.string()));
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size()) {
        qFatal("cannot write the level file");
    }
}

QByteArray readLevelFile(const TestGame& t) {
    QFile file(QString::fromStdString(t.levelFile.string()));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("unreadable");
}

// A level file that passes the check, with `keys` added to its first level.
QByteArray level1(const QByteArray& keys) {
    return "[1]\nhinder1.left=80\n" + keys;
}

// The four geometry keys of an element; `leftKey` names the key of its left edge.
QByteArray geometry(const QByteArray& prefix, const QByteArray& leftKey, QRect r) {
    return leftKey + "=" + QByteArray::number(r.left()) + "\n" + prefix +
           ".top=" + QByteArray::number(r.top()) + "\n" + prefix +
           ".width=" + QByteArray::number(r.width()) + "\n" + prefix +
           ".height=" + QByteArray::number(r.height()) + "\n";
}

QByteArray geometry(const QByteArray& prefix, QRect r) {
    return geometry(prefix, prefix + ".left", r);
}

// Bytes that are no level file, the same on every run; `lineSafe` leaves out what could end a
// line or open a section.
QByteArray garbage(int size, bool lineSafe) {
    std::minstd_rand random(4711);
    QByteArray bytes;
    while (bytes.size() < size) {
        const char c = static_cast<char>(random() & 0xFF);
        if (lineSafe && (c == '\n' || c == '\r' || c == '[')) {
            continue;
        }
        bytes += c;
    }
    return bytes;
}

// A round in which the ball wears the yellow bar and takes the penny of `LostRoundLevel`, then
// falls past the paddle; closing the round-end dialog leaves the level to be laid out again.
const QRect WornBar(300, 100, 100, 30);
const QRect TakenPenny(330, 60, 39, 40);
const QByteArray LostRoundLevel =
    level1(geometry("hinder5", WornBar) + geometry("dig1", TakenPenny));

void playLostRound(TestGame& t) {
    TForm1& f = t.form;
    f.Label4Click();
    // Four pixels into the bar's top face and over the penny, standing still.
    t.putBall(338, 80);
    f.bewx = 0;
    f.bewy = 0;
    QCOMPARE(t.ticks(1), 1);
    QCOMPARE(rect(f.hinder5), QRect(300, 102, 100, 28));
    QCOMPARE(rect(f.dig1), QRect(-1000, -100, 39, 40));
    t.putBall(300, 409);
    f.bewy = 1500;
    QCOMPARE(t.ticks(1), 1);
    QVERIFY(t.game.Form2.Visible);
    t.game.Form2.Label2Click();
}

}  // namespace

class TestLoadLevel : public QObject {
    Q_OBJECT

private slots:
    void layout_data();
    void layout();
    void badFile_data();
    void badFile();
};

void TestLoadLevel::layout_data() {
    QTest::addColumn<QByteArray>("levelText");
    QTest::addColumn<QByteArray>("earlierText");  // the file of a load before, if any
    QTest::addColumn<bool>("lostRoundFirst");
    QTest::addColumn<int>("load");  // the section the start click lays out
    QTest::addColumn<int>("baelle");
    QTest::addColumn<QString>("element");  // "*" for every one of them
    QTest::addColumn<QRect>("where");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("missing");  // the start click reports the level file missing
    QTest::addColumn<QString>("ballsLabel");

    const QRect bar(80, 250, 201, 30);
    const QRect coin(290, 240, 39, 40);
    const QRect hand(296, 177, 49, 60);
    const QRect yellow(300, 100, 91, 30);
    const QRect origin(0, 0, 0, 0);
    const QByteArray none;
    const auto row = [](const char* name, const QByteArray& text, const QString& element,
                        QRect where, bool visible = true) {
        QTest::newRow(name) << text << QByteArray() << false << 1 << 2 << element << where
                            << visible << false << "2 Bälle";
    };

    // The check at the start click reads the same key the level takes its first bar from.
    const auto hinder1 = [](const QByteArray& left) {
        return "[1]\nhinder1.left=" + left +
               "\nhinder1.top=250\nhinder1.width=201\nhinder1.height=30\n";
    };
    QTest::newRow("hinder1.left 0") << hinder1("0") << none << false << 1 << 2 << "hinder1"
                                    << QRect(0, 250, 201, 30) << true << true << "2 Bälle";
    row("hinder1.left 0x10", hinder1("0x10"), "hinder1", QRect(16, 250, 201, 30));
    QTest::newRow("hinder1.left 0x") << hinder1("0x") << none << false << 1 << 2 << "hinder1"
                                     << QRect(0, 250, 201, 30) << true << true << "2 Bälle";
    row("applied unchecked", "[1]\nhinder1.left=-20\nhinder1.top=-30\nhinder1.width=-5\n",
        "hinder1", QRect(-20, -30, -5, 0));

    // dig10 and dig11 take their left from the bare name.
    row("dig10.left without dig10", level1(geometry("dig10", "dig10.left", coin)), "dig10",
        QRect(0, 240, 39, 40));
    row("dig10", level1(geometry("dig10", "dig10", coin)), "dig10", coin);
    row("dig11.left without dig11", level1(geometry("dig11", "dig11.left", hand)), "dig11",
        QRect(0, 177, 49, 60));
    row("dig11", level1(geometry("dig11", "dig11", hand)), "dig11", hand);
    row("dig9 without dig9.left", level1(geometry("dig9", "dig9", coin)), "dig9",
        QRect(0, 240, 39, 40));
    row("dig9.left", level1(geometry("dig9", coin)), "dig9", coin);
    row("last bar", level1(geometry("hinder13", QRect(460, 90, 30, 351))), "hinder13",
        QRect(460, 90, 30, 351));
    row("names ignore case", level1("HINDER12.LEFT=340\nHinder12.Top=90\nhinder12.WIDTH=30\n"),
        "hinder12", QRect(340, 90, 30, 0));
    row("hinder7 has no keys", level1(geometry("hinder7", bar) + geometry("hinder2", bar)),
        "hinder2", bar);

    // Only the integer 0 hides, and a hidden element keeps all but its left.
    const QByteArray yellowKeys = geometry("hinder5", yellow);
    row(".visible 0", level1(yellowKeys + "hinder5.visible=0\n"), "hinder5",
        QRect(-1000, 100, 91, 30), false);
    row(".visible 0x0", level1(yellowKeys + "hinder5.visible=0x0\n"), "hinder5",
        QRect(-1000, 100, 91, 30), false);
    row(".visible no", level1(yellowKeys + "hinder5.visible=no\n"), "hinder5", yellow);
    row(".visible empty", level1(yellowKeys + "hinder5.visible=\n"), "hinder5", yellow);
    row(".visible -1", level1(yellowKeys + "hinder5.visible=-1\n"), "hinder5", yellow);
    row(".visible absent", level1(yellowKeys), "hinder5", yellow);
    row("hidden hand", level1(geometry("dig11", "dig11", hand) + "dig11.visible=0\n"), "dig11",
        QRect(-1000, 177, 49, 60), false);
    row("hidden first bar", "[1]\nhinder1.left=80\nhinder1.top=250\nhinder1.visible=0\n", "hinder1",
        QRect(-1000, 250, 0, 0), false);

    // A section that is not there lays out everything at the corner, shown and in the field.
    const QByteArray onlyLevel1 = level1(yellowKeys + "hinder5.visible=0\n");
    QTest::newRow("missing section")
        << onlyLevel1 << none << false << 2 << 2 << "*" << origin << true << false << "2 Bälle";
    QTest::newRow("missing section 12")
        << onlyLevel1 << none << false << 12 << 2 << "*" << origin << true << false << "2 Bälle";
    QTest::newRow("section 02 is not section 2")
        << onlyLevel1 + "[02]\n" + geometry("hinder6", yellow) << none << false << 2 << 2
        << "hinder6" << origin << true << false << "2 Bälle";
    QTest::newRow("section 2") << onlyLevel1 + "[2]\n" + geometry("hinder6", yellow) << none
                               << false << 2 << 2 << "hinder6" << yellow << true << false
                               << "2 Bälle";
    QByteArray allHidden = "[1]\nhinder1.left=80\n[2]\n";
    for (const ElementId id : LevelElements) {
        allHidden += QByteArray(id.name().data(), qsizetype(id.name().size())) + ".visible=0\n";
    }
    QTest::newRow("missing section after a level that hid all")
        << onlyLevel1 << allHidden << false << 2 << 2 << "*" << origin << true << false
        << "2 Bälle";
    // Each load reads the file as it stands.
    QTest::newRow("file changed since the last load")
        << onlyLevel1 << level1(geometry("hinder5", QRect(10, 20, 30, 40))) << false << 1 << 2
        << "hinder5" << QRect(-1000, 100, 91, 30) << false << false << "2 Bälle";

    QTest::newRow("labels, first start") << level1(none) << none << false << 1 << 2 << "hinder1"
                                         << QRect(80, 0, 0, 0) << true << false << "2 Bälle";
    QTest::newRow("labels, one ball") << level1(none) << none << false << 1 << 1 << "hinder1"
                                      << QRect(80, 0, 0, 0) << true << false << "1 Ball";
    QTest::newRow("labels, level 3 with three balls")
        << level1(none) << none << false << 3 << 3 << "hinder1" << origin << true << false
        << "3 Bälle";

    QTest::newRow("lost round, worn bar restored")
        << LostRoundLevel << none << true << 1 << 3 << "hinder5" << WornBar << true << false
        << "2 Bälle";
    QTest::newRow("lost round, taken penny restored")
        << LostRoundLevel << none << true << 1 << 3 << "dig1" << TakenPenny << true << false
        << "2 Bälle";
}

void TestLoadLevel::layout() {
    QFETCH(QByteArray, levelText);
    QFETCH(QByteArray, earlierText);
    QFETCH(bool, lostRoundFirst);
    QFETCH(int, load);
    QFETCH(int, baelle);
    QFETCH(QString, element);
    QFETCH(QRect, where);
    QFETCH(bool, visible);
    QFETCH(bool, missing);
    QFETCH(QString, ballsLabel);

    TestGame t(std::nullopt, false);
    writeLevelFile(t, earlierText.isEmpty() ? levelText : earlierText);
    t.startUp();
    TForm1& f = t.form;
    f.baelle = baelle;
    f.levelnr = load - 1;
    if (!earlierText.isEmpty()) {
        f.Label4Click();
        // Otherwise the row could not tell a fresh read from a kept one.
        const Component& before =
            element == "*" ? f.*LevelElements.front().member() : *findElement(f, element);
        QVERIFY(rect(before) != where || before.Visible != visible);
        writeLevelFile(t, levelText);
        f.levelnr = load - 1;
    }
    if (lostRoundFirst) {
        playLostRound(t);
        if (QTest::currentTestFailed()) {
            return;
        }
        QCOMPARE(f.levelnr, load - 1);
    }
    t.platform.messages.clear();
    t.platform.quit = false;
    f.Label4Click();

    QCOMPARE(t.messages(), missing ? QStringList{MissingFileText} : QStringList{});
    QCOMPARE(t.platform.quit, missing);
    QCOMPARE(f.levelnr, load);
    QCOMPARE(q(f.sektion), QString::number(load));
    QCOMPARE(q(f.Label1.Caption), QString("Level %1").arg(load));
    QCOMPARE(q(f.Label2.Caption), ballsLabel);
    if (element == "*") {
        for (const ElementId id : LevelElements) {
            const Component& c = f.*id.member();
            QVERIFY2(rect(c) == where && c.Visible == visible, c.Name);
        }
    } else {
        const Component* c = findElement(f, element);
        QVERIFY(c);
        QCOMPARE(rect(*c), where);
        QCOMPARE(c->Visible, visible);
    }
    // What the file does not lay out is where the start click put it.
    QCOMPARE(rect(f.hinder7), QRect(266, 202, 100, 30));
    QCOMPARE(f.hinder7.Visible, true);
    QCOMPARE(f.fanger.Top, 404);
    QCOMPARE(f.fanger.Visible, true);
    QCOMPARE(f.ball.Left, 0);
    QCOMPARE(f.ball.Top, 39);
    // Read, never written.
    QCOMPARE(readLevelFile(t), levelText);
}

namespace {

enum FileKind { RegularFile, NoFile, Directory, NoReadPermission };

}  // namespace

void TestLoadLevel::badFile_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<bool>("missing");
    QTest::addColumn<QRect>("hinder1");

    const QRect laidOut(80, 250, 0, 0);
    const QRect origin(0, 0, 0, 0);
    const QByteArray good = "hinder1.left=80\nhinder1.top=250\n";
    const auto file = [](const char* name, const QByteArray& contents, bool missing, QRect r) {
        QTest::newRow(name) << int(RegularFile) << contents << missing << r;
    };

    QTest::newRow("no file") << int(NoFile) << QByteArray() << true << origin;
    file("empty file", "", true, origin);
    file("binary garbage", garbage(64 * 1024, false), true, origin);
    file("binary garbage inside the level",
         "[1]\n" + garbage(4096, true) + "\nhinder1.left=80\n" + garbage(4096, true) +
             "\nhinder1.top=250\n",
         false, laidOut);
    file("1 MB line before the level", "; " + QByteArray(1 << 20, 'x') + "\n[1]\n" + good, false,
         laidOut);
    file("1 MB line inside the level",
         "[1]\nhinder1.top=250\n" + QByteArray(1 << 20, 'x') + "\nhinder1.left=80\n", false,
         laidOut);
    file("1 MB value", "[1]\nhinder1.left=8" + QByteArray(1 << 20, '0') + "\nhinder1.top=250\n",
         true, QRect(0, 250, 0, 0));
    file("NUL bytes only", QByteArray(4096, '\0'), true, origin);
    file("NUL bytes between the lines", "[1]\n" + QByteArray(3, '\0') + "\n" + good, false,
         laidOut);
    file("NUL byte after a value",
         "[1]\nhinder1.left=80" + QByteArray(1, '\0') + "\nhinder1.top=250\n", true,
         QRect(0, 250, 0, 0));
    file("NUL byte in the section name", "[1" + QByteArray(1, '\0') + "]\n" + good, true, origin);
    file("byte-order mark", "\xEF\xBB\xBF[1]\n" + good, false, laidOut);
    file("byte-order mark alone", "\xEF\xBB\xBF", true, origin);
    file("CR line ends", "[1]\rhinder1.left=80\rhinder1.top=250\r", false, laidOut);
    file("CR line ends, no final one", "[1]\rhinder1.left=80\rhinder1.top=250", false, laidOut);
    file("CRLF line ends", "[1]\r\nhinder1.left=80\r\nhinder1.top=250\r\n", false, laidOut);
    const QString text = QStringLiteral("[1]\nhinder1.left=80\n");
    file("UTF-16",
         "\xFF\xFE" + QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2),
         true, origin);
    QTest::newRow("directory named 328lvd.ini") << int(Directory) << QByteArray() << true << origin;
    QTest::newRow("no read permission")
        << int(NoReadPermission) << "[1]\n" + good << true << origin;
}

void TestLoadLevel::badFile() {
    QFETCH(int, kind);
    QFETCH(QByteArray, contents);
    QFETCH(bool, missing);
    QFETCH(QRect, hinder1);

    TestGame t(std::nullopt, false);
    const QString path = QString::fromStdString(t.levelFile.string());
    switch (kind) {
        case RegularFile:
            writeLevelFile(t, contents);
            break;
        case NoFile:
            break;
        case Directory:
            QVERIFY(QDir().mkdir(path));
            break;
        case NoReadPermission:
            if (geteuid() == 0) {
                QSKIP("root reads files regardless of their permissions");
            }
            writeLevelFile(t, contents);
            QVERIFY(QFile::setPermissions(path, {}));
            break;
    }
    const QStringList expected = missing ? QStringList{MissingFileText} : QStringList{};

    t.startUp();
    QCOMPARE(t.messages(), expected);
    QCOMPARE(t.platform.quit, missing);

    TForm1& f = t.form;
    t.platform.messages.clear();
    f.Label4Click();
    QCOMPARE(t.messages(), expected);
    QCOMPARE(f.levelnr, 1);
    QCOMPARE(q(f.Label1.Caption), QString("Level 1"));
    QCOMPARE(rect(f.hinder1), hinder1);
    for (const ElementId id : LevelElements) {
        const Component& c = f.*id.member();
        if (&c != &f.hinder1) {
            QVERIFY2(rect(c) == QRect(0, 0, 0, 0), c.Name);
        }
        QVERIFY2(c.Visible, c.Name);
    }
    switch (kind) {
        case RegularFile:
            QCOMPARE(readLevelFile(t), contents);
            break;
        case NoFile:
            QVERIFY(!QFileInfo::exists(path));
            break;
        case Directory:
            QVERIFY(QFileInfo(path).isDir());
            QVERIFY(QDir(path).isEmpty());
            break;
        case NoReadPermission:
            QCOMPARE(QFileInfo(path).size(), contents.size());
            break;
    }
}

QTEST_GUILESS_MAIN(TestLoadLevel)
#include "tst_loadlevel.moc"
