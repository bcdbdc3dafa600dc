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

// One row per component of the table, bottom of the stack first: the window creates it as the
// table says, and a mouse move over it makes the paddle follow the pointer unless it is one of the
// few that take no moves.
void TestPlayField::components_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("steers");

    // The bottom strip, the hand and the header's texts have no move handler; the paddle is
    // disabled, so it never gets the move.
    const QStringList stillOver = {QStringLiteral("Shape1"), QStringLiteral("dig11"),
                                   QStringLiteral("fanger"), QStringLiteral("Label1"),
                                   QStringLiteral("Label2"), QStringLiteral("Label3"),
                                   QStringLiteral("Label5")};
    for (std::size_t i = 0; i < Elements.size(); ++i) {
        QTest::newRow(Elements[i].name)
            << int(i) << !stillOver.contains(QLatin1String(Elements[i].name));
    }
}

void TestPlayField::components() {
    QFETCH(int, index);
    QFETCH(bool, steers);

    // As the window is created, before its creation handler runs.
    TestGame t(TestGame::MinimalLevel, false);
    TForm1& f = t.form;
    const Element& element = Elements[std::size_t(index)];
    Component& c = f.*element.member;
    QCOMPARE(QString(c.Name), QString(element.name));
    QCOMPARE(c.Left, element.created.Left);
    QCOMPARE(c.Top, element.created.Top);
    if (!isText(element.role) || element.role == Role::Prompt) {
        QCOMPARE(c.Width, element.created.Width);
        QCOMPARE(c.Height, element.created.Height);
    }
    QCOMPARE(c.Visible, element.visible);

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
