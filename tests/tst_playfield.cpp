// The play field: displays, the two reset routines, the level-file check at creation and the
// components of the main window.
#include <QtTest>
#include <limits>
#include <optional>

#include "play/elements.h"
#include "tests/testgame.h"

namespace {

const QString MissingFileText = QStringLiteral(
    "Datei fehlt: Bitte kopieren Sie die Datei 328lvd.ini in Ihr Windows-Verzeichnis.");

}  // namespace

class TestPlayField : public QObject {
    Q_OBJECT

private slots:
    void showPoints_data();
    void showPoints();
    void showBalls_data();
    void showBalls();
    void showLevel_data();
    void showLevel();
    void resets_data();
    void resets();
    void levelFileCheck_data();
    void levelFileCheck();
    void components_data();
    void components();
};

void TestPlayField::showPoints_data() {
    QTest::addColumn<int>("punkte");
    QTest::addColumn<QString>("expected");

    // The text standing before the call is "prior", so a row that expects it expects no change.
    QTest::newRow("0") << 0 << "000000";
    QTest::newRow("1") << 1 << "000001";
    QTest::newRow("7") << 7 << "000007";
    QTest::newRow("9") << 9 << "000009";
    QTest::newRow("10") << 10 << "000010";
    QTest::newRow("99") << 99 << "000099";
    QTest::newRow("100") << 100 << "000100";
    QTest::newRow("999") << 999 << "000999";
    QTest::newRow("1000") << 1000 << "001000";
    QTest::newRow("9999") << 9999 << "009999";
    QTest::newRow("10000") << 10000 << "010000";
    QTest::newRow("99999") << 99999 << "099999";
    QTest::newRow("100000") << 100000 << "100000";
    QTest::newRow("999999") << 999999 << "999999";
    QTest::newRow("-5") << -5 << "000000";
    QTest::newRow("-1") << -1 << "000000";
    QTest::newRow("most negative") << std::numeric_limits<int>::min() << "000000";
    QTest::newRow("1000000 keeps the text") << 1000000 << "prior";
    QTest::newRow("largest keeps the text") << std::numeric_limits<int>::max() << "prior";
}

void TestPlayField::showPoints() {
    QFETCH(int, punkte);
    QFETCH(QString, expected);

    TestGame t;
    t.form.setCaption(t.form.Label3, "prior");
    t.form.punkte = punkte;
    t.form.ShowPoints();
    QCOMPARE(q(t.form.Label3.Caption), expected);
    QCOMPARE(t.form.punkte, punkte);
}

void TestPlayField::showBalls_data() {
    QTest::addColumn<int>("baelle");
    QTest::addColumn<QString>("expected");

    QTest::newRow("0") << 0 << "0 Bälle";
    QTest::newRow("1") << 1 << "1 Ball";
    QTest::newRow("2") << 2 << "2 Bälle";
    QTest::newRow("3") << 3 << "3 Bälle";
}

void TestPlayField::showBalls() {
    QFETCH(int, baelle);
    QFETCH(QString, expected);

    TestGame t;
    t.form.baelle = baelle;
    t.form.ShowBalls();
    QCOMPARE(q(t.form.Label2.Caption), expected);
}

void TestPlayField::showLevel_data() {
    QTest::addColumn<int>("levelnr");
    QTest::addColumn<QString>("expected");

    QTest::newRow("before the first load") << 0 << "Level 0";
    QTest::newRow("1") << 1 << "Level 1";
    QTest::newRow("23") << 23 << "Level 23";
}

void TestPlayField::showLevel() {
    QFETCH(int, levelnr);
    QFETCH(QString, expected);

    TestGame t;
    t.form.levelnr = levelnr;
    t.form.ShowLevel();
    QCOMPARE(q(t.form.Label1.Caption), expected);
}

void TestPlayField::resets_data() {
    QTest::addColumn<bool>("neu");

    QTest::newRow("FormCreate") << false;
    QTest::newRow("Neu1Click") << true;
}

