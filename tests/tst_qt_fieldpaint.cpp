// The play field repaints only what changed from frame to frame. What the window shows after a
// run of frames must still be exactly what a fresh drawing of the field gives, whatever moved,
// appeared or vanished; and a frame in which only the ball moves must not repaint the field.
// CTest runs it at device pixel ratio 1 and 2.
#include <QBackingStore>
#include <QPaintEvent>
#include <QtTest>
#include <functional>

#include "app/mainwindow.h"
#include "app/playfield.h"
#include "tests/qtgamefixture.h"

namespace {

using Play = std::function<void(GameWindows&)>;

// Runs the rules' handler as the window's timers and menu do: the handler, then the refresh.
void handled(GameWindows& windows, void (TForm1::*handler)()) {
    (windows.game().Form1.*handler)();
    windows.refresh();
}

// What the frames left in the window's backing store, in device pixels; the offscreen platform
// keeps it as an image.
QImage shownField(MainWindow* window) {
    const auto* stored = dynamic_cast<QImage*>(window->backingStore()->paintDevice());
    if (!stored) {
        return {};
    }
    const qreal ratio = stored->devicePixelRatio();
    const QRect field(window->field()->mapTo(window, QPoint(0, 0)), window->field()->size());
    const QRect pixels(field.topLeft() * ratio, field.size() * ratio);
    return stored->copy(pixels).convertToFormat(QImage::Format_RGB32);
}

QImage freshField(MainWindow* window) {
    return window->field()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The largest area one paint event of a widget covers.
class PaintWatcher : public QObject {
public:
    explicit PaintWatcher(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
            qint64 area = 0;
            for (const QRect& r : static_cast<QPaintEvent*>(event)->region()) {
                area += qint64(r.width()) * r.height();
            }
            largest = std::max(largest, area);
        }
        return false;
    }
    int paints = 0;
    qint64 largest = 0;
};

}  // namespace

Q_DECLARE_METATYPE(Play)

class TestFieldPaint : public QObject {
    Q_OBJECT

private slots:
    void shownIsFresh_data();
    void shownIsFresh();
    void fallingBallRepaintsLittle();
};

void TestFieldPaint::shownIsFresh_data() {
    QTest::addColumn<Play>("play");
    QTest::newRow("waiting for the start") << Play([](GameWindows&) {});
    QTest::newRow("the ball falls for a while") << Play([](GameWindows&) { QTest::qWait(300); });
    QTest::newRow("the paddle follows the pointer") << Play([](GameWindows& w) {
        for (int x = 600; x >= 20; x -= 40) {
            QTest::mouseMove(w.Form1()->field(), QPoint(x, 300));
        }
    });
    QTest::newRow("the red bar is dragged") << Play([](GameWindows& w) {
        PlayField* field = w.Form1()->field();
        QTest::mousePress(field, Qt::LeftButton, {}, QPoint(316, 217));
        for (int step = 1; step <= 8; ++step) {
            QTest::mouseMove(field, QPoint(316 - 25 * step, 217 - 15 * step));
        }
        QTest::mouseRelease(field, Qt::LeftButton, {}, QPoint(116, 97));
    });
    QTest::newRow("the points count down") << Play([](GameWindows& w) {
        for (int step = 0; step < 3; ++step) {
            handled(w, &TForm1::Timer2Timer);
        }
    });
    QTest::newRow("the warning appears, grows and goes") << Play([](GameWindows& w) {
        TForm1& form = w.game().Form1;
        form.punkte = 510;
        handled(w, &TForm1::Timer2Timer);
        form.punkte = 10000;
        handled(w, &TForm1::Timer2Timer);
        form.punkte = 500;
        handled(w, &TForm1::Timer2Timer);
    });
    QTest::newRow("a penny is taken") << Play([](GameWindows& w) {
        TForm1& form = w.game().Form1;
        form.dig1.Left = 300;
        form.dig1.Top = 200;
        form.dig1.Visible = true;
        w.refresh();
        QTest::qWait(50);
        form.CheckPenny(form.dig1);
        w.refresh();
    });
    QTest::newRow("a bought level brings the prompt back") << Play([](GameWindows& w) {
        QTest::qWait(100);
        w.game().Form1.punkte = 20000;
        handled(w, &TForm1::N1Levelkaufenkostet20000Punkte1Click);
    });
}

void TestFieldPaint::shownIsFresh() {
    QFETCH(Play, play);
    QtGameFixture fixture;
    GameWindows& windows = fixture.enter();
    QTest::mouseClick(windows.Form1()->field(), Qt::LeftButton, {}, QPoint(300, 200));
    QTest::qWait(50);
    play(windows);
    // Frozen, so the timers change nothing more; then every pending frame is drawn.
    windows.game().Form1.halt = true;
    QTest::qWait(80);
    const QImage shown = shownField(windows.Form1());
    const QImage fresh = freshField(windows.Form1());
    QVERIFY(!shown.isNull());
    QCOMPARE(shown.size(), fresh.size());
    QVERIFY2(shown == fresh, "the window shows stale pixels");
}

void TestFieldPaint::fallingBallRepaintsLittle() {
    QtGameFixture fixture;
    GameWindows& windows = fixture.enter();
    QTest::mouseClick(windows.Form1()->field(), Qt::LeftButton, {}, QPoint(300, 200));
    // The start's own repaint of the whole field is drawn before the watching begins.
    QCoreApplication::processEvents();
    PaintWatcher watcher(windows.Form1()->field());
    // Frames as the frame timer runs them, each drawn before the next, however fast the machine.
    for (int frame = 0; frame < 10; ++frame) {
        handled(windows, &TForm1::Timer1Timer);
        QCoreApplication::processEvents();
    }
    QVERIFY(watcher.paints >= 10);
    // The ball, and the paddle row at the most: a tenth of the field is a generous bound.
    QVERIFY2(watcher.largest < qint64(TForm1::ClientWidth) * TForm1::ClientHeight / 10,
             qPrintable(QString::number(watcher.largest)));
}

QTEST_MAIN(TestFieldPaint)
#include "tst_qt_fieldpaint.moc"
