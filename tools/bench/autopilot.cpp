#include "tools/bench/autopilot.h"

#include <QApplication>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QWindow>

#include "app/gamewindows.h"
#include "app/mainwindow.h"
#include "app/playfield.h"
#include "app/roundenddialog.h"
#include "play/tickperiod.h"
#include "tools/bench/steering.h"

namespace {

QPoint centre(const Component& c) {
    return QPoint(c.Left + c.Width / 2, c.Top + c.Height / 2);
}

}  // namespace

Autopilot::Autopilot(GameWindows& windows) : windows(windows) {
    frame.setTimerType(Qt::PreciseTimer);
    frame.setInterval(TickPeriodMs);
    connect(&frame, &QTimer::timeout, this, &Autopilot::step);
}

void Autopilot::start() {
    frame.start();
}

void Autopilot::step() {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        ++boxesAnswered;
        box->accept();
        return;
    }
    TForm1& form = windows.game().Form1;
    if (windows.Form2()->isVisible()) {
        ++ballsLost;
        windows.Form2()->button()->click();
        return;
    }
    if (!form.Enabled) {
        return;
    }
    if (form.Label4.Visible) {
        ++roundsStarted;
        click(centre(form.Label4));
        return;
    }
    const int x = centre(form.ball).x();
    moveTo(QPoint(x, steeringRow(form, x)));
}

void Autopilot::moveTo(QPoint fieldPoint) {
    send(QEvent::MouseMove, fieldPoint, Qt::NoButton);
}

void Autopilot::click(QPoint fieldPoint) {
    send(QEvent::MouseButtonPress, fieldPoint, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, fieldPoint, Qt::LeftButton);
}

// Posted to the window as the platform would deliver it, so Qt finds the widget under the
// pointer and grabs and releases the mouse as it does for a real one.
void Autopilot::send(QEvent::Type type, QPoint fieldPoint, Qt::MouseButton button) {
    MainWindow* window = windows.Form1();
    const QPoint local = window->field()->mapTo(window, fieldPoint);
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::MouseButtons();
    QCoreApplication::postEvent(window->windowHandle(),
                                new QMouseEvent(type, local, local, window->mapToGlobal(local),
                                                button, held, Qt::NoModifier));
}