void TestPlayField::resets() {
    QFETCH(bool, neu);

    TestGame t;
    TForm1& f = t.form;
    // A ball somewhere in a round, with a divisor that would put it elsewhere if it were used
    // before being set.
    f.teiler = 7;
    f.posx = 123456;
    f.posy = 234567;
    f.bewx = -4500;
    f.bewy = 19500;
    f.ball.Left = 300;
    f.ball.Top = 300;
    f.durchgang = 77;
    f.punkte = 4321;
    f.baelle = 5;
    f.levelnr = 6;
    f.schwung = 9999;
    f.halt = neu;
    f.Timer1.Enabled = false;
    f.fanger.Top = 404;

    if (neu) {
        f.Neu1Click();
    } else {
        f.FormCreate();
    }

    QCOMPARE(f.ball.Left, 0);
    QCOMPARE(f.ball.Top, 39);
    QCOMPARE(f.posx, 1);
    QCOMPARE(f.posy, 59000);
    QCOMPARE(f.bewx, 3000);
    QCOMPARE(f.bewy, 1000);
    QCOMPARE(f.durchgang, 0);
    QCOMPARE(f.teiler, 1500);
    QCOMPARE(f.punkte, 4321);
    QCOMPARE(f.baelle, 5);
    QCOMPARE(f.levelnr, 6);
    QCOMPARE(f.schwung, 9999);
    if (neu) {
        QCOMPARE(f.halt, false);
        QCOMPARE(f.Timer1.Enabled, true);
        QCOMPARE(f.fanger.Top, 404);
        QCOMPARE(q(f.Label1.Caption), QString("Level 6"));
        QCOMPARE(q(f.Label2.Caption), QString("5 Bälle"));
        QCOMPARE(q(f.Label3.Caption), QString("004321"));
    } else {
        QCOMPARE(f.halt, true);
        QCOMPARE(f.Timer1.Enabled, false);
        QCOMPARE(f.fanger.Top, 1000);
    }
    QVERIFY(t.platform.messages.empty());
}

void TestPlayField::levelFileCheck_data() {
    QTest::addColumn<std::optional<QString>>("levelText");
    QTest::addColumn<bool>("missing");

    QTest::newRow("hinder1.left 80") << std::optional<QString>("[1]\nhinder1.left=80\n") << false;
    QTest::newRow("hinder1.left 0") << std::optional<QString>("[1]\nhinder1.left=0\n") << true;
    QTest::newRow("hinder1.left absent")
        << std::optional<QString>("[1]\nhinder2.left=80\nhinder1.top=80\n") << true;
    QTest::newRow("hinder1.left malformed")
        << std::optional<QString>("[1]\nhinder1.left=80px\n") << true;
    QTest::newRow("hinder1.left empty") << std::optional<QString>("[1]\nhinder1.left=\n") << true;
    QTest::newRow("only in section 2") << std::optional<QString>("[2]\nhinder1.left=80\n") << true;
    QTest::newRow("no file") << std::optional<QString>() << true;
    QTest::newRow("hinder1.left 0x10")
        << std::optional<QString>("[1]\nhinder1.left=0x10\n") << false;
    QTest::newRow("hinder1.left 0x") << std::optional<QString>("[1]\nhinder1.left=0x\n") << true;
    QTest::newRow("hinder1.left -1") << std::optional<QString>("[1]\nhinder1.left=-1\n") << false;
    QTest::newRow("names in capitals") << std::optional<QString>("[1]\nHINDER1.LEFT=5\n") << false;
}

void TestPlayField::levelFileCheck() {
    QFETCH(std::optional<QString>, levelText);
    QFETCH(bool, missing);

    TestGame t(levelText, false);
    TForm1& f = t.form;
    f.durchgang = 12;
    f.halt = false;
    f.FormCreate();

    if (missing) {
        QCOMPARE(t.platform.messages.size(), std::size_t{1});
        QCOMPARE(q(t.platform.messages.front()), MissingFileText);
    } else {
        QVERIFY(t.platform.messages.empty());
    }
    QCOMPARE(t.platform.quit, missing);
    QCOMPARE(f.halt, true);
    // The rest of the routine runs either way.
    QCOMPARE(f.fanger.Top, 1000);
    QCOMPARE(f.teiler, 1500);
    QCOMPARE(f.ball.Left, 0);
    QCOMPARE(f.ball.Top, 39);
    QCOMPARE(f.posy, 59000);
    QCOMPARE(f.durchgang, 0);
}

