// The round-end dialog as the player meets it: after a lost ball, over the disabled main window,
// with its button ready for the keyboard.
#include <QtTest>
#include <algorithm>
#include <limits>

#include "app/mainwindow.h"
#include "app/playfield.h"
#include "app/roundenddialog.h"
#include "tests/qtgamefixture.h"

namespace {

// Starts a round with the paddle out of the way and waits for the ball to fall out.
void loseTheBall(GameWindows& windows) {
    QTest::mouseClick(windows.Form1()->field(), Qt::LeftButton, {}, QPoint(300, 200));
    windows.game().Form1.fanger.Top = 1000;
    QTRY_VERIFY_WITH_TIMEOUT(windows.Form2()->isVisible(), 10000);
}

enum Way { ByClick, ByEnter, BySpace, ByCloseBox, ByEscape };

}  // namespace

class TestRoundEnd : public QObject {
    Q_OBJECT

private slots:
    void aLostBallShowsTheDialogOverTheDisabledMainWindow();
    void everyWayOutGoesOnAlike_data();
    void everyWayOutGoesOnAlike();
    void theFlightStartsAgainWhenTheDialogIsActivatedAgain();
};

void TestRoundEnd::aLostBallShowsTheDialogOverTheDisabledMainWindow() {
    QtGameFixture fixture;
    GameWindows& windows = fixture.enter();
    loseTheBall(windows);
    RoundEndDialog* dialog = windows.Form2();
    QVERIFY(!windows.Form1()->isEnabled());
    // The frame tick is off while the dialog owns the round, and so is its timer.
    QVERIFY(!windows.game().Form1.Timer1.Enabled);
    QVERIFY(!windows.timer(GameTimer::FrameTick).isActive());
    QVERIFY(!dialog->isModal());
    QCOMPARE(dialog->size(), QSize(405, 251));
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Quirlon 95"));
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    QCOMPARE(dialog->focusWidget(), dialog->button());
    QCOMPARE(windows.game().Form2.Label1.Caption, std::string("Sie haben noch einen Ball!"));

    // The red bar cannot be taken while the dialog shows.
    const Component& bar = windows.game().Form1.hinder7;
    const QPoint onTheBar(bar.Left + bar.Width / 2, bar.Top + bar.Height / 2);
    QTest::mousePress(windows.Form1()->field(), Qt::LeftButton, {}, onTheBar);
    QVERIFY(!windows.game().Form1.ziehen);
    QTest::mouseRelease(windows.Form1()->field(), Qt::LeftButton, {}, onTheBar);
    QVERIFY(dialog->isVisible());
}

void TestRoundEnd::everyWayOutGoesOnAlike_data() {
    QTest::addColumn<int>("way");

    QTest::newRow("button clicked") << int(ByClick);
    QTest::newRow("Enter") << int(ByEnter);
    QTest::newRow("Space") << int(BySpace);
    QTest::newRow("close box") << int(ByCloseBox);
    QTest::newRow("Escape") << int(ByEscape);
}

void TestRoundEnd::everyWayOutGoesOnAlike() {
    QFETCH(int, way);

    QtGameFixture fixture;
    GameWindows& windows = fixture.enter();
    loseTheBall(windows);
    RoundEndDialog* dialog = windows.Form2();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    switch (way) {
        case ByClick:
            QTest::mouseClick(dialog->button(), Qt::LeftButton);
            break;
        case ByEnter:
            QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
            break;
        case BySpace:
            QTest::keyClick(dialog->focusWidget(), Qt::Key_Space);
            break;
        case ByCloseBox:
            dialog->close();
            break;
        case ByEscape:
            QTest::keyClick(dialog, Qt::Key_Escape);
            break;
    }

    // The same level waits for its start again, with one ball fewer, and the main window is
    // the player's again.
    TForm1& form = windows.game().Form1;
    QVERIFY(!dialog->isVisible());
    QVERIFY(!windows.game().Form2.Visible);
    QVERIFY(windows.Form1()->isEnabled());
    QVERIFY(form.Label4.Visible);
    QCOMPARE(form.baelle, 1);
    QCOMPARE(form.levelnr, 0);
    QTest::mouseClick(windows.Form1()->field(), Qt::LeftButton, {}, QPoint(300, 200));
    QCOMPARE(form.levelnr, 1);
    // The new ball falls: the frame tick runs again.
    const int32 top = form.ball.Top;
    QTRY_VERIFY(form.ball.Top > top);
}

void TestRoundEnd::theFlightStartsAgainWhenTheDialogIsActivatedAgain() {
    QtGameFixture fixture;
    GameWindows& windows = fixture.enter();
    loseTheBall(windows);
    RoundEndDialog* dialog = windows.Form2();
    TForm2& form2 = windows.game().Form2;
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    QTRY_VERIFY(windows.game().Form1.durchgang > 25);
    QVERIFY(form2.Label1.Left > 20);

    // Over to the about box and back: the message flies again from the corner.
    windows.Form4()->show();
    windows.Form4()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(windows.Form4()));
    QVERIFY(windows.game().Form1.durchgang > 25);
    // The restart is seen as the focus arrives, however long the activation takes: the flight's
    // timer goes on meanwhile.
    int32 fewestSteps = std::numeric_limits<int32>::max();
    int32 leftmost = std::numeric_limits<int32>::max();
    const QMetaObject::Connection watch =
        QObject::connect(qApp, &QGuiApplication::focusWindowChanged, [&](QWindow* focused) {
            if (focused == dialog->windowHandle()) {
                fewestSteps = std::min(fewestSteps, windows.game().Form1.durchgang);
                leftmost = std::min(leftmost, form2.Label1.Left);
            }
        });
    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    QObject::disconnect(watch);
    QVERIFY(fewestSteps < 10);
    QVERIFY(leftmost < 20);
    QVERIFY(form2.Timer2.Enabled);
}

QTEST_MAIN(TestRoundEnd)
#include "tst_qt_roundend.moc"
