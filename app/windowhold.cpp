#include "app/windowhold.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

WindowHold::WindowHold(QWidget* box) : heldFor(box) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != box && window->isVisible() && window->isEnabled()) {
            held.emplace_back(window, true);
            window->setEnabled(false);
            window->installEventFilter(this);
        }
    }
}

WindowHold::~WindowHold() {
    for (const auto& [window, enabled] : held) {
        if (window) {
            window->removeEventFilter(this);
            window->setEnabled(enabled);
        }
    }
}

bool WindowHold::deferEnabled(const QWidget* window, bool enabled) {
    for (auto& [heldWindow, after] : held) {
        if (heldWindow == window) {
            after = enabled;
            return true;
        }
    }
    return false;
}

QWidget* WindowHold::box() const {
    return heldFor;
}

bool WindowHold::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Close) {
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
