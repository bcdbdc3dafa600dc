#include "app/qtplatform.h"

#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QPushButton>
#include <optional>

#include "app/componentpainter.h"
#include "app/infrontof.h"
#include "app/mainwindow.h"
#include "app/playfield.h"
#include "app/roundenddialog.h"

void QtPlatform::showMessage(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Quirlon 95"), QString::fromStdString(text),
                    QMessageBox::Ok);
    // Qt's modality would drop the keys a desktop leaves with the main window; the hold below
    // keeps the other windows out of reach instead.
    box.setWindowModality(Qt::NonModal);
    QWidget* owner = QApplication::activeWindow() ? QApplication::activeWindow() : mainWindow;
    if (owner) {
        keepInFrontOf(&box, owner);
    }
    // The nested event loop keeps the timers running, as the rules expect; nothing else of the
    // player's reaches the game meanwhile.
    std::optional<InputGate::ModalBox> modal;
    if (inputGate) {
        modal.emplace(*inputGate);
    }
    holds.push_back(std::make_unique<WindowHold>(&box));
    QEventLoop answered;
    QObject::connect(&box, &QDialog::finished, &answered, &QEventLoop::quit);
    box.show();
    box.raise();
    box.activateWindow();
    answered.exec();
    holds.pop_back();
}

QWidget* QtPlatform::messageBox() const {
    return holds.empty() ? nullptr : holds.back()->box();
}

void QtPlatform::beep() {
    QApplication::beep();
}

void QtPlatform::requestQuit() {
    // Posted, so the running handler finishes first; a request made before the event loop runs
    // ends it as soon as it starts. exit() rather than quit(): quit() would first ask every window
    // to close, and the main window answers a close by asking to quit.
    QMetaObject::invokeMethod(
        qApp,
        [quit = quit] {
            if (quit) {
                quit();
            } else {
                QCoreApplication::exit(0);
            }
        },
        Qt::QueuedConnection);
}

QWidget* QtPlatform::widget(Window window) const {
    return windows[static_cast<int>(window)];
}

void QtPlatform::setWindow(Window window, QWidget* widget) {
    windows[static_cast<int>(window)] = widget;
}

void QtPlatform::setMainWindow(MainWindow* window) {
    mainWindow = window;
    setWindow(Window::Form1, window);
}

void QtPlatform::showWindow(Window window) {
    QWidget* w = widget(window);
    if (!w) {
        return;
    }
    w->show();
    w->raise();
    w->activateWindow();
    if (auto* dialog = qobject_cast<RoundEndDialog*>(w)) {
        dialog->button()->setFocus();
    }
}

void QtPlatform::hideWindow(Window window) {
    if (QWidget* w = widget(window)) {
        w->hide();
    }
}

void QtPlatform::setWindowEnabled(Window window, bool enabled) {
    QWidget* w = widget(window);
    if (!w) {
        return;
    }
    // A window a message box holds takes the change once the box is answered.
    for (auto hold = holds.rbegin(); hold != holds.rend(); ++hold) {
        if ((*hold)->deferEnabled(w, enabled)) {
            return;
        }
    }
    w->setEnabled(enabled);
}

void QtPlatform::repaintNow(const Component& component) {
    if (mainWindow && mainWindow->isVisible()) {
        mainWindow->field()->repaintComponent(component);
    }
}

TextExtent QtPlatform::measureText(TextStyle style, const std::string& text) {
    return ComponentPainter::textExtent(style, text);
}