// One row per component, bottom of the stack first: its geometry and visibility as created and
// whether a mouse move over it makes the paddle follow the pointer. A text that sizes itself to
// its caption has width and height -1 here.
void TestPlayField::components_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("steers");

    int index = 0;
    auto row = [&index](const char* name, int left, int top, int width, int height, bool visible,
                        bool steers) {
        QTest::newRow(name) << index++ << QString(name) << QRect(left, top, width, height)
                            << visible << steers;
    };
    row("Image1", -63, -64, 701, 501, true, true);
    row("Shape1", -10, 410, 641, 31, true, false);
    row("Hinder2", 80, 90, 201, 30, false, true);
    row("hinder8", 130, 170, 211, 30, false, true);
    row("hinder11", 130, 320, 211, 30, false, true);
    row("dig11", 296, 177, 49, 60, true, false);
    row("dig6", 130, 120, 39, 40, false, true);
    row("dig8", 90, 40, 39, 40, false, true);
    row("dig1", 130, 40, 39, 40, false, true);
    row("dig9", 570, 180, 39, 40, false, true);
    row("dig2", 570, 140, 39, 40, false, true);
    row("dig10", 290, 240, 39, 40, false, true);
    row("dig4", 130, 204, 39, 40, false, true);
    row("dig3", 90, 120, 39, 40, false, true);
    row("dig5", 90, 204, 39, 40, false, true);
    row("dig7", 290, 80, 39, 40, false, true);
    row("hinder1", 80, 250, 201, 30, false, true);
    row("Hinder3", 520, 40, 30, 341, false, true);
    row("Hinder4", 400, 40, 30, 341, false, true);
    row("hinder5", 370, 380, 91, 30, false, true);
    row("hinder6", 430, 60, 91, 30, false, true);
    row("hinder13", 460, 90, 30, 351, false, true);
    row("hinder10", 520, 380, 30, 51, false, true);
    row("hinder9", 50, 40, 30, 311, false, true);
    row("hinder12", 340, 90, 30, 351, false, true);
    row("ball", 2, 40, 24, 24, true, true);
    row("hinder7", 280, 360, 100, 30, true, true);  // its own handler: follows while not dragged
    row("fanger", 40, 404, 211, 30, true, false);   // disabled: it never gets the move
    row("Image2", 0, -1, 641, 39, true, true);
    row("Label2", 170, 9, -1, -1, true, false);
    row("Label1", 47, 9, -1, -1, true, false);
    row("Label3", 510, 9, -1, -1, true, false);
    row("Label5", 300, 9, -1, -1, true, false);
    row("Label4", 0, 38, 632, 436, true, true);
}

void TestPlayField::components() {
    QFETCH(int, index);
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(bool, visible);
    QFETCH(bool, steers);

    // As the window is created, before its creation handler runs.
    TestGame t(TestGame::MinimalLevel, false);
    TForm1& f = t.form;
    QCOMPARE(Elements.size(), std::size_t{34});
    Component& c = f.*Elements[index].member;
    QCOMPARE(QString(c.Name), name);
    QCOMPARE(c.Left, geometry.left());
    QCOMPARE(c.Top, geometry.top());
    if (geometry.width() >= 0) {
        QCOMPARE(c.Width, geometry.width());
        QCOMPARE(c.Height, geometry.height());
    }
    QCOMPARE(c.Visible, visible);

    // Alone on the field, a move over the component reaches it or nothing.
    f.setEnabled(true);
    for (const Element& element : Elements) {
        (f.*element.member).Visible = false;
    }
    TestGame::put(c, 100, 100, 50, 50);
    if (&c != &f.fanger) {
        f.fanger.Left = 300;
    }
    const int32 before = f.fanger.Left;
    f.Mouse.move(120, 130);
    QCOMPARE(f.fanger.Left, steers ? 120 - 105 : before);
}

QTEST_GUILESS_MAIN(TestPlayField)
#include "tst_playfield.moc"
