// The program's start: the windows it opens, the start windows the player goes through before the
// game takes input, and the ways the program ends.
#include <QtTest>

#include "app/mainwindow.h"
#include "app/playfield.h"
#include "app/roundenddialog.h"
#include "tests/qtgamefixture.h"

namespace {

enum Way { ByOk, ByCloseBox, ByEscape };

void leave(QDialog* window, Way way) {
    switch (way) {
        case ByOk:
            window->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
            break;
        case ByCloseBox:
            window->close();
            break;
        case ByEscape:
            QTest::keyClick(window, Qt::Key_Escape);
            break;
    }
}

QList<QWidget*> shownWindows(GameWindows& windows) {
    QList<QWidget*> shown;
    for (QWidget* window :
         std::initializer_list<QWidget*>{windows.Form1(), windows.Form2(), windows.Form3(),
                                         windows.Form4(), windows.Form5(), windows.Form6()}) {
        if (window->isVisible()) {
            shown << window;
        }
    }
    return shown;
}

}  // namespace

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void startsWithTheMainWindowDisabledBehindTheStartScreen();
    void theMainWindowIgnoresThePlayerDuringTheStartWindows();
    void eachStartWindowLeadsOnHoweverItIsLeft_data();
    void eachStartWindowLeadsOnHoweverItIsLeft();
    void afterTheStartWindowsTheGameTakesInput();
    void theTitleGrowsToItsSizeAndStops();
    void infoTwiceIsOneAboutBoxAndTheGameGoesOn();
    void closingTheMainWindowEndsTheProgram_data();
    void closingTheMainWindowEndsTheProgram();
    void quitCommandEndsTheProgram();
    void closingAnyOtherWindowGoesOn_data();
    void closingAnyOtherWindowGoesOn();
};

void TestStartup::startsWithTheMainWindowDisabledBehindTheStartScreen() {
    QtGameFixture fixture;
    GameWindows& windows = fixture.open();
    QCOMPARE(shownWindows(windows), (QList<QWidget*>{windows.Form1(), windows.Form3()}));
    QVERIFY(!windows.Form1()->isEnabled());
    QVERIFY(!windows.game().Form1.Enabled);
    QVERIFY(QTest::qWaitForWindowActive(windows.Form3()));
    QCOMPARE(windows.Form3()->focusWidget(),
             windows.Form3()->findChild<QPushButton*>(QStringLiteral("Button1")));
    QCOMPARE(windows.Form3()->windowTitle(), QStringLiteral("Quirlon 95"));
}

void TestStartup::theMainWindowIgnoresThePlayerDuringTheStartWindows() {
    QtGameFixture fixture;
    GameWindows& windows = fixture.open();
    TForm1& form = windows.game().Form1;
    PlayField* field = windows.Form1()->field();
    // Each start window in turn, with the click on the start prompt and a pause shortcut tried
    // while it shows.
    for (QDialog* window :
         std::initializer_list<QDialog*>{windows.Form3(), windows.Form5(), windows.Form6()}) {
        QVERIFY(window->isVisible());
        QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(300, 200));
        QTest::keyClick(windows.Form1(), Qt::Key_P, Qt::ControlModifier);
        QVERIFY(form.Label4.Visible);
        QVERIFY(form.halt);
        QVERIFY(!form.pauseChecked);
        QCOMPARE(form.levelnr, 0);
        leave(window, ByOk);
    }
}

void TestStartup::eachStartWindowLeadsOnHoweverItIsLeft_data() {
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("way");

    const char* windows[] = {"start screen", "help on the elements", "help on buying"};
    const char* ways[] = {"OK", "close box", "Escape"};
    for (int step = 0; step < 3; ++step) {
        for (int way : {ByOk, ByCloseBox, ByEscape}) {
            QTest::addRow("%s by %s", windows[step], ways[way]) << step << way;
        }
    }
}

void TestStartup::eachStartWindowLeadsOnHoweverItIsLeft() {
    QFETCH(int, step);
    QFETCH(int, way);

    QtGameFixture fixture;
    GameWindows& windows = fixture.open();
    QDialog* sequence[] = {windows.Form3(), windows.Form5(), windows.Form6()};
    for (int before = 0; before < step; ++before) {
        leave(sequence[before], ByOk);
    }
    leave(sequence[step], Way(way));

    // Whoever left, only the next window of the sequence shows; the last leads into the game.
    if (step < 2) {
        QCOMPARE(shownWindows(windows), (QList<QWidget*>{windows.Form1(), sequence[step + 1]}));
        QVERIFY(!windows.Form1()->isEnabled());
    } else {
        QCOMPARE(shownWindows(windows), QList<QWidget*>{windows.Form1()});
        QVERIFY(windows.Form1()->isEnabled());
        QVERIFY(windows.game().Form1.Enabled);
    }
}

