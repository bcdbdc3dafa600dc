#include <QAction>
#include <QMenuBar>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include "app/mainwindow.h"
#include "app/playfield.h"
#include "tests/qtgamefixture.h"

namespace {

bool isBlue(QRgb c) {
    return qBlue(c) > 120 && qBlue(c) > qRed(c) + 40 && qBlue(c) > qGreen(c);
}

}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void menuItems_data();
    void menuItems();
    void fieldHasTheClientSize();
    void frameShowsTheBallAndThePrompt();
    void dragsTheRedBarAsTheRulesSay_data();
    void dragsTheRedBarAsTheRulesSay();
    void missingLevelFileIsReportedAndEnds();
};

void TestMainWindow::menuItems_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QKeySequence>("shortcut");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("checkable");
    QTest::newRow("Beenden") << "Datei"
                             << "Beenden" << QKeySequence("Ctrl+E") << true << false;
    QTest::newRow("hidden new ball") << "Spiel"
                                     << "Ball an oberen Rand" << QKeySequence() << false << false;
    QTest::newRow("Pause") << "Spiel"
                           << "Pause" << QKeySequence("Ctrl+P") << true << true;
    QTest::newRow("ball") << "Kaufen"
                          << "1 Ball kaufen (kostet 3000 Punkte)" << QKeySequence("Ctrl+B") << true
                          << false;
    QTest::newRow("level") << "Kaufen"
                           << "1 Level kaufen (kostet 10000 Punkte)" << QKeySequence("Ctrl+L")
                           << true << false;
    QTest::newRow("Info") << "Hilfe"
                          << "Info" << QKeySequence("Ctrl+H") << true << false;
}

void TestMainWindow::menuItems() {
    QFETCH(QString, menu);
    QFETCH(QString, caption);
    QFETCH(QKeySequence, shortcut);
    QFETCH(bool, visible);
    QFETCH(bool, checkable);
    QtGameFixture fixture;
    GameWindows& windows = fixture.open();
    QAction* item = findItem(windows.Form1()->menuBar(), menu, caption);
    QVERIFY(item);
    QCOMPARE(item->shortcut(), shortcut);
    QCOMPARE(item->isVisible(), visible);
    QCOMPARE(item->isCheckable(), checkable);
}

void TestMainWindow::fieldHasTheClientSize() {
    QtGameFixture fixture;
    GameWindows& windows = fixture.open();
    QCOMPARE(windows.Form1()->field()->size(), QSize(632, 434));
    QCOMPARE(windows.Form1()->minimumSize(), windows.Form1()->maximumSize());
    QCOMPARE(windows.Form1()->windowTitle(), QStringLiteral("Quirlon 95"));
}

void TestMainWindow::frameShowsTheBallAndThePrompt() {
    QtGameFixture fixture;
    GameWindows& windows = fixture.enter();
    TForm1& form = windows.game().Form1;
    form.Label4Click();
    form.ball.Left = 450;
    form.ball.Top = 100;
    const QImage inPlay = windows.Form1()->field()->grab().toImage();
    QVERIFY2(isBlue(inPlay.pixel(462, 112)), "the ball is drawn where the rules put it");
    QCOMPARE(QColor(inPlay.pixel(450, 300)), QColor(Qt::black));

    form.Label4.Visible = true;
    const QImage waiting = windows.Form1()->field()->grab().toImage();
    QCOMPARE(QColor(waiting.pixel(462, 112)), QColor(Qt::black));
}

void TestMainWindow::dragsTheRedBarAsTheRulesSay_data() {
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QPoint>("pointer");  // where it moves with the button held, and lets go
    QTest::addColumn<QPoint>("bar");
    QTest::addColumn<int>("paddle");
    QTest::addColumn<bool>("ziehen");

    // The bar's centre follows the pointer, and the paddle travels centred under it.
    QTest::newRow("left, off the bar")
        << Qt::LeftButton << QPoint(416, 237) << QPoint(366, 222) << 311 << false;
    QTest::newRow("middle, on the bar")
        << Qt::MiddleButton << QPoint(346, 222) << QPoint(296, 207) << 241 << false;
    // The right button holds nothing: over the menu bar the field hears nothing of it.
    QTest::newRow("right, over the menu bar")
        << Qt::RightButton << QPoint(346, -10) << QPoint(266, 202) << 211 << true;
}

void TestMainWindow::dragsTheRedBarAsTheRulesSay() {
    QFETCH(Qt::MouseButton, button);
    QFETCH(QPoint, pointer);
    QFETCH(QPoint, bar);
    QFETCH(int, paddle);
    QFETCH(bool, ziehen);

    QtGameFixture fixture;
    GameWindows& windows = fixture.enter();
    TForm1& form = windows.game().Form1;
    form.Label4Click();
    PlayField* field = windows.Form1()->field();
    QCOMPARE(form.hinder7.Left, 266);
    // From elsewhere, so that the move onto the bar is a move even where the last row ended.
    QTest::mouseMove(field, QPoint(10, 300));
    QTest::mouseMove(field, QPoint(316, 217));
    QCOMPARE(field->cursor().shape(), Qt::CrossCursor);
    QTest::mousePress(field, button, {}, QPoint(316, 217));
    QVERIFY(form.ziehen);
    QTest::mouseMove(field, pointer);
    QTest::mouseRelease(field, button, {}, pointer);
    QCOMPARE(QPoint(form.hinder7.Left, form.hinder7.Top), bar);
    QCOMPARE(form.fanger.Left, paddle);
    QCOMPARE(form.ziehen, ziehen);
}

void TestMainWindow::missingLevelFileIsReportedAndEnds() {
    QtGameFixture fixture(QByteArray{});
    SeenBox seen;
    answerNextBox(seen);
    fixture.open();
    QCOMPARE(seen.title, QStringLiteral("Quirlon 95"));
    QCOMPARE(seen.text, QStringLiteral("Datei fehlt: Bitte kopieren Sie die Datei 328lvd.ini in "
                                       "Ihr Windows-Verzeichnis."));
    QCOMPARE(seen.buttons, 1);
    QVERIFY(!seen.icon);
    // The quit request waits for the event loop.
    QCOMPARE(QtGameFixture::runToTheEnd(), 0);
}

QTEST_MAIN(TestMainWindow)
#include "tst_qt_mainwindow.moc"