void TestStartup::afterTheStartWindowsTheGameTakesInput() {
    QtGameFixture fixture;
    GameWindows& windows = fixture.enter();
    TForm1& form = windows.game().Form1;
    QTest::mouseClick(windows.Form1()->field(), Qt::LeftButton, {}, QPoint(300, 200));
    QVERIFY(!form.Label4.Visible);
    QVERIFY(form.Timer1.Enabled);
    QCOMPARE(form.levelnr, 1);
}

void TestStartup::theTitleGrowsToItsSizeAndStops() {
    QtGameFixture fixture;
    GameWindows& windows = fixture.open();
    StartScreen* screen = windows.Form3();
    // The limit only bounds a hang; the growth takes 28 ticks.
    QTRY_VERIFY_WITH_TIMEOUT(!screen->isGrowing(), 60000);
    QCOMPARE(screen->titleRect(), QRect(66, 56, 509, 95));
    QTest::qWait(100);
    QCOMPARE(screen->titleRect(), QRect(66, 56, 509, 95));
}

void TestStartup::infoTwiceIsOneAboutBoxAndTheGameGoesOn() {
    QtGameFixture fixture;
    GameWindows& windows = fixture.enter();
    TForm1& form = windows.game().Form1;
    form.Label4Click();
    // Out of the ball's way, so it falls on for the whole test.
    form.fanger.Top = 1000;
    QAction* info =
        findItem(windows.Form1()->menuBar(), QStringLiteral("Hilfe"), QStringLiteral("Info"));
    info->trigger();
    info->trigger();
    QCOMPARE(shownWindows(windows), (QList<QWidget*>{windows.Form1(), windows.Form4()}));
    QVERIFY(windows.Form1()->isEnabled());

    const int32 top = form.ball.Top;
    QTRY_VERIFY(form.ball.Top > top + 20);
    QVERIFY(!form.halt);
}

void TestStartup::closingTheMainWindowEndsTheProgram_data() {
    QTest::addColumn<bool>("started");
    QTest::addColumn<bool>("paused");

    QTest::newRow("waiting for a start") << false << false;
    QTest::newRow("in play") << true << false;
    QTest::newRow("paused") << true << true;
}

void TestStartup::closingTheMainWindowEndsTheProgram() {
    QFETCH(bool, started);
    QFETCH(bool, paused);

    QtGameFixture fixture;
    GameWindows& windows = fixture.enter();
    if (started) {
        QTest::mouseClick(windows.Form1()->field(), Qt::LeftButton, {}, QPoint(300, 200));
    }
    if (paused) {
        windows.Form1()->pauseAction()->trigger();
        QVERIFY(windows.game().Form1.halt);
    }
    windows.Form1()->close();
    QCOMPARE(QtGameFixture::runToTheEnd(), 0);
}

void TestStartup::quitCommandEndsTheProgram() {
    QtGameFixture fixture;
    GameWindows& windows = fixture.enter();
    findItem(windows.Form1()->menuBar(), QStringLiteral("Datei"), QStringLiteral("Beenden"))
        ->trigger();
    QCOMPARE(QtGameFixture::runToTheEnd(), 0);
}

void TestStartup::closingAnyOtherWindowGoesOn_data() {
    QTest::addColumn<int>("window");

    QTest::newRow("main window behind the start screen") << 1;
    QTest::newRow("start screen") << 3;
    QTest::newRow("about box") << 4;
}

void TestStartup::closingAnyOtherWindowGoesOn() {
    QFETCH(int, window);

    QtGameFixture fixture;
    GameWindows& windows = window == 4 ? fixture.enter() : fixture.open();
    if (window == 4) {
        windows.game().Form1.Info1Click();
    }
    QWidget* closed = window == 1   ? static_cast<QWidget*>(windows.Form1())
                      : window == 3 ? static_cast<QWidget*>(windows.Form3())
                                    : windows.Form4();
    closed->close();
    QCOMPARE(QtGameFixture::runToTheEnd(300), 99);
    QVERIFY(windows.Form1()->isVisible());
}

QTEST_MAIN(TestStartup)
#include "tst_qt_startup.moc"
